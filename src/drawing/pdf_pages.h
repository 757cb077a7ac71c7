#pragma once

#include <QPageLayout>

class QPdfWriter;

namespace kandelor::drawing {

// Qt's GUI layer for fonts and painting, started once for a command that draws. Unless
// the user chose a platform, it runs offscreen: a PDF needs no display.
void startGuiForDrawing(const char* programName);

// US Letter pages without margins, at `resolution` dots per inch, in `orientation`.
void setUpLetterPages(QPdfWriter& writer, QPageLayout::Orientation orientation, int resolution);

}  // namespace kandelor::drawing
