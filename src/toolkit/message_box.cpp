#include <QApplication>
#include <QMessageBox>

#include "toolkit/qt_text.h"
#include "toolkit/state.h"

namespace toolkit {

void wmessagebox(std::string_view title, std::string_view text) {
  detail::State& s = detail::state();
  if (s.answerMessageBoxes) {
    s.messageBoxTexts.emplace_back(text);
    return;
  }
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return;
  QMessageBox box(QMessageBox::Warning, detail::toQString(title), detail::toQString(text),
                  QMessageBox::Ok, s.mainWindow);
  box.exec();
}

}  // namespace toolkit
