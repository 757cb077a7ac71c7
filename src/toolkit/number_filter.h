#pragma once

#include <QObject>
#include <QValidator>

class QLineEdit;

namespace toolkit::detail {

// Keeps the characters of a numeric field to those that can spell a number: digits,
// "+" and "-", and for real fields "." and "E" (a typed "e" becomes "E").
// Typed characters outside the set are refused with a beep and a note at the field of
// what it accepts; a paste that holds any of them is refused as a whole.
class NumberValidator : public QValidator {
 public:
  NumberValidator(bool real, QObject* parent);
  State validate(QString& input, int& pos) const override;

 private:
  bool real_;
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

}  // namespace toolkit::detail
