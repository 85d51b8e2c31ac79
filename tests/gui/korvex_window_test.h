#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QPoint>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/workspace.h"
#include "qt/main_window.h"
#include "qt/view_widget.h"
#include "qt/widget_panel.h"
#include "recording_prompts.h"

namespace korvex {

// Runs answer on the dialog as soon as it is open and modal; a dialog that has not opened
// within a few seconds fails the test.
template <typename Dialog>
void WhenOpen(std::function<void(Dialog*)> answer) {
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [poll, answer, deadline = QDeadlineTimer(10000)] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    const bool open = dialog && dialog->isVisible();
    if (!open && !deadline.hasExpired()) return;
    poll->stop();
    poll->deleteLater();
    if (open) {
      answer(dialog);
    } else {
      ADD_FAILURE() << "the dialog did not open";
    }
  });
  poll->start();
}

// A KORVEX window started as the program starts it, with prompts the test answers, and its
// first frame drawn.
class KorvexWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  MainWindow& window() { return *window_; }
  WidgetPanel& panel() { return window_->panel(); }
  ViewWidget& view() { return window_->view(); }

  // Clicks an image button of the panel with the left mouse button.
  void clickButton(int id);
  // Waits until the view has shown a new frame; false after a few seconds without one.
  bool waitForFrame();
  // Sends the view a pointer move with the buttons and keys held.
  void movePointer(QPoint at, Qt::MouseButtons buttons,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void turnWheel(int delta);

  RecordingPrompts prompts_;
  Workspace workspace_;
  std::string projectArgument_;  // the project named on the command line, if any
  std::unique_ptr<MainWindow> window_;
};

}  // namespace korvex
