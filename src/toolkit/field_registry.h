#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "toolkit/resource.h"
#include "toolkit/toolkit.h"

class QWidget;

namespace toolkit::detail {

struct Range {
  double min = 0.0;
  double max = 0.0;
};

// One numbered field of the open form.
struct Field {
  ControlKind kind = ControlKind::Label;
  QWidget* widget = nullptr;
  std::optional<Range> range;
  std::optional<RealFormat> format;         // real fields: the field format
  std::optional<float> held;                // real fields: the number last put or typed
  std::optional<std::int32_t> heldInteger;  // integer fields: the number last put
  bool edited = false;                      // the text was changed since the last put or commit
  bool shownValue = false;                  // the field has shown a non-empty text
  // What the field holds was put from outside its range (or empty into a ranged field)
  // and not edited since: it may be left as it is, and is marked so.
  std::string outOfRange;    // the mark's tooltip; empty while the value is in range
  std::string name;          // what a refusal calls the field; empty for none
  std::optional<Tint> tint;  // the program's own marks, shown while no mark of the
  std::string toolTip;       // toolkit's stands over them
};

// The fields of the open form by id; empty while no form is open.
std::map<int, Field>& fields();

// The field with this id, or nullptr when the open form lacks it.
Field* findField(int id);
// The id of the field that owns this widget (or one of its children), 0 if none.
int fieldIdOf(const QWidget* widget);

// Whether the value lies within the field's range, bounds included; true without a
// range. Reals compare in single precision, so that "0.85" typed meets a bound of 0.85.
bool inRange(const Field& field, double value);

// Gives the field the look and tooltip it should have now: a value put from outside its
// range, or a refused text, is tinted and explained; otherwise the program's own marks.
void showMarks(const Field& field);

}  // namespace toolkit::detail
