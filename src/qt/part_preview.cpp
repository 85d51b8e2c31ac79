#include "qt/part_preview.h"

#include <QVBoxLayout>

#include "qt/view_widget.h"
#include "scene/view_input.h"

namespace korvex {

PartPreview::PartPreview(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  view_ = new ViewWidget(scene_, this);
  view_->setInput(ViewInput::AtStartUp());
  layout->addWidget(view_);
}

PartPreview::~PartPreview() {
  delete view_;  // before the scene it draws
}

void PartPreview::showJob(const ComputedJob& job) {
  DrawJobScene(job, display_, scene_);
  view_->showScene();
}

}  // namespace korvex
