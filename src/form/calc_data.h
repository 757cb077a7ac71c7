#pragma once

#include <optional>

#include "calc/catalogue.h"
#include "model/project.h"

namespace kandelor {

// The two reflectance lists' choices, as wdialoggetmenu1 reads them: 1 to 4 for an item,
// 0 or -999 for a list holding other text or none.
ReflectanceChoices ReadReflectanceChoices();

// Recalculates the page shown on the form: reads the two reflectance choices and every
// number of the page into `page`, computes the 19 rooms, stores the results in `page`
// and shows them (RCR, footcandles, descriptions, watts per square foot). Returns the
// choices it computed with. While a list holds text that is none of its items there is
// no reflectance to compute with: the list refuses its text, as on leaving it, and the
// page and its results stay as they were (the result is empty). So they do, with a note
// at the field, while a page-wide value (a factor, the lamp's watts or lumens) is empty or
// not above 0.
std::optional<ReflectanceChoices> CalcData(RoomPage& page, const FixtureCatalogue& catalogue);

}  // namespace kandelor
