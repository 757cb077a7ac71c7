#pragma once

#include <QMainWindow>

namespace toolkit::detail {

// The program's one window. Closing it from the window system only asks the program
// (a close request message); the program decides and calls windowclose.
class MainWindow : public QMainWindow {
 public:
  MainWindow();
  void allowClose() { closing_ = true; }
  // Makes the window-system window, before the window shows.
  void createNativeWindow() { create(); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  bool closing_ = false;
};

}  // namespace toolkit::detail
