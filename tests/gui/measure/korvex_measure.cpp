// KORVEX as it starts, measured: see measure_common.h. Run by scripts/measure-gui.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "app/control_ids.h"
#include "app/workspace.h"
#include "measure_common.h"
#include "qt/korvex_app.h"
#include "qt/main_window.h"
#include "qt/view_widget.h"
#include "qt/widget_panel.h"
#include "recording_prompts.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: korvex_measure first-frame|redraw|screenshot FILE.png [PROJECT]\n");
    return 2;
  }
  korvex::PrepareApplication(application);
  korvex::RecordingPrompts prompts;
  korvex::Workspace workspace;
  // A screenshot may show a project or part file, as the program started with it.
  const bool screenshot = std::strcmp(argv[1], "screenshot") == 0 && (argc == 3 || argc == 4);
  auto window = korvex::StartKorvex(prompts, workspace, screenshot && argc == 4 ? argv[3] : "");
  if (!window) return 1;
  if (screenshot) {
    return korvex::SaveScreenshot(*window, window->view(), argv[2]);
  }
  return korvex::RunMeasurement(argv[1], *window, window->view(), [&] {
    // The heaviest picture: N = 1000 with every DISPLAY box on.
    korvex::WidgetPanel& panel = window->panel();
    panel.setText(korvex::kCutSegmentsField, "1000");
    for (int box : {korvex::kDisplayGridBox, korvex::kDisplayMainBox, korvex::kDisplayCutBox}) {
      panel.setCheckState(box, 1);
    }
    korvex::PanelCommand(korvex::kUpdateParamsButton, panel, prompts, workspace, *window);
  });
}
