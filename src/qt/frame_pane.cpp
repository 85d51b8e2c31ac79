#include "qt/frame_pane.h"

#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "app/shop_session.h"
#include "base/pi.h"
#include "qt/view_widget.h"
#include "scene/frame_scene.h"

namespace korvex {

// The members' names over the view, each at the middle of its tube, following the camera.
class MemberNames : public QWidget {
 public:
  MemberNames(const ShopSession& session, const ViewWidget& view, QWidget* parent)
      : QWidget(parent), session_(session), view_(view) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    const auto& frame = session_.frame();
    if (!frame) return;
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const ViewGeometry geometry = view_.viewGeometry();
    std::vector<QRect> taken;  // a name that would cover another is left out
    for (std::size_t m = 0; m < frame->outlines.size(); ++m) {
      const auto at = PixelOf(geometry, MemberMiddle(frame->outlines[m]));
      if (!at) continue;
      const QString name = QString::fromStdString(frame->memberName(m));
      const QPoint base(static_cast<int>((*at)[0]) + 4, static_cast<int>((*at)[1]) - 4);
      const QRect box = metrics.boundingRect(name).translated(base).adjusted(-1, -1, 1, 1);
      if (!rect().contains(box) || std::any_of(taken.begin(), taken.end(),
                                               [&](const QRect& r) { return r.intersects(box); }))
        continue;
      taken.push_back(box);
      // Dark letters on a light halo read on the view's background and over the tubes alike.
      painter.setPen(QColor(255, 255, 255, 220));
      for (const QPoint& step : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
        painter.drawText(base + step, name);
      painter.setPen(QColor(20, 30, 60));
      painter.drawText(base, name);
    }
  }

 private:
  const ShopSession& session_;
  const ViewWidget& view_;
};

namespace {

// The eye this far from a frame's middle sees all of it, times its size.
constexpr double kFitMargin = 1.1;

// The middle of the members' ends and how far from it they reach, tube radii included.
std::pair<Vec3, double> Extent(const std::vector<MemberOutline>& members) {
  Vec3 low{1e300, 1e300, 1e300}, high{-1e300, -1e300, -1e300};
  double widest = 0;
  for (const MemberOutline& member : members) {
    for (const Vec3& end : MemberEnds(member)) {
      for (int k = 0; k < 3; ++k) {
        low[k] = std::min(low[k], end[k]);
        high[k] = std::max(high[k], end[k]);
      }
    }
    widest = std::max(widest, member.radius);
  }
  if (members.empty()) return {{0, 0, 0}, 1};
  return {0.5 * (low + high), Length(high - low) / 2 + widest};
}

}  // namespace

FramePane::FramePane(const ShopSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("frameHeading"));
  view_ = new ViewWidget(scene_, this);
  view_->setObjectName(QStringLiteral("frameView"));
  names_ = new MemberNames(session_, *view_, view_);
  view_->installEventFilter(this);
  layout->addWidget(heading_);
  layout->addWidget(view_, 1);
  connect(view_, &ViewWidget::drawn, names_, qOverload<>(&QWidget::update));
  connect(view_, &ViewWidget::clicked, this, &FramePane::picked);
  showFrame();
}

FramePane::~FramePane() {
  delete view_;  // before the scene it draws
}

bool FramePane::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_ && event->type() == QEvent::Resize) names_->resize(view_->size());
  return QWidget::eventFilter(watched, event);
}

void FramePane::sessionChanged(unsigned what) {
  if (what & ShopSession::kFrame)
    showFrame();
  else if (what & (ShopSession::kPart | ShopSession::kRows))
    showChosen();
}

QString FramePane::heading() const {
  return heading_->text();
}

void FramePane::showFrame() {
  const auto& frame = session_.frame();
  if (!frame) {
    heading_->setText(tr("Open a frame file (.kvxf) to see it here"));
    chosen_.clear();
    DrawFrameScene({}, {}, scene_);
    view_->showScene();
    return;
  }
  heading_->setText(tr("%1: %2 members, %3 parts. Click a member to show its part.")
                        .arg(QFileInfo(QString::fromStdString(frame->path)).fileName())
                        .arg(frame->outlines.size())
                        .arg(frame->rowIds.size()));
  const auto [middle, reach] = Extent(frame->outlines);
  ViewInput input = ViewInput::AtStartUp();
  const double fit = reach / std::sin(kViewFieldDegrees * kPi / 360) * kFitMargin;
  input.distance = std::clamp(fit, 10 * kViewNear, kViewFar / 2);
  view_->setSceneOrigin(middle);
  view_->setInput(input);
  chosen_.clear();  // drawn afresh
  showChosen();
}

void FramePane::showChosen() {
  const auto& frame = session_.frame();
  if (!frame) return;
  const auto rowId = session_.part().rowId();
  std::vector<bool> chosen(frame->outlines.size(), false);
  if (rowId) {
    for (std::size_t m : frame->membersOfRow(*rowId))
      chosen[m] = true;
  }
  if (chosen == chosen_ && !scene_.batches().empty()) return;
  chosen_ = std::move(chosen);
  DrawFrameScene(frame->outlines, chosen_, scene_);
  view_->showScene();
}

std::optional<std::size_t> FramePane::memberAt(const QPoint& at) const {
  const auto& frame = session_.frame();
  if (!frame) return std::nullopt;
  // The pixel's middle, as the view draws it.
  return MemberAt(frame->outlines, view_->viewGeometry(), at.x() + 0.5, at.y() + 0.5);
}

void FramePane::picked(const QPoint& at) {
  const auto member = memberAt(at);
  if (!member) return;
  if (const auto row = session_.list().rowOf(session_.frame()->rowOfMember(*member)))
    emit rowPicked(*row);
}

}  // namespace korvex
