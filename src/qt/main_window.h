#pragma once

#include <QWidget>
#include <memory>

#include "app/panel_command.h"

namespace korvex {

class Prompts;
class ViewFrame;
class ViewWidget;
class WidgetPanel;
struct Workspace;

// The program's one window: the control panel along the top and left edges and the 3D view in
// the rest. Fixed size; the buttons' clicks run the panel's commands.
class MainWindow : public QWidget, public CommandHost {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 1024;
  static constexpr int kClientHeight = 668;
  static constexpr QRect ViewFrameGeometry() { return {200, 100, 820, 563}; }

  MainWindow(Prompts& prompts, Workspace& workspace);
  ~MainWindow() override;

  WidgetPanel& panel() { return *panel_; }
  ViewWidget& view() { return *view_; }
  ViewFrame& viewFrame() { return *viewFrame_; }

  void showRebuiltScene() override;
  void endProgram() override;

 protected:
  bool event(QEvent* event) override;
  // No Tab navigation between the panel's controls.
  bool focusNextPrevChild(bool next) override;

 private:
  Prompts& prompts_;
  Workspace& workspace_;
  ViewFrame* viewFrame_;
  ViewWidget* view_;
  std::unique_ptr<WidgetPanel> panel_;
};

}  // namespace korvex
