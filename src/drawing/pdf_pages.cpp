#include "drawing/pdf_pages.h"

#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>

#include <memory>

namespace kandelor::drawing {

void startGuiForDrawing(const char* programName) {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char* argv[] = {const_cast<char*>(programName), nullptr};
  static const auto application = std::make_unique<QGuiApplication>(argc, argv);
}

void setUpLetterPages(QPdfWriter& writer, QPageLayout::Orientation orientation, int resolution) {
  writer.setResolution(resolution);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), orientation, QMarginsF(0, 0, 0, 0),
                                   QPageLayout::Point));
}

}  // namespace kandelor::drawing
