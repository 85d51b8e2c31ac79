#pragma once

#include <QCursor>

namespace korvex {

// The system cursor for an IDC_* id; an unknown id gives the arrow.
QCursor SystemCursor(unsigned cursorId);

}  // namespace korvex
