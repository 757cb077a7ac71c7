#pragma once

#include <QFont>

namespace kandelor::drawing {

// The sans-serif face of every drawing (plans, schedules, datasheets): DejaVu Sans where
// the system has it, without ligatures, so that "ff" and "fi" stay letters a reader of
// a PDF can search and copy. Callers set the size and weight.
QFont sansFont();

}  // namespace kandelor::drawing
