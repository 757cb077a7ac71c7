#pragma once

#include "model/project.h"

namespace kandelor {

// Declares the input ranges of the form's numeric fields; once, before the first PutData.
void RangeData();

// Writes one page of the project into the form: texts, integers, then reals.
void PutData(const RoomPage& page);

// Reads the same fields of the form into the page, computed ones included.
void GetData(RoomPage& page);

// Reads the reflectance lists' choices into the project; unknown when a list holds
// something other than one of its items.
void GetReflectances(Project& project);

// Selects the project's reflectance choices in the lists, when it has them.
void PutReflectances(const Project& project);

// Reads only the numeric fields (page defaults and the grid's numbers) into the page.
void GetNumbers(RoomPage& page);

}  // namespace kandelor
