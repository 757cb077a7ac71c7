#pragma once

#include <QMainWindow>

namespace toolkit::detail {

// The program's one window. Closing it from the window system only asks the program
// (a close request message); the program decides and calls windowclose.
class MainWindow : public QMainWindow {
 public:
  MainWindow();
  void allowClose() { closing_ = true; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  bool closing_ = false;
};

}  // namespace toolkit::detail
