#include "rrbutton_text_format.h"

#include <gtest/gtest.h>

#include <Qt>

#include "rrbutton_messages.h"

namespace korvex {
namespace {

struct FormatCase {
  unsigned format;
  int flags;
  bool clip;
};

class CaptionLayoutTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(CaptionLayoutTest, TranslatesFlags) {
  const CaptionLayout layout = ToCaptionLayout(GetParam().format);
  EXPECT_EQ(layout.qtFlags, GetParam().flags);
  EXPECT_EQ(layout.clipToRect, GetParam().clip);
}

constexpr int kMnemonic = Qt::TextShowMnemonic;

INSTANTIATE_TEST_SUITE_P(
    Formats, CaptionLayoutTest,
    ::testing::Values(
        FormatCase{37, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine | kMnemonic, true},
        FormatCase{DT_CENTER, Qt::AlignHCenter | Qt::AlignTop | kMnemonic, true},
        FormatCase{DT_LEFT, Qt::AlignLeft | Qt::AlignTop | kMnemonic, true},
        FormatCase{DT_RIGHT | DT_SINGLELINE | DT_BOTTOM,
                   Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine | kMnemonic, true},
        FormatCase{DT_VCENTER, Qt::AlignLeft | Qt::AlignTop | kMnemonic, true},
        FormatCase{DT_WORDBREAK | DT_NOPREFIX, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   true},
        FormatCase{DT_EXPANDTABS | DT_NOCLIP,
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs | kMnemonic, false}));

}  // namespace
}  // namespace korvex
