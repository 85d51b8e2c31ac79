#pragma once

#include <map>
#include <string>

#include "app/panel.h"

namespace korvex {

// A panel without windows: the controls of the control table with their default texts and
// every check box unticked. Serves the command-line converter and the tests.
class MemoryPanel : public Panel {
 public:
  MemoryPanel();

  std::string text(int id) const override;
  void setText(int id, const std::string& text) override;
  int checkState(int id) const override;
  void setCheckState(int id, int state) override;
  void setTitle(const std::string& title) override { title_ = title; }

  const std::string& title() const { return title_; }

 private:
  std::map<int, std::string> texts_;
  std::map<int, int> checkStates_;
  std::string title_ = "KORVEX 2014";
};

}  // namespace korvex
