#include "rrbutton_cursor.h"

#include <algorithm>
#include <array>
#include <utility>

#include "rrbutton_messages.h"

namespace korvex {

QCursor SystemCursor(unsigned cursorId) {
  static constexpr std::array<std::pair<unsigned, Qt::CursorShape>, 14> kShapes{{
      {IDC_ARROW, Qt::ArrowCursor},
      {IDC_IBEAM, Qt::IBeamCursor},
      {IDC_WAIT, Qt::WaitCursor},
      {IDC_CROSS, Qt::CrossCursor},
      {IDC_UPARROW, Qt::UpArrowCursor},
      {IDC_SIZENWSE, Qt::SizeFDiagCursor},
      {IDC_SIZENESW, Qt::SizeBDiagCursor},
      {IDC_SIZEWE, Qt::SizeHorCursor},
      {IDC_SIZENS, Qt::SizeVerCursor},
      {IDC_SIZEALL, Qt::SizeAllCursor},
      {IDC_NO, Qt::ForbiddenCursor},
      {IDC_HAND, Qt::PointingHandCursor},
      {IDC_APPSTARTING, Qt::BusyCursor},
      {IDC_HELP, Qt::WhatsThisCursor},
  }};
  const auto found = std::find_if(kShapes.begin(), kShapes.end(),
                                  [&](const auto& entry) { return entry.first == cursorId; });
  return QCursor(found == kShapes.end() ? Qt::ArrowCursor : found->second);
}

}  // namespace korvex
