#pragma once

#include <QWidget>

#include "scene/draw_list.h"
#include "scene/job_scene.h"

namespace korvex {

class ViewWidget;
struct ComputedJob;

// A part in 3D: the tube between its ends, the end and hole curves and their flat patterns, in
// a view that orbits, pans and zooms as the main view does. It keeps its picture until the next
// job, so a part with problems keeps its last good one.
class PartPreview : public QWidget {
  Q_OBJECT

 public:
  explicit PartPreview(QWidget* parent = nullptr);
  ~PartPreview() override;

  // Draws the job and shows it.
  void showJob(const ComputedJob& job);

  const DrawList& scene() const { return scene_; }
  ViewWidget& view() const { return *view_; }

 private:
  DisplayOptions display_{false, true, false};  // the tube between the cuts, no grids or bodies
  DrawList scene_;
  ViewWidget* view_;
};

}  // namespace korvex
