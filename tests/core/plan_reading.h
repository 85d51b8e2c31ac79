#pragma once

// plan.json read back, and the parts it places drawn from the domain's own curves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "app/memory_panel.h"
#include "app/project_commands.h"
#include "app/rebuild_scene.h"
#include "app/workspace.h"

namespace korvex::test {

// Just enough JSON for plan.json: objects, arrays, strings, numbers, true and false.
struct Json {
  std::map<std::string, Json> object;
  std::vector<Json> array;
  std::string text;
  double number = 0;
  const Json& operator[](const char* key) const { return object.at(key); }
};

class JsonReader {
 public:
  explicit JsonReader(const std::string& text) : s_(text) {}
  Json value() {
    Json v;
    skip();
    if (s_[i_] == '{') {
      for (++i_; skip(), s_[i_] != '}';) {
        const std::string key = value().text;
        skip();
        ++i_;  // ':'
        v.object[key] = value();
        skip();
        if (s_[i_] == ',') ++i_;
      }
      ++i_;
    } else if (s_[i_] == '[') {
      for (++i_; skip(), s_[i_] != ']';) {
        v.array.push_back(value());
        skip();
        if (s_[i_] == ',') ++i_;
      }
      ++i_;
    } else if (s_[i_] == '"') {
      for (++i_; s_[i_] != '"'; ++i_)
        v.text += s_[i_] == '\\' ? s_[++i_] : s_[i_];
      ++i_;
    } else {
      const std::size_t end = s_.find_first_of(",}] \n", i_);
      v.text = s_.substr(i_, end - i_);
      v.number = v.text == "true" ? 1 : v.text == "false" ? 0 : std::stod(v.text);
      i_ = end;
    }
    return v;
  }

 private:
  void skip() {
    while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_])))
      ++i_;
  }
  const std::string& s_;
  std::size_t i_ = 0;
};

// A part's outer-surface ends as the domain computes them, straight between the steps.
struct Curves {
  std::vector<double> left, right;  // steps 0..N, step N being step 0 again
  double at(const std::vector<double>& end, double degrees) const {
    const double n = static_cast<double>(end.size() - 1);
    const double u = std::fmod(std::fmod(degrees, 360) + 360, 360) / 360 * n;
    const auto i = std::min(static_cast<std::size_t>(u), end.size() - 2);
    return end[i] + (end[i + 1] - end[i]) * (u - static_cast<double>(i));
  }
};

inline Curves DomainCurves(const std::string& path) {
  MemoryPanel panel;
  Workspace workspace;
  EXPECT_FALSE(LoadProject(path, panel, workspace.part));
  EXPECT_TRUE(RebuildScene(panel, workspace).empty());
  const auto n = static_cast<std::size_t>(workspace.job.parameters.cutSegments) + 1;
  const auto& l = workspace.job.left.surfaces.outer;
  const auto& r = workspace.job.right.surfaces.outer;
  return {{l.begin(), l.begin() + static_cast<long>(n)},
          {r.begin(), r.begin() + static_cast<long>(n)}};
}

// A part placed as plan.json states it: flipped (x -> -x, angle -> -angle), then turned, then
// moved by offset. The end facing the stick's start or end, as x on the stick at a stick angle.
struct Placed {
  Curves curves;
  double offset;
  bool flipped;
  double turn;
  double x(bool stickRightEnd, double angle) const {
    if (!flipped)
      return offset + curves.at(stickRightEnd ? curves.right : curves.left, angle - turn);
    return offset - curves.at(stickRightEnd ? curves.left : curves.right, turn - angle);
  }
  // The angles on the stick of the end's own steps, where its straight pieces meet.
  std::vector<double> corners(bool stickRightEnd) const {
    const bool own = stickRightEnd != flipped;
    const double n = static_cast<double>((own ? curves.right : curves.left).size() - 1);
    std::vector<double> angles;
    for (double i = 0; i < n; ++i)
      angles.push_back(flipped ? turn - 360 * i / n : 360 * i / n + turn);
    return angles;
  }
};

}  // namespace korvex::test
