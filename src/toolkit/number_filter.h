#pragma once

#include <QObject>
#include <QValidator>

class QLineEdit;

namespace toolkit::detail {

// Keeps the characters of a numeric field to those that can spell a number: digits,
// "+" and "-", and for real fields "." and "E" (a typed "e" becomes "E"). Where the
// desktop writes decimals with a comma, a comma typed in a real field is its decimal
// point; elsewhere it is refused with a note saying to type a point.
// A typed character outside the set is refused with a beep and a note at the field of
// what it accepts. A paste or a drop must be exactly one number (blanks around it
// allowed): anything else is refused whole, with the same kind of note.
class NumberValidator : public QValidator {
 public:
  NumberValidator(bool real, QLineEdit* edit);
  State validate(QString& input, int& pos) const override;

 private:
  bool real_;
  QLineEdit* edit_;
  // The edit's text before the change being judged (the edit already holds the new one).
  QString before_;
};

class NumberKeyFilter : public QObject {
 public:
  NumberKeyFilter(bool real, QObject* parent);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool real_;
};

// Puts the filter and the validator on a line edit; integer fields hold 11 characters.
void installNumberFilter(QLineEdit* edit, bool real);

// While one exists, the program is putting a field's text: it is shown as it is.
class ProgramText {
 public:
  ProgramText();
  ~ProgramText();
  ProgramText(const ProgramText&) = delete;
  ProgramText& operator=(const ProgramText&) = delete;
};

// Whether the desktop's locale writes decimals with a comma.
bool commaIsDecimalPoint();

}  // namespace toolkit::detail
