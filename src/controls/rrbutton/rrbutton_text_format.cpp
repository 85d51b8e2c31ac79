#include "rrbutton_text_format.h"

#include <Qt>

#include "rrbutton_messages.h"

namespace korvex {
namespace {

bool Has(unsigned format, unsigned flag) {
  return (format & flag) != 0;
}

int HorizontalAlignment(unsigned format) {
  if (Has(format, DT_CENTER)) return Qt::AlignHCenter;
  if (Has(format, DT_RIGHT)) return Qt::AlignRight;
  return Qt::AlignLeft;
}

// Vertical placement only means something for a single line; several lines start at the top.
int VerticalAlignment(unsigned format) {
  if (!Has(format, DT_SINGLELINE)) return Qt::AlignTop;
  if (Has(format, DT_VCENTER)) return Qt::AlignVCenter;
  if (Has(format, DT_BOTTOM)) return Qt::AlignBottom;
  return Qt::AlignTop;
}

int TextFlags(unsigned format) {
  int flags = Has(format, DT_NOPREFIX) ? 0 : Qt::TextShowMnemonic;
  if (Has(format, DT_SINGLELINE)) {
    flags |= Qt::TextSingleLine;
  } else if (Has(format, DT_WORDBREAK)) {
    flags |= Qt::TextWordWrap;
  }
  if (Has(format, DT_EXPANDTABS)) flags |= Qt::TextExpandTabs;
  return flags;
}

}  // namespace

CaptionLayout ToCaptionLayout(unsigned textFormat) {
  return {.qtFlags = HorizontalAlignment(textFormat) | VerticalAlignment(textFormat) |
                     TextFlags(textFormat),
          .clipToRect = !Has(textFormat, DT_NOCLIP)};
}

}  // namespace korvex
