// The yardstick for the main window's start-up: a plain Qt window of the main
// window's size, with nothing in it, titled "Kestrane bare window".
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Kestrane bare window"));
  window.resize(894, 813);
  window.show();
  return app.exec();
}
