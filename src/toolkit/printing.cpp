#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryFile>
#include <QTextStream>

#include <optional>
#include <string>

#include "model/text_file.h"
#include "toolkit/cups_printer.h"
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

// The pages are drawn at this many dots per inch, as a high-resolution printer would.
constexpr int kResolution = 1200;

// The fixed-pitch font, as large as lets a line of 80 columns fit the page.
QFont pageFont(QPdfWriter& writer, double pageWidth) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSizeF(kLargestPointSize);
  const double lineWidth =
      QFontMetricsF(font, &writer).horizontalAdvance(QString(kColumnsPerLine, u'M'));
  if (lineWidth > pageWidth && lineWidth > 0) {
    font.setPointSizeF(kLargestPointSize * pageWidth / lineWidth * 0.98);
  }
  return font;
}

bool paintLines(QPdfWriter& writer, const QStringList& lines) {
  QPainter painter;
  if (!painter.begin(&writer)) return false;
  const QRectF page = writer.pageLayout().paintRectPixels(writer.resolution());
  const QFont font = pageFont(writer, page.width());
  painter.setFont(font);
  const QFontMetricsF metrics(font, &writer);
  const double lineHeight = metrics.lineSpacing();
  const int linesPerPage = std::max(1, static_cast<int>(page.height() / lineHeight));
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const int row = static_cast<int>(i % linesPerPage);
    if (row == 0 && i > 0 && !writer.newPage()) return false;
    painter.drawText(QPointF(0, row * lineHeight + metrics.ascent()), lines[i]);
  }
  return painter.end();
}

// Paints the lines into the PDF file `path`, on `paper` where given (else A4, with
// margins of 10 points), in the orientation last set. The file is written whole or not
// at all.
bool paintPdf(const QString& path, const QStringList& lines, const QString& title,
              const std::optional<QPageSize>& paper = std::nullopt) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(kResolution);
    writer.setTitle(title);
    if (paper) writer.setPageSize(*paper);
    writer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (!paintLines(writer, lines)) return false;
  }
  return static_cast<bool>(kandelor::writeFileAtomically(
      path.toStdString(), std::string_view(bytes.constData(), bytes.size())));
}

// Paints the pages into a temporary PDF on the printer's paper and hands it to CUPS, so
// that every failure, up to the scheduler taking the job, is seen and told.
HardcopyResult printOn(detail::DefaultPrinter& cups, const QStringList& lines,
                       const QString& title) {
  if (!cups.failure().empty()) return {cups.name(), cups.failure()};
  QTemporaryFile pdf(QDir(QDir::tempPath()).filePath("kandelor-print-XXXXXX.pdf"));
  if (!pdf.open()) return {cups.name(), "no temporary file could be written for the pages"};
  pdf.close();

  std::optional<QPageSize> paper;
  if (const auto size = cups.paperSize())
    paper = QPageSize(QSizeF(size->widthMm, size->heightMm), QPageSize::Millimeter);
  if (!paintPdf(pdf.fileName(), lines, title, paper))
    return {cups.name(), "the pages could not be drawn"};
  return {cups.name(), cups.submit(pdf.fileName().toStdString(), title.toStdString())};
}

}  // namespace

void igrhardcopyoptions(int option, int value) {
  if (option != kPageOrientation) return;
  if (value == kLandscape) landscape = true;
  if (value == kPortrait) landscape = false;
}

void whardcopyoptionstext() {}

HardcopyResult igrhardcopytextfile(std::string_view fileName) {
  const QString name = detail::toQString(detail::withoutTrailingBlanks(fileName));
  const auto lines = readLines(name);
  if (!lines) return {{}, "the file could not be read"};
  const QFileInfo info(name);

  if (!detail::dialogAnswers().printToPdf) {
    detail::DefaultPrinter printer;
    if (!printer.none()) return printOn(printer, *lines, info.fileName());
  }
  // Without a printer the pages go into a PDF beside the text file.
  const QString pdfName = info.absoluteDir().filePath(info.completeBaseName() + ".pdf");
  const std::string pdfFile = QFileInfo(pdfName).fileName().toStdString();
  if (!paintPdf(pdfName, *lines, info.fileName())) return {{}, pdfFile + " could not be written"};
  return {{}, {}, pdfFile};
}

}  // namespace toolkit
