#include "qt/main_window.h"

#include <QIcon>
#include <QLayout>

#include "app/workspace.h"
#include "controls/rrbutton/rrbutton_notify_event.h"
#include "qt/view_frame.h"
#include "qt/view_widget.h"
#include "qt/widget_panel.h"

namespace korvex {
namespace {

QFont PanelFont() {
  QFont font;
  // Liberation Sans has Arial's metrics where Arial itself is missing.
  font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  font.setPixelSize(11);  // 8 points at 96 dots per inch
  return font;
}

// Frames draw their caption on the top line, inside the frame's own rectangle.
constexpr const char* kFrameStyle =
    "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
    "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
    " left: 6px; padding: 0 2px; }";

}  // namespace

MainWindow::MainWindow(Prompts& prompts, Workspace& workspace)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      prompts_(prompts),
      workspace_(workspace) {
  setWindowTitle(QStringLiteral("KORVEX 2014"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/ICON_app.svg")));
  setFixedSize(kClientWidth, kClientHeight);
  setFont(PanelFont());
  setStyleSheet(QString::fromLatin1(kFrameStyle));
  move(0, 0);

  viewFrame_ = new ViewFrame(ViewFrameGeometry(), this);
  view_ = new ViewWidget(workspace_.scene, viewFrame_);
  viewFrame_->layout()->addWidget(view_);
  panel_ = std::make_unique<WidgetPanel>(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::showRebuiltScene() {
  view_->showScene();
}

void MainWindow::endProgram() {
  close();
}

bool MainWindow::event(QEvent* event) {
  if (event->type() == RRButtonNotifyEvent::eventType()) {
    const auto* notice = static_cast<RRButtonNotifyEvent*>(event);
    if (const auto id = notice->clickedControlId()) {
      PanelCommand(static_cast<ControlId>(*id), *panel_, prompts_, workspace_, *this);
    }
    return true;
  }
  return QWidget::event(event);
}

bool MainWindow::focusNextPrevChild(bool) {
  return false;
}

}  // namespace korvex
