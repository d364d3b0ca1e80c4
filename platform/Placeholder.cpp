#include "platform/Placeholder.h"
#include <QApplication>
#include <QWidget>

int RunPlaceholderWindow(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget w;
  w.setWindowTitle("Configurator");
  w.resize(694, 484);
  w.show();
  return app.exec();
}
