#include <QApplication>

#include "qt/korvex_app.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  return korvex::RunKorvex(application);
}
