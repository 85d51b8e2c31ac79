#include "qt/korvex_app.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QStyleFactory>

#include "app/project_commands.h"
#include "app/rebuild_scene.h"
#include "app/working_folder.h"
#include "app/workspace.h"
#include "project/frame_file.h"
#include "qt/main_window.h"
#include "qt/qt_prompts.h"
#include "qt/shop_window.h"
#include "qt/view_widget.h"
#include "qt/widget_panel.h"

// Resources of a static library must be registered by name, outside any namespace.
static void RegisterIconResources() {
  Q_INIT_RESOURCE(korvex);
}

namespace korvex {
namespace {

constexpr int kSetUpFailed = 1;

void ShowSetUpFailure(Prompts& prompts, const QString& reason) {
  prompts.showMessage("Error", reason.toStdString(), MessageIcon::Error);
}

// The project named on the command line, made absolute before start-up may change the current
// folder; empty when none is named.
std::string ProjectArgument(const QStringList& arguments) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (!arguments[i].startsWith(QLatin1Char('-'))) {
      return QFileInfo(arguments[i]).absoluteFilePath().toLocal8Bit().toStdString();
    }
  }
  return {};
}

}  // namespace

void PrepareApplication(QApplication& application) {
  RegisterIconResources();
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
    application.setStyle(fusion);
  }
  application.setApplicationName(QStringLiteral("KORVEX"));
}

std::unique_ptr<MainWindow> StartKorvex(Prompts& prompts, Workspace& workspace,
                                        const std::string& projectPath) {
  if (const auto failure = ViewWidget::ProbeOpenGl()) {
    ShowSetUpFailure(prompts, *failure);
    return nullptr;
  }
  auto window = std::make_unique<MainWindow>(prompts, workspace);
  window->show();
  // Active from the start, so the first click on a button is not spent on activating it.
  window->activateWindow();
  window->view().setFocus(Qt::OtherFocusReason);
  SetWorkingFolder();
  if (RebuildSceneOrExplain(window->panel(), prompts, workspace)) window->view().showScene();
  if (!projectPath.empty() &&
      OpenProjectAt(projectPath, window->panel(), prompts, workspace) == CommandOutcome::Done) {
    window->view().showScene();
  }
  window->view().setInput(ViewInput::AtStartUp());
  return window;
}

int RunShop(const QStringList& files) {
  if (const auto failure = ViewWidget::ProbeOpenGl()) {
    QtPrompts prompts;
    ShowSetUpFailure(prompts, *failure);
    return kSetUpFailed;
  }
  ShopWindow window;
  window.show();
  QStringList parts, problems;
  for (const QString& file : files) {
    if (file.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ||
        IsFrameFilePath(file.toStdString())) {
      if (const auto failure = window.openList(file)) problems << *failure;
    } else {
      parts << file;
    }
  }
  if (!parts.isEmpty()) {
    if (const auto failure = window.addParts(parts)) problems << *failure;
  }
  if (!problems.isEmpty()) {
    QMessageBox::warning(&window, QStringLiteral("KORVEX Shop"), problems.join('\n'));
  }
  return QApplication::exec();
}

int RunKorvex(QApplication& application) {
  PrepareApplication(application);
  QStringList arguments = QApplication::arguments();
  if (arguments.removeAll(QStringLiteral("--shop")) > 0) return RunShop(arguments.mid(1));
  QtPrompts prompts;
  Workspace workspace;
  std::unique_ptr<MainWindow> window =
      StartKorvex(prompts, workspace, ProjectArgument(QApplication::arguments()));
  if (!window) return kSetUpFailed;

  bool failed = false;
  QObject::connect(
      &window->view(), &ViewWidget::setUpFailed, window.get(),
      [&](const QString& reason) {
        failed = true;
        ShowSetUpFailure(prompts, reason);
        window->close();
      },
      Qt::QueuedConnection);
  const int status = application.exec();
  return failed ? kSetUpFailed : status;
}

}  // namespace korvex
