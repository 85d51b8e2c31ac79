#pragma once

#include <gtest/gtest.h>

#include "rrbutton.h"
#include "test_window.h"

namespace korvex::testing {

// A shown, active window with one interactive 80 x 60 button (id 7, corner 20) at (20, 20);
// the pointer starts far away.
class ButtonFixture : public ::testing::Test {
 protected:
  static constexpr int kId = 7;

  void SetUp() override {
    ParkPointer();
    button = RRButtonCreate(&window, kId, "OK", 20, 20, 80, 60, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                            0, 0);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(window.showAndActivate());
    window.clearNotifications();
  }

  intptr_t send(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0) {
    return button->sendMessage(message, wParam, lParam);
  }
  Look look() const { return button->state().look; }
  PressSource pressSource() const { return button->state().pressSource; }
  QPoint centre() const { return button->rect().center(); }

  TestWindow window;
  RRButton* button = nullptr;
};

}  // namespace korvex::testing
