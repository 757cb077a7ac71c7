#pragma once

#include "calc/catalogue.h"
#include "model/project.h"

namespace kandelor {

// Recalculates the page shown on the form: reads the two reflectance choices and every
// number of the page into `page`, computes the 19 rooms, stores the results in `page`
// and shows them (RCR, footcandles, descriptions, watts per square foot).
void CalcData(RoomPage& page, const FixtureCatalogue& catalogue);

}  // namespace kandelor
