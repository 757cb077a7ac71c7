#include "toolkit/text_filter.h"

#include <QLineEdit>

#include <algorithm>

namespace toolkit::detail {
namespace {

bool isControl(QChar c) {
  return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

qsizetype codePoints(const QString& text) {
  qsizetype count = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (!(text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate())) ++count;
  }
  return count;
}

// The index `count` code points before `from` (0 when there are fewer).
qsizetype stepBack(const QString& text, qsizetype from, qsizetype count) {
  qsizetype i = from;
  for (; count > 0 && i > 0; --count) {
    --i;
    if (i > 0 && text[i].isLowSurrogate() && text[i - 1].isHighSurrogate()) --i;
  }
  return count > 0 ? -1 : i;
}

// The index just past the first `count` code points.
qsizetype stepForward(const QString& text, qsizetype count) {
  qsizetype i = 0;
  for (; count > 0 && i < text.size(); --count) {
    ++i;
    if (i < text.size() && text[i].isLowSurrogate() && text[i - 1].isHighSurrogate()) ++i;
  }
  return i;
}

}  // namespace

TextValidator::TextValidator(int width, QObject* parent) : QValidator(parent), width_(width) {}

QValidator::State TextValidator::validate(QString& input, int& pos) const {
  // A blank stands in for each control character, so positions stay where they were.
  for (QChar& c : input) {
    if (isControl(c)) c = u' ';
  }
  const qsizetype excess = width_ > 0 ? codePoints(input) - width_ : 0;
  if (excess <= 0) return Acceptable;
  const qsizetype cursor = std::clamp<qsizetype>(pos, 0, input.size());
  const qsizetype start = stepBack(input, cursor, excess);
  if (start >= 0) {
    input.remove(start, cursor - start);
    pos = static_cast<int>(start);
  } else {
    input.truncate(stepForward(input, width_));
    pos = static_cast<int>(std::min<qsizetype>(cursor, input.size()));
  }
  return Acceptable;
}

void installTextFilter(QLineEdit* edit, int width) {
  edit->setValidator(new TextValidator(width, edit));
}

}  // namespace toolkit::detail
