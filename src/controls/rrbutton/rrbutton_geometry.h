#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>

#include "rrbutton_state.h"

namespace korvex {

// The button's shape: the client rectangle with corners rounded by an ellipse of
// corner x corner pixels. A pixel belongs to it when its centre lies inside.
QRegion RoundedRegion(QSize client, int corner);

// value / 2 rounded to the nearest integer, an exact half going to the even neighbour.
int HalfRoundedToEven(int value);

// Top-left corner of the image for the state's position code (-1 ... -9 align within the
// client area, anything else is the absolute position).
QPoint ImagePosition(const RRButtonState& state, QSize client);

// The caption rectangle inside the text margins, and the same moved one pixel right and down
// for the pressed look (not moved in fixed-look mode).
QRect CaptionRect(const RRButtonState& state, QSize client);
QRect ShiftedCaptionRect(const RRButtonState& state, QSize client);

}  // namespace korvex
