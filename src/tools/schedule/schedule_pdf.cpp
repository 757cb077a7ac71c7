#include "tools/schedule/schedule_pdf.h"

#include <QBuffer>
#include <QColor>
#include <QCoreApplication>
#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "calc/round_step.h"
#include "drawing/fonts.h"
#include "drawing/pdf_pages.h"
#include "drawing/plan_drawing.h"
#include "model/text_file.h"
#include "plan/room_plan_scene.h"
#include "tools/schedule/schedule_fields.h"
#include "tools/schedule/schedule_table.h"

namespace kandelor::schedule {

namespace {

// Everything is laid out in points (1/72 inch) on a US Letter page.
constexpr double kPageWidth = 612.0;
constexpr double kPageHeight = 792.0;
constexpr double kMargin = 36.0;
constexpr double kContentWidth = kPageWidth - 2 * kMargin;
constexpr double kBodyBottom = kPageHeight - kMargin - 14.0;  // the footer sits below
constexpr double kHeadingHeight = 58.0;                       // first page
constexpr double kContinuedHeight = 20.0;                     // later pages
constexpr double kHeaderRowHeight = 15.0;
constexpr double kRowHeight = 13.0;
constexpr double kNoteHeight = 11.0;
constexpr double kTotalsHeight = 62.0;
constexpr double kChartHeight = 200.0;
constexpr double kGap = 12.0;
constexpr int kResolution = 300;  // dots per inch of the PDF's coordinates

const QColor kNoVerdictTint(0xDD, 0xDD, 0xDD);
const QColor kRule(0xC8, 0xC8, 0xC8);
const QColor kHeaderFill(0xE6, 0xE6, 0xE6);
const QColor kStripe(0xF6, 0xF6, 0xF6);
const QColor kLimitColour(0xB0, 0x00, 0x00);

QString qs(const std::string& text) {
  return QString::fromStdString(text);
}

QColor tintOf(Verdict verdict) {
  const auto tint = verdictTint(verdict);
  return tint ? QColor(tint->red, tint->green, tint->blue) : kNoVerdictTint;
}

// The table's columns: the room's, its light's and the limit's mark where one is given.
std::vector<const ScheduleColumn*> pdfColumns(const Schedule& schedule) {
  std::vector<const ScheduleColumn*> columns;
  for (const ColumnGroup group : {ColumnGroup::Room, ColumnGroup::Light, ColumnGroup::Limit}) {
    if (!groupShown(schedule, group)) continue;
    forEachColumn(group, kPdf, [&](const ScheduleColumn& c) { columns.push_back(&c); });
  }
  return columns;
}

bool named(const ScheduleColumn& column, std::string_view name) {
  return column.name != nullptr && name == column.name;
}

// A round step for an axis from 0 to at least `top`, in about four steps.
struct Axis {
  double step = 1.0;
  double top = 4.0;
  int decimals = 0;
};

Axis niceAxis(double top) {
  Axis axis;
  if (!(top > 0.0) || !std::isfinite(top)) return axis;
  const double step = roundStep(top / 4.0);
  axis.step = step;
  axis.top = std::ceil(top / step - 1e-9) * step;
  while (axis.decimals < 6) {
    const double scaled = step * std::pow(10.0, axis.decimals);
    if (std::abs(scaled - std::round(scaled)) < 1e-6 * scaled) break;
    ++axis.decimals;
  }
  return axis;
}

// Draws in points on the PDF's pages; a painter of null only lays the pages out, so
// that the page count is known before the first footer is drawn.
class ScheduleDocument {
 public:
  ScheduleDocument(const Schedule& schedule, std::string date, QPainter* painter,
                   QPagedPaintDevice* device, int pageCount)
      : schedule_(schedule),
        date_(std::move(date)),
        painter_(painter),
        device_(device),
        pageCount_(pageCount),
        scale_(kResolution / 72.0),
        columns_(pdfColumns(schedule)) {
    double weights = 0.0;
    for (const ScheduleColumn* column : columns_) weights += column->pdfWidthIn(units());
    columnScale_ = kContentWidth / weights;
  }

  // Lays out (and draws) every page; returns the number of pages.
  int run() {
    drawHeading();
    drawTable();
    drawNotes();
    drawTotals();
    drawLuminaires();
    drawFootcandleChart();
    drawWattsChart();
    if (schedule_.options.plans) drawPlans();
    drawFooter();
    return page_;
  }

 private:
  bool withLimit() const { return schedule_.options.lpdLimit.has_value(); }
  Units units() const { return schedule_.options.units; }
  // W/sqft as shown, and its unit.
  double density(double wattsPerSqft) const {
    return shownIn(wattsPerSqft, Quantity::PowerDensity, units());
  }
  std::string densityUnit() const { return unitSymbol(Quantity::PowerDensity, units()); }
  std::string limitShown() const { return limitText(*schedule_.options.lpdLimit, units()); }
  bool drawing() const { return painter_ != nullptr; }

  QRectF rect(double x, double y, double w, double h) const {
    return {x * scale_, y * scale_, w * scale_, h * scale_};
  }
  QPointF point(double x, double y) const { return {x * scale_, y * scale_}; }

  QFont font(double points, bool bold = false) const {
    QFont f = drawing::sansFont();
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
  }

  void text(double x, double y, double w, double h, const QString& content, const QFont& f,
            Qt::Alignment align, const QColor& colour = Qt::black) {
    if (!drawing()) return;
    painter_->setFont(f);
    painter_->setPen(colour);
    const QFontMetricsF metrics(f, device_);
    const QString shown = metrics.elidedText(content, Qt::ElideRight, w * scale_);
    painter_->drawText(rect(x, y, w, h), static_cast<int>(align | Qt::AlignVCenter), shown);
  }

  void fill(double x, double y, double w, double h, const QColor& colour) {
    if (drawing()) painter_->fillRect(rect(x, y, w, h), colour);
  }

  void line(double x1, double y1, double x2, double y2, const QColor& colour, double width,
            Qt::PenStyle style = Qt::SolidLine) {
    if (!drawing()) return;
    QPen pen(colour, width * scale_, style);
    pen.setCapStyle(Qt::FlatCap);
    painter_->setPen(pen);
    painter_->drawLine(point(x1, y1), point(x2, y2));
  }

  void frame(double x, double y, double w, double h, const QColor& colour, double width) {
    if (!drawing()) return;
    painter_->setPen(QPen(colour, width * scale_));
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(rect(x, y, w, h));
  }

  void newPage() {
    drawFooter();
    if (drawing()) device_->newPage();
    ++page_;
    y_ = kMargin;
    text(kMargin, y_, kContentWidth, 12, qs("Lighting schedule of " + schedule_.projectName),
         font(8, true), Qt::AlignLeft, Qt::darkGray);
    y_ += kContinuedHeight;
  }

  // Starts a new page unless `height` more points fit on this one.
  void reserve(double height) {
    if (y_ + height > kBodyBottom) newPage();
  }

  void drawFooter() {
    const double top = kPageHeight - kMargin - 10;
    std::string left = "kandelor-schedule  ";
    left += schedule_.projectName;
    left += "  ";
    left += date_;
    text(kMargin, top, kContentWidth / 2, 10, qs(left), font(6.5), Qt::AlignLeft, Qt::darkGray);
    std::string right = "Page ";
    right += std::to_string(page_);
    right += " of ";
    right += std::to_string(pageCount_);
    text(kMargin + kContentWidth / 2, top, kContentWidth / 2, 10, qs(right), font(6.5),
         Qt::AlignRight, Qt::darkGray);
  }

  void drawHeading() {
    y_ = kMargin;
    text(kMargin, y_, kContentWidth * 0.75, 20, qs("Lighting schedule: " + schedule_.projectName),
         font(15, true), Qt::AlignLeft);
    text(kMargin + kContentWidth * 0.75, y_, kContentWidth * 0.25, 20, qs(date_), font(9),
         Qt::AlignRight);
    std::string line = units() == Units::Si
                           ? "Zonal cavity method, work plane 0.76 m (2.5 ft). Reflectances: "
                           : "Zonal cavity method, work plane 2.5 ft. Reflectances: ";
    line += reflectanceText(schedule_);
    line += '.';
    text(kMargin, y_ + 22, kContentWidth, 12, qs(line), font(8.5), Qt::AlignLeft);
    if (withLimit()) {
      std::string limit = "Lighting power allowance: ";
      limit += limitShown() + " " + densityUnit();
      limit += ". Rooms above it are marked \"over\" and their " + densityUnit() + " is bold.";
      text(kMargin, y_ + 35, kContentWidth, 12, qs(limit), font(8.5), Qt::AlignLeft);
    }
    if (schedule_.options.spaceTypes) {
      text(kMargin, y_ + (withLimit() ? 46 : 35), kContentWidth, 12,
           qs("Space types: " + schedule_.options.spaceTypes->from + "."), font(8.5),
           Qt::AlignLeft);
    }
    y_ += kHeadingHeight;
  }

  void drawHeaderRow() {
    fill(kMargin, y_, kContentWidth, kHeaderRowHeight, kHeaderFill);
    double x = kMargin;
    for (const ScheduleColumn* column : columns_) {
      const double w = column->pdfWidthIn(units()) * columnScale_;
      text(x + 2, y_, w - 4, kHeaderRowHeight, qs(column->headingIn(units())), font(6.5, true),
           column->rightAligned ? Qt::AlignRight : Qt::AlignLeft);
      x += w;
    }
    y_ += kHeaderRowHeight;
  }

  void drawRow(const ScheduleRow& row, int index) {
    if (index % 2 == 1) fill(kMargin, y_, kContentWidth, kRowHeight, kStripe);
    double x = kMargin;
    for (const ScheduleColumn* column : columns_) {
      const double w = column->pdfWidthIn(units()) * columnScale_;
      if (named(*column, "verdict") && row.verdict != Verdict::None) {
        fill(x, y_, w, kRowHeight, tintOf(row.verdict));
      }
      // A room over the limit: its W/sqft and the mark in bold.
      const bool bold = row.overLpdLimit &&
                        (named(*column, "watts_per_sqft") || column->group == ColumnGroup::Limit);
      text(x + 2, y_, w - 4, kRowHeight, qs(column->cellIn(row, units())), font(7, bold),
           column->rightAligned ? Qt::AlignRight : Qt::AlignLeft);
      x += w;
    }
    line(kMargin, y_ + kRowHeight, kMargin + kContentWidth, y_ + kRowHeight, kRule, 0.4);
    y_ += kRowHeight;
  }

  void drawTable() {
    drawHeaderRow();
    if (schedule_.rows.empty()) {
      text(kMargin + 2, y_, kContentWidth, kRowHeight, qs("No room has a length and width."),
           font(7), Qt::AlignLeft);
      y_ += kRowHeight;
    }
    int index = 0;
    for (const ScheduleRow& row : schedule_.rows) {
      if (y_ + kRowHeight > kBodyBottom) {
        newPage();
        drawHeaderRow();
      }
      drawRow(row, index++);
    }
    y_ += kGap;
  }

  void swatch(double x, double y, const QColor& colour) {
    fill(x, y + 2, 8, 8, colour);
    frame(x, y + 2, 8, 8, Qt::darkGray, 0.4);
  }

  double totalsHeight() const {
    return kTotalsHeight + (schedule_.options.spaceTypes ? 14.0 : 0.0) +
           (groupShown(schedule_, ColumnGroup::Targets) ? 14.0 : 0.0);
  }

  // What the schedule says of the rooms beside their figures, and each listed room's
  // light targets in words, a line each.
  void drawNotes() {
    std::vector<std::string> lines;
    for (const ScheduleRow& row : schedule_.rows) {
      for (const std::string& note : roomNotes(row, units())) {
        lines.push_back("Room " + std::to_string(row.room) + " " + row.name + ": " + note);
      }
    }
    if (groupShown(schedule_, ColumnGroup::Targets)) {
      for (const ScheduleRow& row : schedule_.rows) {
        if (!row.spaceType) continue;
        std::string line = "Room " + std::to_string(row.room) + " " + row.name + " (" +
                           row.spaceType->name + "): ";
        for (std::size_t t = 0; t < row.targets.size(); ++t) {
          if (t > 0) line += "; ";
          line += row.targets[t].says;
        }
        if (row.targets.empty()) line += "no targets";
        lines.push_back(line);
      }
    }
    if (lines.empty()) return;
    for (const std::string& line : lines) {
      reserve(kNoteHeight);
      text(kMargin, y_, kContentWidth, kNoteHeight, qs(line), font(6.5), Qt::AlignLeft);
      y_ += kNoteHeight;
    }
    y_ += kGap;
  }

  void drawTotals() {
    reserve(totalsHeight());
    const ScheduleTotals& totals = schedule_.totals;
    text(kMargin, y_, kContentWidth, 14, qs("Totals"), font(10, true), Qt::AlignLeft);
    std::string line = std::to_string(totals.rooms);
    line += totals.rooms == 1 ? " room in use,  " : " rooms in use,  ";
    line += formatFixed(shownIn(totals.areaSqft, Quantity::Area, units()), 1);
    line += ' ';
    line += unitSymbol(Quantity::Area, units());
    line += ",  ";
    line += std::to_string(totals.watts);
    line += " W installed,  average ";
    line += formatFixed(density(totals.wattsPerSqft), 3);
    line += ' ';
    line += densityUnit();
    text(kMargin, y_ + 15, kContentWidth, 12, qs(line), font(8.5), Qt::AlignLeft);

    double x = kMargin;
    for (const auto& [count, verdict] :
         {std::pair{totals.low, Verdict::Low}, std::pair{totals.meets, Verdict::Meets},
          std::pair{totals.high, Verdict::High}}) {
      swatch(x, y_ + 28, tintOf(verdict));
      std::string label = std::to_string(count);
      label += ' ';
      label += verdictName(verdict);
      text(x + 11, y_ + 28, 70, 12, qs(label), font(8.5), Qt::AlignLeft);
      x += 80;
    }
    if (withLimit()) {
      std::string limit = "Allowance ";
      limit += limitShown() + " " + densityUnit();
      limit += ": the project is ";
      limit += schedule_.withinLpdLimit() ? "within it" : "OVER it";
      limit += ", ";
      limit += std::to_string(totals.overLpdLimit);
      limit += totals.overLpdLimit == 1 ? " room" : " rooms";
      limit += " above it.";
      text(kMargin, y_ + 42, kContentWidth, 12, qs(limit), font(8.5, !schedule_.withinLpdLimit()),
           Qt::AlignLeft, schedule_.withinLpdLimit() ? QColor(Qt::black) : kLimitColour);
    }
    double below = withLimit() ? 56 : 42;
    if (schedule_.options.spaceTypes) {
      const bool within = schedule_.withinSpaceAllowance();
      text(kMargin, y_ + below, kContentWidth, 12, qs(spaceBySpaceText(schedule_) + "."), font(8.5),
           Qt::AlignLeft, within ? QColor(Qt::black) : kLimitColour);
      below += 14;
    }
    if (groupShown(schedule_, ColumnGroup::Targets)) {
      text(kMargin, y_ + below, kContentWidth, 12, qs(targetsTotalText(schedule_) + "."), font(8.5),
           Qt::AlignLeft, schedule_.meetsTargets() ? QColor(Qt::black) : kLimitColour);
    }
    y_ += totalsHeight();
  }

  // The fixtures to order, a line per type, as the text table lists them.
  void drawLuminaires() {
    if (schedule_.luminaires.empty()) return;
    constexpr double kLine = 12;
    constexpr std::array<double, 7> kWidths{28, 70, 62, 40, 48, 40, 52};
    const auto drawLine = [&](const std::vector<std::string>& cells, bool bold) {
      double x = kMargin;
      for (std::size_t c = 0; c < cells.size() && c < kWidths.size(); ++c) {
        const bool right = luminaireColumns()[c].rightAligned;
        text(x, y_, kWidths[c] - 6, kLine, qs(cells[c]), font(8.5, bold),
             right ? Qt::AlignRight : Qt::AlignLeft);
        x += kWidths[c];
      }
      y_ += kLine;
    };
    reserve(14 + kLine * 2.0);
    text(kMargin, y_, kContentWidth, 14, qs("Luminaire schedule"), font(10, true), Qt::AlignLeft);
    y_ += 15;
    std::vector<std::string> headings;
    for (const LuminaireColumn& column : luminaireColumns()) headings.emplace_back(column.heading);
    drawLine(headings, true);
    for (const LuminaireLine& line : schedule_.luminaires) {
      reserve(kLine);
      drawLine(luminaireCells(line), false);
    }
    y_ += 10;
  }

  // The plot area of a chart whose frame begins at y_, and its axis drawn.
  struct Plot {
    double left, top, width, height;
    Axis axis;
    double slot;  // width per room

    double yOf(double value) const {
      const double clamped = std::clamp(value, 0.0, axis.top);
      return top + height - clamped / axis.top * height;
    }
    double centreOf(std::size_t index) const {
      return left + slot * (static_cast<double>(index) + 0.5);
    }
  };

  Plot drawAxes(const std::string& title, const std::string& unit, double maxValue) {
    text(kMargin, y_, kContentWidth, 14, qs(title), font(10, true), Qt::AlignLeft);
    Plot plot{kMargin + 36,       y_ + 30, kContentWidth - 40, kChartHeight - 30 - 34,
              niceAxis(maxValue), 0.0};
    const std::size_t rooms = std::max<std::size_t>(schedule_.rows.size(), 1);
    plot.slot = plot.width / static_cast<double>(rooms);

    for (double v = 0.0; v <= plot.axis.top + plot.axis.step / 2; v += plot.axis.step) {
      const double y = plot.yOf(v);
      line(plot.left, y, plot.left + plot.width, y, v == 0.0 ? Qt::black : kRule,
           v == 0.0 ? 0.8 : 0.4);
      text(kMargin, y - 5, 33, 10, qs(formatFixed(v, plot.axis.decimals)), font(6.5),
           Qt::AlignRight);
    }
    text(kMargin, plot.top - 14, 60, 10, qs(unit), font(6.5), Qt::AlignLeft, Qt::darkGray);

    // Room numbers under the bars, thinned out so that they do not overlap.
    const std::size_t every = static_cast<std::size_t>(std::max(1.0, std::ceil(14.0 / plot.slot)));
    for (std::size_t i = 0; i < schedule_.rows.size(); i += every) {
      text(plot.centreOf(i) - 10, plot.top + plot.height + 2, 20, 9,
           qs(std::to_string(schedule_.rows[i].room)), font(6), Qt::AlignHCenter);
    }
    text(plot.left, plot.top + plot.height + 12, plot.width, 10, qs("room"), font(6.5),
         Qt::AlignHCenter, Qt::darkGray);
    return plot;
  }

  void bar(const Plot& plot, std::size_t index, double value, const QColor& colour) {
    const double w = std::min(plot.slot * 0.7, 22.0);
    const double top = plot.yOf(value);
    const double bottom = plot.yOf(0.0);
    if (bottom - top <= 0.0) return;
    fill(plot.centreOf(index) - w / 2, top, w, bottom - top, colour);
    frame(plot.centreOf(index) - w / 2, top, w, bottom - top, QColor(0x55, 0x55, 0x55), 0.4);
  }

  // One entry of a chart's legend: a swatch of `colour`, or a line of it in `style`.
  struct LegendEntry {
    QColor colour;
    std::optional<Qt::PenStyle> line;
    std::string label;
  };

  // The legend on the line below the chart's title, ending at the right margin.
  void drawLegend(const std::vector<LegendEntry>& entries) {
    if (!drawing()) return;
    const QFont labelFont = font(7);
    const QFontMetricsF metrics(labelFont, device_);
    const auto labelWidth = [&](const LegendEntry& e) {
      return metrics.horizontalAdvance(qs(e.label)) / scale_;
    };
    const auto entryWidth = [&](const LegendEntry& e) {
      return (e.line ? 17.0 : 11.0) + labelWidth(e) + 10.0;
    };
    double x = kMargin + kContentWidth;
    for (const LegendEntry& entry : entries) x -= entryWidth(entry);
    const double y = y_ + 14;
    for (const LegendEntry& entry : entries) {
      double labelX = x + 11;
      if (entry.line) {
        line(x, y + 6, x + 14, y + 6, entry.colour, 1.5, *entry.line);
        labelX = x + 17;
      } else {
        swatch(x, y, entry.colour);
      }
      text(labelX, y, labelWidth(entry) + 2, 12, qs(entry.label), labelFont, Qt::AlignLeft);
      x += entryWidth(entry);
    }
  }

  void drawFootcandleChart() {
    reserve(kChartHeight);
    const double shown = shownIn(1, Quantity::Illuminance, units());
    double top = 0.0;
    for (const ScheduleRow& row : schedule_.rows) {
      top =
          std::max({top, shown * row.result.calculatedFootcandles, shown * row.designFootcandles});
    }
    const bool si = units() == Units::Si;
    const Plot plot = drawAxes(si ? "Calculated and design illuminance per room"
                                  : "Calculated and design footcandles per room",
                               si ? "lux" : "footcandles", top);
    drawLegend({{tintOf(Verdict::Low), {}, "low"},
                {tintOf(Verdict::Meets), {}, "meets"},
                {tintOf(Verdict::High), {}, "high"},
                {kNoVerdictTint, {}, "no design"},
                {Qt::black, Qt::SolidLine, "design"}});

    for (std::size_t i = 0; i < schedule_.rows.size(); ++i) {
      const ScheduleRow& row = schedule_.rows[i];
      bar(plot, i, shown * row.result.calculatedFootcandles, tintOf(row.verdict));
      if (row.designFootcandles > 0) {
        const double half = std::min(plot.slot * 0.45, 15.0);
        const double y = plot.yOf(shown * row.designFootcandles);
        line(plot.centreOf(i) - half, y, plot.centreOf(i) + half, y, Qt::black, 1.6);
      }
    }
    y_ += kChartHeight + kGap;
  }

  void drawWattsChart() {
    reserve(kChartHeight);
    std::optional<double> limit;
    if (schedule_.options.lpdLimit) limit = density(*schedule_.options.lpdLimit);
    const double average = density(schedule_.totals.wattsPerSqft);
    double top = std::max(average, limit.value_or(0.0));
    for (const ScheduleRow& row : schedule_.rows) {
      top = std::max(top, density(row.result.wattsPerSquareFoot));
    }
    const Plot plot = drawAxes("Lighting power density per room", densityUnit(), top * 1.05);
    const QColor within(0xA8, 0xA8, 0xA8);
    const QColor over(0x50, 0x50, 0x50);
    std::vector<LegendEntry> legend;
    if (limit) {
      legend.push_back({within, {}, "within the limit"});
      legend.push_back({over, {}, "above it"});
      legend.push_back({kLimitColour, Qt::DashLine, "limit " + limitShown()});
    }
    legend.push_back({Qt::black, Qt::DotLine, "average " + formatFixed(average, 3)});
    drawLegend(legend);

    for (std::size_t i = 0; i < schedule_.rows.size(); ++i) {
      const ScheduleRow& row = schedule_.rows[i];
      bar(plot, i, density(row.result.wattsPerSquareFoot), row.overLpdLimit ? over : within);
    }
    const double right = plot.left + plot.width;
    const double averageY = plot.yOf(average);
    line(plot.left, averageY, right, averageY, Qt::black, 1.0, Qt::DotLine);
    if (limit) {
      const double limitY = plot.yOf(*limit);
      line(plot.left, limitY, right, limitY, kLimitColour, 1.4, Qt::DashLine);
    }
    y_ += kChartHeight + kGap;
  }

  // Two plans to a page, each in half of the page's body, on pages of their own.
  void drawPlans() {
    const double half = (kBodyBottom - kMargin - kContinuedHeight) / 2;
    int onPage = 2;
    for (const ScheduleRow& row : schedule_.rows) {
      if (!row.light.light) continue;
      if (onPage == 2) {
        newPage();
        onPage = 0;
      }
      const double top = y_ + onPage * half;
      if (drawing()) {
        const plan::PlanScene scene =
            plan::roomPlanScene(*row.light.light,
                                "Room " + std::to_string(row.room) + ": " +
                                    plan::roomTitle(row.name, row.number, row.page, row.row),
                                units());
        painter_->save();
        painter_->scale(scale_, scale_);
        plan::drawPlan(*painter_, scene, QRectF(kMargin, top, kContentWidth, half - kGap));
        painter_->restore();
      }
      ++onPage;
    }
  }

  const Schedule& schedule_;
  std::string date_;
  QPainter* painter_;
  QPagedPaintDevice* device_;
  int pageCount_;
  double scale_;
  std::vector<const ScheduleColumn*> columns_;
  double columnScale_ = 1.0;
  int page_ = 1;
  double y_ = kMargin;
};

}  // namespace

std::string todaysDate() {
  return QDate::currentDate().toString(Qt::ISODate).toStdString();
}

Result<> writeSchedulePdf(const Schedule& schedule, const std::string& fileName,
                          const std::string& date) {
  // Qt's notes on its environment (such as a missing runtime folder) are no concern of
  // a PDF; a failure shows in the painter's results.
  struct RestoreHandler {
    QtMessageHandler handler;
    ~RestoreHandler() { qInstallMessageHandler(handler); }
  } restore{
      qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
          std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        }
      })};
  drawing::startGuiForDrawing("kandelor-schedule");
  const int pages = ScheduleDocument(schedule, date, nullptr, nullptr, 0).run();

  // Drawn in memory, then written whole or not at all.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    drawing::setUpLetterPages(writer, QPageLayout::Portrait, kResolution);
    writer.setTitle(qs("Lighting schedule: " + schedule.projectName));
    writer.setCreator(QStringLiteral("kandelor-schedule"));
    QPainter painter;
    if (!painter.begin(&writer)) return FileError{fileName, 0, "the pages cannot be drawn", true};
    painter.setRenderHint(QPainter::Antialiasing);
    ScheduleDocument(schedule, date, &painter, &writer, pages).run();
    if (!painter.end()) return FileError{fileName, 0, "the pages cannot be drawn", true};
  }
  return writeFileAtomically(fileName, std::string_view(bytes.constData(), bytes.size()));
}

}  // namespace kandelor::schedule
