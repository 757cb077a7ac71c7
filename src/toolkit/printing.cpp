#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextStream>

#include <memory>

#include "toolkit/dialog_answers.h"
#include "toolkit/qt_text.h"
#include "toolkit/toolkit.h"

namespace toolkit {
namespace {

constexpr int kColumnsPerLine = 80;
constexpr double kLargestPointSize = 10.0;

// The page orientation that igrhardcopyoptions set last.
bool landscape = false;

std::optional<QStringList> readLines(const QString& name) {
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return std::nullopt;
  QStringList lines;
  QTextStream stream(&file);
  while (!stream.atEnd()) lines << stream.readLine();
  return lines;
}

// The printer's fixed-pitch font, as large as lets a line of 80 columns fit the page.
QFont pageFont(QPrinter& printer, double pageWidth) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSizeF(kLargestPointSize);
  const double lineWidth =
      QFontMetricsF(font, &printer).horizontalAdvance(QString(kColumnsPerLine, u'M'));
  if (lineWidth > pageWidth && lineWidth > 0) {
    font.setPointSizeF(kLargestPointSize * pageWidth / lineWidth * 0.98);
  }
  return font;
}

bool paintLines(QPrinter& printer, const QStringList& lines) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
  const QFont font = pageFont(printer, page.width());
  painter.setFont(font);
  const QFontMetricsF metrics(font, &printer);
  const double lineHeight = metrics.lineSpacing();
  const int linesPerPage = std::max(1, static_cast<int>(page.height() / lineHeight));
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const int row = static_cast<int>(i % linesPerPage);
    if (row == 0 && i > 0 && !printer.newPage()) return false;
    painter.drawText(QPointF(0, row * lineHeight + metrics.ascent()), lines[i]);
  }
  return painter.end();
}

}  // namespace

void igrhardcopyoptions(int option, int value) {
  if (option != kPageOrientation) return;
  if (value == kLandscape) landscape = true;
  if (value == kPortrait) landscape = false;
}

void whardcopyoptionstext() {}

bool igrhardcopytextfile(std::string_view fileName) {
  const QString name = detail::toQString(detail::withoutTrailingBlanks(fileName));
  const auto lines = readLines(name);
  if (!lines) return false;

  const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
  const bool toPrinter = !defaultPrinter.isNull() && !detail::dialogAnswers().printToPdf;
  auto printer = toPrinter ? std::make_unique<QPrinter>(defaultPrinter)
                           : std::make_unique<QPrinter>(QPrinter::HighResolution);
  if (!toPrinter) {
    // Without a printer the pages go into a PDF beside the text file.
    const QFileInfo info(name);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(info.absoluteDir().filePath(info.completeBaseName() + ".pdf"));
  }
  printer->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  printer->setDocName(QFileInfo(name).fileName());
  return paintLines(*printer, *lines);
}

}  // namespace toolkit
