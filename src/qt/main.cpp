#include <QApplication>

#include "base/pending_paths.h"
#include "qt/korvex_app.h"

int main(int argc, char** argv) {
  korvex::InstallInterruptCleanup();
  QApplication application(argc, argv);
  return korvex::RunKorvex(application);
}
