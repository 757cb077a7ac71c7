#include "toolkit/form_builder.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

#include <algorithm>

#include "toolkit/field_registry.h"
#include "toolkit/message_queue.h"
#include "toolkit/number_filter.h"
#include "toolkit/number_text.h"
#include "toolkit/qt_text.h"
#include "toolkit/text_filter.h"

namespace toolkit::detail {
namespace {

constexpr const char* kShownTextProperty = "kandelorShownText";
constexpr const char* kEarlierTextProperty = "kandelorEarlierText";

// Converts dialog units into pixels of the form's font.
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    charWidth_ = std::max(1, metrics.averageCharWidth());
    charHeight_ = std::max(1, metrics.height());
  }
  int x(int units) const { return units * charWidth_ / 4; }
  int y(int units) const { return units * charHeight_ / 8; }

 private:
  int charWidth_ = 1;
  int charHeight_ = 1;
};

// The requested face when the system has it, otherwise the system's sans font.
QFont formFont(const FormResource& form) {
  const int points = form.pointSize > 0 ? form.pointSize : 8;
  QFont font(toQString(form.fontFamily), points);
  if (!form.fontFamily.empty() &&
      QFontInfo(font).family().compare(font.family(), Qt::CaseInsensitive) == 0) {
    return font;
  }
  QFont fallback = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  fallback.setPointSize(points);
  return fallback;
}

QRect controlRect(const Control& control, const DialogUnits& units) {
  return {units.x(control.x), units.y(control.y), units.x(control.width), units.y(control.height)};
}

QLabel* makeLabel(const Control& control, const DialogUnits& units, QWidget* form) {
  auto* label = new QLabel(toQString(control.text), form);
  label->setTextFormat(Qt::PlainText);
  // A label's width is the control's, its text wrapped to it, or else its text's own;
  // its height is one line or the control's.
  const QFontMetrics metrics(form->font());
  const QStringList lines = label->text().split(u'\n');
  int width = 0;
  for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
  if (control.width > 0) {
    label->setWordWrap(true);
    width = units.x(control.width) - 2;
  }
  const int height =
      std::max(units.y(control.height), static_cast<int>(lines.size()) * metrics.height());
  label->setGeometry(units.x(control.x), units.y(control.y), width + 2, height);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

QString editStyleSheet(std::optional<QColor> tint) {
  QString sheet = QStringLiteral(
      "QLineEdit { padding: 0px; }"
      "QLineEdit:disabled { color: palette(text); background: palette(window); }");
  if (tint) {
    const QString colour = tint->name();
    sheet += QStringLiteral("QLineEdit, QLineEdit:disabled { background: %1; }").arg(colour);
  }
  return sheet;
}

namespace {

// The palette that the untinted style sheet would give, without a style sheet's cost.
QPalette untintedPalette(QPalette palette) {
  palette.setColor(QPalette::Disabled, QPalette::Text,
                   palette.color(QPalette::Active, QPalette::Text));
  palette.setColor(QPalette::Disabled, QPalette::Base,
                   palette.color(QPalette::Active, QPalette::Window));
  return palette;
}

}  // namespace

void setEditLook(QLineEdit* edit, std::optional<QColor> tint) {
  // A field that was never tinted has the look from its palette. Once it has a style sheet
  // it keeps one, tinted or not, as taking it away would not give back the form's font.
  if (!tint && edit->styleSheet().isEmpty()) return;
  edit->setStyleSheet(editStyleSheet(tint));
  // A style sheet set over another gives the field the application's font; it keeps the
  // form's.
  if (const QWidget* form = edit->parentWidget()) edit->setFont(form->font());
}

namespace {

// The edit is made with its text, which costs less than setting it afterwards.
QLineEdit* makeEdit(const Control& control, QWidget* form, const QPalette& palette) {
  const QString text = toQString(control.text);
  auto* edit = new QLineEdit(text, form);
  edit->setProperty(kShownTextProperty, text);
  edit->setTextMargins(0, 0, 0, 0);
  edit->setPalette(palette);
  if (control.kind == ControlKind::Text) {
    installTextFilter(edit, control.characters);
  } else {
    installNumberFilter(edit, control.kind == ControlKind::Real);
  }
  // The last two texts the field showed, whoever set them, so that an edit can be
  // compared with the text before it (whichever of the two signals comes first).
  QObject::connect(edit, &QLineEdit::textChanged, [edit](const QString& text) {
    edit->setProperty(kEarlierTextProperty, edit->property(kShownTextProperty));
    edit->setProperty(kShownTextProperty, text);
  });
  QObject::connect(edit, &QLineEdit::textEdited, [edit](const QString& text) {
    if (Field* field = findField(fieldIdOf(edit))) field->edited = true;
    const QString shown = edit->property(kShownTextProperty).toString();
    const QString before = shown == text ? edit->property(kEarlierTextProperty).toString() : shown;
    // A key brings one character; a paste or a drop brings several at once.
    if (insertedText(before, text).text.size() > 1) reportFieldPasted();
  });
  return edit;
}

QComboBox* makeList(const Control& control, QWidget* form) {
  auto* list = new QComboBox(form);
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  // What the user types is what is read: no inline completion to an item.
  list->setCompleter(nullptr);
  for (const std::string& item : control.items) list->addItem(toQString(item));
  const int selected = control.selectedItem;
  list->setCurrentIndex(selected >= 1 && selected <= list->count() ? selected - 1 : -1);
  if (list->currentIndex() < 0) list->setEditText(QString());
  QObject::connect(list, &QComboBox::currentIndexChanged, [] { reportFieldChanged(); });
  return list;
}

}  // namespace

QWidget* buildForm(const FormResource& resource) {
  auto* form = new QWidget;
  form->setFont(formFont(resource));
  const DialogUnits units(form->font());
  form->setFixedSize(units.x(resource.width), units.y(resource.height));
  const QPalette editPalette = untintedPalette(form->palette());

  auto& formFields = fields();
  QWidget* previousStop = nullptr;
  for (const Control& control : resource.controls) {
    if (control.kind == ControlKind::Label) {
      QLabel* label = makeLabel(control, units, form);
      if (control.id != 0) {
        Field field;
        field.widget = label;
        formFields[control.id] = field;
      }
      continue;
    }
    QWidget* widget = nullptr;
    if (control.kind == ControlKind::List) {
      widget = makeList(control, form);
      // Only the closed box is placed; its given height is that of the dropped list.
      const QRect rect = controlRect(control, units);
      widget->setGeometry(rect.x(), rect.y(), rect.width(),
                          std::min(widget->sizeHint().height(), units.y(14)));
    } else {
      widget = makeEdit(control, form, editPalette);
      widget->setGeometry(controlRect(control, units));
    }
    Field field;
    field.kind = control.kind;
    field.widget = widget;
    field.shownValue = !control.text.empty();
    field.name = control.name;
    if (control.kind == ControlKind::Real) field.held = parseReal(toQString(control.text));
    formFields[control.id] = field;

    widget->setEnabled(control.enabled);
    if (!control.enabled) continue;
    if (!control.tabStop) {
      widget->setFocusPolicy(Qt::ClickFocus);
      continue;
    }
    if (previousStop != nullptr) QWidget::setTabOrder(previousStop, widget);
    previousStop = widget;
  }
  return form;
}

}  // namespace toolkit::detail
