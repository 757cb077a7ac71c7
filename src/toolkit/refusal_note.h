#pragma once

#include <QString>

#include "toolkit/field_registry.h"

// What a field accepts, shown at the field while it refuses what was typed there.
namespace toolkit::detail {

// The field's name and what it accepts: "Ballast Factor: from 0.85 to 1.5",
// "Ceiling Reflectance: 30, 50, 70 or 80".
QString acceptedText(const Field& field);

// The field's range as a refusal names it: "0.85 to 1.5"; empty without a range.
QString rangeText(const Field& field);

// Shows the field's accepted text in a note just below it (above it at the form's
// bottom edge), in place of any note shown before. It stays until hideRefusal.
void showRefusal(const Field& field);
// Shows another text in the same place.
void showNote(const Field& field, const QString& text);
void hideRefusal();

// The field whose note is shown, nullptr for none.
const QWidget* refusedWidget();
// The note's text, empty when none is shown.
QString refusalText();

}  // namespace toolkit::detail
