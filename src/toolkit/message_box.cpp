#include <QApplication>
#include <QMessageBox>

#include "toolkit/state.h"

namespace toolkit {

void wmessagebox(std::string_view title, std::string_view text) {
  detail::State& s = detail::state();
  if (s.answerMessageBoxes) {
    s.messageBoxTexts.emplace_back(text);
    return;
  }
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return;
  QMessageBox box(QMessageBox::Warning,
                  QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                  QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                  QMessageBox::Ok, s.mainWindow);
  box.exec();
}

}  // namespace toolkit
