#pragma once

// What LinuxCNC's interpreter makes of a program, read from its canonical calls.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "rs274_support.h"
#include "temp_folder.h"

namespace korvex::test {

// What the interpreter did, in order: feed moves with their positions (X Y Z A B C) and the feed
// rate in force, the rapids' positions, and the torch, dwell and tool calls as letters of a trace.
struct Reading {
  struct Feed {
    std::array<double, 6> start;  // where the move begins
    std::array<double, 6> position;
    double rate;
  };
  std::vector<Feed> feeds;
  std::vector<std::array<double, 6>> rapids;
  // S start on spindle 0, E stop of spindle 0, F feed move, D dwell, T a tool table entry set,
  // C a tool changed
  std::string trace;
};

inline Reading ReadCanonical(const std::string& canon) {
  Reading reading;
  double rate = 0;
  std::array<double, 6> last{};
  auto numbersAfter = [](const std::string& line, std::size_t open, std::size_t count) {
    std::vector<double> values;
    std::size_t i = open + 1;
    for (std::size_t n = 0; n < count; ++n) {
      values.push_back(ReadNumber(line, i));
      if (i < line.size() && line[i] == ',') ++i;
    }
    return values;
  };
  for (const std::string& line : SplitLines(canon)) {
    if (const std::size_t at = line.find("SET_FEED_RATE("); at != std::string::npos) {
      rate = numbersAfter(line, line.find('(', at), 1)[0];
    } else if (const std::size_t move = line.find("STRAIGHT_"); move != std::string::npos) {
      const auto v = numbersAfter(line, line.find('(', move), 6);
      const std::array<double, 6> position{v[0], v[1], v[2], v[3], v[4], v[5]};
      if (line.find("STRAIGHT_FEED(") != std::string::npos) {
        reading.feeds.push_back({last, position, rate});
        reading.trace += 'F';
      } else {
        reading.rapids.push_back(position);
      }
      last = position;
    } else if (line.find("START_SPINDLE_CLOCKWISE(0)") != std::string::npos) {
      reading.trace += 'S';
    } else if (line.find("STOP_SPINDLE_TURNING(0)") != std::string::npos) {
      reading.trace += 'E';
    } else if (line.find("DWELL(") != std::string::npos) {
      reading.trace += 'D';
    } else if (line.find("SET_TOOL_TABLE_ENTRY(") != std::string::npos) {
      reading.trace += 'T';
    } else if (line.find("CHANGE_TOOL(") != std::string::npos) {
      reading.trace += 'C';
    }
  }
  return reading;
}

// Each cut of a reading: its pierce, where its first feed move starts, then the end of every feed
// move while the torch burns (from a start of spindle 0 to its stop).
inline std::vector<std::vector<std::array<double, 6>>> CutsOf(const Reading& reading) {
  std::vector<std::vector<std::array<double, 6>>> cuts;
  std::size_t feed = 0;
  bool burning = false;
  for (const char call : reading.trace) {
    if (call == 'S') {
      burning = true;
      cuts.emplace_back();
    } else if (call == 'E') {
      burning = false;
    } else if (call == 'F') {
      const Reading::Feed& move = reading.feeds[feed++];
      if (!burning) continue;
      if (cuts.back().empty()) cuts.back().push_back(move.start);
      cuts.back().push_back(move.position);
    }
  }
  return cuts;
}

// Runs the interpreter on programs in a folder of the test's own.
class InterpreterTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(RS274_PATH)) GTEST_SKIP() << RS274_PATH << " is not installed";
  }

  Reading Interpret(const std::filesystem::path& program) {
    WriteAll(folder_ / "tools.tbl", "T1 P1 D0 Z0 ;torch\nT2 P2 D0 Z0 ;second\n");
    WriteAll(folder_ / "rs274.var", "");
    const std::filesystem::path canon = folder_ / "canon.txt";
    const std::filesystem::path errors = folder_ / "rs274.err";
    EXPECT_EQ(RunProcess({RS274_PATH, "-t", (folder_ / "tools.tbl").string(), "-v",
                          (folder_ / "rs274.var").string(), "-g", program.string(), canon.string()},
                         folder_ / "rs274.out", errors),
              0);
    for (const std::string& line : SplitLines(ReadAll(errors))) {
      EXPECT_EQ(line, "executing") << "the interpreter complained";
    }
    const std::string text = ReadAll(canon);
    EXPECT_NE(text.find("PROGRAM_END()"), std::string::npos);
    return ReadCanonical(text);
  }

  test::TempFolder folder_{"korvex-rs274-machine"};
};

}  // namespace korvex::test
