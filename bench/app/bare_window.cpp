// The yardstick of bench/startup.sh: a Qt main window with a menu bar and a status bar
// and nothing else, the least that a Widgets program of Kandelor's kind starts.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Bare window"));
  window.menuBar()
      ->addMenu(QStringLiteral("&File"))
      ->addAction(QStringLiteral("&Quit"), &app, &QApplication::quit);
  window.statusBar()->showMessage(QStringLiteral("Ready"));
  window.show();
  return app.exec();
}
