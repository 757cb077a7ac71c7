#include <QApplication>
#include <QMessageBox>

#include "toolkit/dialog_answers.h"
#include "toolkit/qt_text.h"
#include "toolkit/toolkit.h"
#include "toolkit/windows.h"

namespace toolkit {

void wmessagebox(std::string_view title, std::string_view text) {
  detail::DialogAnswers& answers = detail::dialogAnswers();
  if (answers.answerMessageBoxes) {
    answers.messageBoxTexts.emplace_back(text);
    return;
  }
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return;
  QMessageBox box(QMessageBox::Warning, detail::toQString(title), detail::toQString(text),
                  QMessageBox::Ok, detail::windows().main);
  box.exec();
}

}  // namespace toolkit
