#include "toolkit/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>
#include <QTextBrowser>

#include <map>

#include "toolkit/field_focus.h"
#include "toolkit/field_registry.h"
#include "toolkit/form_builder.h"
#include "toolkit/message_queue.h"
#include "toolkit/qt_text.h"
#include "toolkit/windows.h"

namespace toolkit {
namespace detail {

MainWindow::MainWindow() {
  setAttribute(Qt::WA_DeleteOnClose, false);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  event->ignore();
  enqueue(kCloseRequest, -1, -1);
}

namespace {

QList<QKeySequence> keysOf(CommandKey key) {
  struct Keys {
    QKeySequence::StandardKey standard;
    Qt::Key letter;
  };
  static const std::map<CommandKey, Keys> kKeys = {
      {CommandKey::New, {QKeySequence::New, Qt::Key_N}},
      {CommandKey::Open, {QKeySequence::Open, Qt::Key_O}},
      {CommandKey::Save, {QKeySequence::Save, Qt::Key_S}},
      {CommandKey::Quit, {QKeySequence::Quit, Qt::Key_Q}}};
  const auto found = kKeys.find(key);
  if (found == kKeys.end()) return {};
  QList<QKeySequence> keys = QKeySequence::keyBindings(found->second.standard);
  const QKeySequence ctrlLetter(Qt::CTRL | found->second.letter);
  if (!keys.contains(ctrlLetter)) keys.prepend(ctrlLetter);
  return keys;
}

void addMenuItems(QWidget* menu, const std::vector<MenuItem>& items) {
  for (const MenuItem& item : items) {
    const QString text = toQString(item.text);
    if (!item.popup.empty()) {
      auto* popup = new QMenu(text, menu);
      popup->setObjectName(toQString(item.name));
      addMenuItems(popup, item.popup);
      if (auto* bar = qobject_cast<QMenuBar*>(menu)) {
        bar->addMenu(popup);
      } else {
        static_cast<QMenu*>(menu)->addMenu(popup);
      }
      continue;
    }
    auto* action = new QAction(text, menu);
    action->setObjectName(toQString(item.name));
    QList<QKeySequence> keys = keysOf(item.key);
    if (!item.shortcut.empty())
      keys.append(QKeySequence(toQString(item.shortcut), QKeySequence::PortableText));
    action->setShortcuts(keys);
    const int id = item.id;
    QObject::connect(action, &QAction::triggered, [id] { enqueue(kMenuSelection, id, -1); });
    menu->addAction(action);
  }
}

Qt::WindowFlags windowFlagsFor(int flags) {
  Qt::WindowFlags result =
      Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
  if (flags & kSystemMenu) result |= Qt::WindowSystemMenuHint;
  if (flags & kMinimiseBox) result |= Qt::WindowMinimizeButtonHint;
  if (flags & kMaximiseBox) result |= Qt::WindowMaximizeButtonHint;
  if (flags & kFixedFrame) result |= Qt::MSWindowsFixedSizeDialogHint;
  return result;
}

}  // namespace

void presentAsKandelor() {
  QGuiApplication::setDesktopFileName(QStringLiteral("kandelor"));
  if (!QApplication::windowIcon().availableSizes().isEmpty()) return;
  // Every size that the build embeds (the icon theme's sizes), kept as read: the window
  // system takes the images unpremultiplied, so converting them for drawing and back
  // would only cost time.
  QIcon icon;
  for (const QFileInfo& file : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files))
    icon.addPixmap(QPixmap::fromImage(QImage(file.filePath()), Qt::NoFormatConversion));
  QApplication::setWindowIcon(icon);
}

}  // namespace detail

void winitialise() {
  if (QCoreApplication::instance() != nullptr) return;
  // QApplication keeps references to these for its whole life.
  static int argc = 1;
  static char name[] = "kandelor";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

void windowopen2(int flags, int menuId, int formId, std::string_view title) {
  using namespace detail;
  Windows& s = windows();
  if (s.main || qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return;
  auto* window = new MainWindow;
  s.main = window;
  window->setWindowTitle(toQString(title));
  if (const MenuResource* menu = findMenu(menuId)) addMenuItems(window->menuBar(), menu->items);
  if (flags & kStatusBar) {
    s.statusBar = window->statusBar();
    s.statusBar->setSizeGripEnabled(false);
  }

  const FormResource* form = findForm(formId);
  if (form != nullptr) window->setCentralWidget(buildForm(*form));
  if (form != nullptr && form->childStyle) {
    // The window wraps the form exactly and cannot be resized or maximised.
    flags = (flags & ~(kMaximiseBox | kOpenMaximised)) | kFixedFrame;
    window->setWindowFlags(windowFlagsFor(flags));
    window->adjustSize();
    window->setFixedSize(window->sizeHint());
  } else {
    window->setWindowFlags(windowFlagsFor(flags));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      window->resize(screen->availableSize() * 0.8);
    }
  }
  window->createNativeWindow();
  watchFocus();
  if (flags & kOpenMaximised) {
    window->showMaximized();
  } else {
    window->show();
  }
  // The icon is set once the window exists, so that it is handed to the window system
  // once: set before, it would be converted both when the window is made and after.
  // Set after the window is shown, its images follow the request to map the window
  // instead of holding it back.
  presentAsKandelor();
  window->activateWindow();
}

void windowclose() {
  using namespace detail;
  Windows& s = windows();
  MainWindow* window = static_cast<MainWindow*>(s.main.data());
  if (window == nullptr) return;
  unwatchFocus();
  fields().clear();
  s.statusParts.clear();
  s.main = nullptr;
  window->allowClose();
  window->close();
  delete window;
  if (s.helpViewer) {
    delete s.helpViewer.data();
  }
  delete s.planWindow.data();
  delete s.scheduleWindow.data();
}

}  // namespace toolkit
