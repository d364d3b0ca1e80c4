// The start-up benchmark's peer: a bare Qt window, linked against Qt alone, shown and run until
// idle exactly as the program's start-up probe does.
//   bare_qt_window <client width> <client height> <report fd> <hold fd>
// At idle it writes one line to the report descriptor and waits until the hold descriptor ends,
// so the benchmark can read its memory at rest.
#include <QApplication>
#include <QWidget>

#include <cstdlib>
#include <unistd.h>

#include "platform/testing/QtIdle.h"

int main(int argc, char** argv) {
  if (argc < 5) return 2;
  // The program's own Qt settings, so both sides start the same toolkit.
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  qputenv("QT_SCALE_FACTOR", "1");
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Floor);
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Configurator"));
  window.resize(std::atoi(argv[1]), std::atoi(argv[2]));
  const bool ok = conftesting::ShowUntilIdle([&] { window.show(); });
  const int report = std::atoi(argv[3]), hold = std::atoi(argv[4]);
  const char* line = ok ? "idle\n" : "no-paint\n";
  if (write(report, line, ok ? 5 : 9) < 0) return 3;
  char c;
  while (read(hold, &c, 1) > 0) {
  }
  return 0;
}
