#include <gtest/gtest.h>

#include "rrbutton_messages.h"
#include "rrbutton_notify_event.h"

namespace korvex::testing {
namespace {

std::uintptr_t Click(int id, unsigned notification = 0) {
  return static_cast<std::uintptr_t>(id) | static_cast<std::uintptr_t>(notification) << 16;
}

struct ClickCase {
  const char* name;
  unsigned message;
  std::uintptr_t wParam;
  std::optional<int> clicked;
};

class ClickedControlId : public ::testing::TestWithParam<ClickCase> {};

TEST_P(ClickedControlId, ReadsTheIdOfAClickOnly) {
  const ClickCase& c = GetParam();
  const RRButtonNotifyEvent event(c.message, c.wParam, 0, nullptr);
  EXPECT_EQ(event.clickedControlId(), c.clicked);
}

INSTANTIATE_TEST_SUITE_P(Messages, ClickedControlId,
                         ::testing::Values(ClickCase{"Clicked", 273, Click(101), 101},
                                           ClickCase{"NotificationOne", 273, Click(101, 1), 101},
                                           ClickCase{"HighestId", 273, Click(0xFFFF), 0xFFFF},
                                           ClickCase{"EditNotification", 273, Click(101, 0x300),
                                                     std::nullopt},
                                           ClickCase{"PaintNotice", 1254, Click(101), std::nullopt},
                                           ClickCase{"Notify", 78, Click(101), std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvex::testing
