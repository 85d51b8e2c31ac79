// Saves a screenshot of the panel-like button in each of its looks:
//   rrbutton_looks OUTPUT_FOLDER
// Under a headless machine: xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" rrbutton_looks /tmp/looks

#include <QApplication>
#include <QDir>
#include <cstdio>

#include "looks.h"

using korvex::testing::kAllLookShots;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: rrbutton_looks OUTPUT_FOLDER\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "rrbutton_looks: cannot create %s\n", argv[1]);
    return 1;
  }
  for (const auto look : kAllLookShots) {
    korvex::testing::TestWindow window;
    korvex::RRButton* button = korvex::testing::MakePanelButton(window, "OPEN");
    if (!window.showAndActivate()) {
      std::fprintf(stderr, "rrbutton_looks: the window did not come up\n");
      return 1;
    }
    korvex::testing::StageLook(button, look);
    const QString path = folder.filePath(korvex::testing::LookName(look) + ".png");
    if (!button->grab().save(path)) {
      std::fprintf(stderr, "rrbutton_looks: cannot write %s\n", qPrintable(path));
      return 1;
    }
    std::printf("%s\n", qPrintable(path));
  }
  return 0;
}
