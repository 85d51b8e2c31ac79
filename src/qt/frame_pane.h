#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "scene/draw_list.h"

class QLabel;

namespace korvex {

class MemberNames;
class ShopSession;
class ViewWidget;

// The frame the list was made from, in 3D: every member where it sits, assembled from its part
// as cut, with its name. Clicking a member chooses the row of its part; the members of the row
// shown stand out. Orbit, pan and zoom as in the part's preview.
class FramePane : public QWidget {
  Q_OBJECT

 public:
  FramePane(const ShopSession& session, QWidget* parent);
  ~FramePane() override;

  // The session changed: a set of ShopSession::Change.
  void sessionChanged(unsigned what);

  const DrawList& scene() const { return scene_; }
  ViewWidget& view() const { return *view_; }
  QString heading() const;
  // The member the view shows at a point of it; nothing there.
  std::optional<std::size_t> memberAt(const QPoint& at) const;

 signals:
  // A member was clicked: the row of its part.
  void rowPicked(std::size_t row);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showFrame();
  void showChosen();
  void picked(const QPoint& at);

  const ShopSession& session_;
  QLabel* heading_;
  ViewWidget* view_;
  MemberNames* names_;
  DrawList scene_;
  std::vector<bool> chosen_;  // a member each: its part's row is shown
};

}  // namespace korvex
