#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>

#include "rrbutton.h"
#include "rrbutton_body.h"
#include "rrbutton_color_setup.h"
#include "rrbutton_geometry.h"
#include "rrbutton_text_format.h"

namespace korvex {
namespace {

constexpr int kMaxCaptionLength = 1023;

const ButtonImage* FirstImage(std::initializer_list<const ImageSlot*> candidates) {
  for (const ImageSlot* slot : candidates) {
    if (slot->get() != nullptr) return slot->get();
  }
  return nullptr;
}

}  // namespace

// The whole button is composed off-screen and copied in one step, so it never flickers.
// Pixels outside the rounded shape are never painted: the parent shows through the corners.
void RRButton::paintEvent(QPaintEvent*) {
  const SystemColours colours = systemColours();
  if (colours.buttonFace != state_.palette.lastButtonFace) RunColorSetup(state_, colours);

  const qreal ratio = devicePixelRatioF();
  QPixmap canvas(size() * ratio);
  canvas.setDevicePixelRatio(ratio);
  canvas.fill(Qt::transparent);
  {
    QPainter painter(&canvas);
    painter.setClipRegion(state_.region);
    painter.fillRect(rect(), ToQColor(colours.buttonFace));
    paintBody(painter, colours);
    paintCaptionAndImage(painter, colours);
  }
  QPainter screen(this);
  screen.setClipRegion(state_.region);
  screen.drawPixmap(0, 0, canvas);
}

void RRButton::paintBody(QPainter& painter, const SystemColours& colours) {
  const BodyPlan plan = PlanBody(state_, colours, hasFocus());
  paintOutlines(painter, plan);
  if (plan.notification) {
    notifyParent(*plan.notification, reinterpret_cast<std::uintptr_t>(this), state_.id);
  }
}

void RRButton::paintOutlines(QPainter& painter, const BodyPlan& plan) {
  const double radius = state_.corner / 2.0;
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(state_.faceBrush);
  for (const Outline& outline : plan.outlines) {
    // Covers the pixels from inset to size - shrink - 1 on both axes.
    const double extentX = width() - outline.shrink - 1 - outline.inset;
    const double extentY = height() - outline.shrink - 1 - outline.inset;
    painter.setPen(QPen(ToQColor(outline.colour), 0));
    painter.drawRoundedRect(QRectF(outline.inset, outline.inset, extentX, extentY), radius, radius);
  }
}

void RRButton::paintCaptionAndImage(QPainter& painter, const SystemColours& colours) {
  const QRect base = CaptionRect(state_, size());
  const QPoint imageAt = ImagePosition(state_, size());
  const bool emboss = state_.emboss != 0;
  switch (state_.look) {
    case Look::kPressed: {
      paintCaption(painter, ShiftedCaptionRect(state_, size()), state_.textColorPressed, emboss,
                   colours);
      const bool shift = state_.interactive() && state_.imageNoShift == 0;
      paintImage(painter, FirstImage({&state_.pressedImage, &state_.hotImage, &state_.normalImage}),
                 imageAt + (shift ? QPoint(1, 1) : QPoint()));
      return;
    }
    case Look::kHot:
      paintCaption(painter, base, state_.textColorHot, emboss, colours);
      paintImage(painter, FirstImage({&state_.hotImage, &state_.pressedImage, &state_.normalImage}),
                 imageAt);
      return;
    case Look::kNormal:
      break;
  }
  if (!isEnabled()) {
    // Engraved: a highlight copy under a caption in the shadow colour.
    paintCaption(painter, base, colours.shadow, true, colours);
    if (state_.normalImage.get() != nullptr) {
      paintImage(painter, FirstImage({&state_.disabledImage, &state_.normalImage}), imageAt);
    }
    return;
  }
  paintCaption(painter, base, state_.textColor, emboss, colours);
  paintImage(painter, state_.normalImage.get(), imageAt);
}

void RRButton::paintCaption(QPainter& painter, const QRect& rect, ColorRef colour,
                            bool highlightCopy, const SystemColours& colours) {
  painter.setFont(state_.font.value_or(font()));
  if (highlightCopy) drawCaptionText(painter, rect.translated(1, 1), colours.highlight);
  drawCaptionText(painter, rect, colour);
}

void RRButton::drawCaptionText(QPainter& painter, const QRect& rect, ColorRef colour) {
  const QString caption = caption_.left(kMaxCaptionLength);
  const CaptionLayout layout = ToCaptionLayout(state_.textFormat);
  painter.save();
  if (layout.clipToRect) painter.setClipRect(rect, Qt::IntersectClip);
  if (state_.textBkMode == OPAQUE) {
    painter.fillRect(painter.boundingRect(rect, layout.qtFlags, caption),
                     ToQColor(state_.textBkColor));
  }
  painter.setPen(ToQColor(colour));
  painter.drawText(rect, layout.qtFlags, caption);
  painter.restore();
}

void RRButton::paintImage(QPainter& painter, const ButtonImage* image, QPoint topLeft) {
  if (image == nullptr) return;
  if (state_.imageType == IMAGE_ICON) {
    image->paintIcon(painter, QRect(topLeft, QSize(state_.imageWidth, state_.imageHeight)));
  } else {
    image->paintBitmap(painter, topLeft);
  }
}

}  // namespace korvex
