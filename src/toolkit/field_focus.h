#pragma once

#include "toolkit/field_registry.h"

namespace toolkit::detail {

// Follows the focus between the form's fields: checks the range of the field being
// left (refusing to leave it while its text is not valid), shows a typed real again in
// its field format, and reports field-changed messages.
void watchFocus();
void unwatchFocus();

// Whether the field's text may stay when the user leaves it: a number within the range
// of a numeric field, one of the items of a list.
bool acceptsText(const Field& field);

// Refuses the field's text as leaving it would: beeps, says at the field what it accepts
// and selects the whole text in it.
void refuseText(Field& field);

}  // namespace toolkit::detail
