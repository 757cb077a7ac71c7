#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

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
  detail::presentAsKandelor();  // also where no main window was opened
  QMessageBox box(QMessageBox::Warning, detail::toQString(title), detail::toQString(text),
                  QMessageBox::Ok, detail::windows().main);
  box.exec();
}

namespace {

QString withoutMnemonic(std::string_view text) {
  QString plain = detail::toQString(text);
  return plain.remove(QLatin1Char('&'));
}

// The index of the button a test answered with; the Esc button when none was given.
int answeredInAdvance(detail::DialogAnswers& answers, std::string_view text,
                      std::span<const std::string_view> buttons, int escapeButton) {
  answers.questionTexts.emplace_back(text);
  if (answers.questionAnswers.empty()) return escapeButton;
  const QString wanted = QString::fromStdString(answers.questionAnswers.front());
  answers.questionAnswers.pop_front();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (withoutMnemonic(buttons[i]) == wanted) return static_cast<int>(i);
  }
  return escapeButton;
}

// Keeps a question from being answered by accident: keys typed before it showed (or in
// its first moment on screen) are dropped, and a plain letter answers nothing, so that
// only Enter (the safe default), Esc, a button's Alt+letter, Space on a chosen button or
// a click does.
class DeliberateAnswers : public QObject {
 public:
  explicit DeliberateAnswers(QMessageBox& box) : box_(box) {
    shown_.invalidate();
    qApp->installEventFilter(this);
  }
  ~DeliberateAnswers() override { qApp->removeEventFilter(this); }

  bool eventFilter(QObject* receiver, QEvent* event) override {
    // Counted from the first showing: a later one (as the box becomes active) is no new start.
    if (receiver == &box_ && event->type() == QEvent::Show && !shown_.isValid()) shown_.start();
    const auto type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
      return false;
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (widget == nullptr || (widget != &box_ && !box_.isAncestorOf(widget))) return false;
    if (!shown_.isValid() || shown_.elapsed() < kSettleMilliseconds) return true;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool plain =
        !(key->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier));
    return type == QEvent::KeyPress && plain && key->text().size() == 1 &&
           key->text()[0].isLetterOrNumber();
  }

 private:
  static constexpr qint64 kSettleMilliseconds = 500;
  QMessageBox& box_;
  QElapsedTimer shown_;
};

}  // namespace

int wquestion(std::string_view title, std::string_view text,
              std::span<const std::string_view> buttons, int defaultButton, int escapeButton) {
  detail::DialogAnswers& answers = detail::dialogAnswers();
  if (answers.answerMessageBoxes) return answeredInAdvance(answers, text, buttons, escapeButton);
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr ||
      detail::windows().main == nullptr) {
    return defaultButton;
  }
  QMessageBox box(QMessageBox::Question, detail::toQString(title), detail::toQString(text),
                  QMessageBox::NoButton, detail::windows().main);
  std::vector<QPushButton*> shown;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const bool escapes = static_cast<int>(i) == escapeButton;
    shown.push_back(box.addButton(detail::toQString(buttons[i]),
                                  escapes ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
  }
  if (defaultButton >= 0 && defaultButton < static_cast<int>(shown.size()))
    box.setDefaultButton(shown[static_cast<std::size_t>(defaultButton)]);
  if (escapeButton >= 0 && escapeButton < static_cast<int>(shown.size()))
    box.setEscapeButton(shown[static_cast<std::size_t>(escapeButton)]);
  const DeliberateAnswers deliberate(box);
  box.exec();
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (box.clickedButton() == shown[i]) return static_cast<int>(i);
  }
  return escapeButton;
}

}  // namespace toolkit
