#pragma once

namespace korvex {

// How a caption is laid out in its rectangle, translated from the caption format flags.
struct CaptionLayout {
  int qtFlags = 0;  // Qt::AlignmentFlag | Qt::TextFlag
  bool clipToRect = true;
};

CaptionLayout ToCaptionLayout(unsigned textFormat);

}  // namespace korvex
