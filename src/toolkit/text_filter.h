#pragma once

#include <QValidator>

class QLineEdit;

namespace toolkit::detail {

// Keeps a text field to one line of at most its width in characters, whatever brings
// the text in: typing, a paste, a drop or a put. Every control character (line break,
// carriage return, tab, any of 0x00-0x1F and DEL) becomes a blank. A text longer than
// the width loses the characters just before the cursor, that is, the tail of what was
// typed or pasted; a put places the cursor at the end, so its text is cut at the
// width. Characters are counted as code points and a surrogate pair is never split.
class TextValidator : public QValidator {
 public:
  // `width` 0: no limit on the length.
  TextValidator(int width, QObject* parent);
  State validate(QString& input, int& pos) const override;

 private:
  int width_;
};

void installTextFilter(QLineEdit* edit, int width);

}  // namespace toolkit::detail
