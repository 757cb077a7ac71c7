#include "tools/catalog/datasheet_pdf.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <optional>

#include "drawing/fonts.h"
#include "drawing/pdf_pages.h"

namespace kandelor::catalog {

namespace {

using photometry::Datasheet;
using photometry::Photometry;
using photometry::PolarCurve;
using photometry::SheetCuTable;

// Layout in points from the page's top left; the writer's units are ten to a point.
constexpr int kResolution = 720;
constexpr double kUnit = kResolution / 72.0;
constexpr double kPageWidth = 612;  // US Letter, 8.5 x 11 in
constexpr double kPageHeight = 792;
constexpr double kMargin = 42;
constexpr double kContentWidth = kPageWidth - 2 * kMargin;

const QColor kInk(0x20, 0x20, 0x20);
const QColor kMuted(0x70, 0x70, 0x70);
const QColor kRule(0xb0, 0xb0, 0xb0);
const QColor kShade(0xee, 0xee, 0xee);
const QColor kPlane0(0x1f, 0x4e, 0x9c);
const QColor kPlane90(0xc0, 0x39, 0x2b);

QFont sheetFont(double points, bool bold = false) {
  QFont font = drawing::sansFont();
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

QString text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

QString number(double value, int decimals) {
  return QString::number(value, 'f', decimals);
}

// A QPainter that takes its coordinates in points.
class Canvas {
 public:
  explicit Canvas(QPainter& painter) : painter_(painter) {}

  void write(const QRectF& box, int flags, const QString& s, const QFont& font,
             const QColor& color = kInk) {
    painter_.setFont(font);
    painter_.setPen(color);
    painter_.drawText(device(box), flags, s);
  }

  // `s` cut with an ellipsis to fit `width`.
  QString elided(const QString& s, const QFont& font, double width) const {
    return QFontMetricsF(font, painter_.device()).elidedText(s, Qt::ElideRight, width * kUnit);
  }

  void line(QPointF a, QPointF b, double width, const QColor& color,
            Qt::PenStyle style = Qt::SolidLine) {
    painter_.setPen(pen(width, color, style));
    painter_.drawLine(device(a), device(b));
  }

  void path(const QPainterPath& p, double width, const QColor& color, Qt::PenStyle style,
            const QBrush& fill = Qt::NoBrush) {
    painter_.setPen(pen(width, color, style));
    painter_.setBrush(fill);
    painter_.drawPath(toDevice_.map(p));
    painter_.setBrush(Qt::NoBrush);
  }

  void fill(const QRectF& box, const QColor& color) { painter_.fillRect(device(box), color); }

 private:
  static QPen pen(double width, const QColor& color, Qt::PenStyle style) {
    QPen pen(color, width * kUnit, style);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
  }
  QRectF device(const QRectF& r) const { return toDevice_.mapRect(r); }
  QPointF device(QPointF p) const { return toDevice_.map(p); }

  QPainter& painter_;
  QTransform toDevice_ = QTransform::fromScale(kUnit, kUnit);
};

QString versionName(photometry::Lm63Version version) {
  switch (version) {
    case photometry::Lm63Version::Lm63_1986:
      return QStringLiteral("LM-63-1986");
    case photometry::Lm63Version::Lm63_1991:
      return QStringLiteral("LM-63-1991");
    case photometry::Lm63Version::Lm63_1995:
      return QStringLiteral("LM-63-1995");
    case photometry::Lm63Version::Lm63_2002:
      return QStringLiteral("LM-63-2002");
    case photometry::Lm63Version::Lm63_2019:
      return QStringLiteral("LM-63-2019");
  }
  return {};
}

QString formatName(const photometry::Photometry& p) {
  if (p.format == photometry::PhotometricFormat::Eulumdat) return QStringLiteral("EULUMDAT");
  return versionName(p.version);
}

// "[LUMINAIRE] text" as the keyword and the text; a line without a keyword (as 1986
// files have) is all text.
std::pair<QString, QString> splitKeyword(const std::string& line) {
  const QString s = text(line);
  if (s.startsWith('[')) {
    const auto close = s.indexOf(']');
    if (close > 0) return {s.left(close + 1), s.mid(close + 1).trimmed()};
  }
  return {QString(), s};
}

// The label lines the page shows, in file order: all of them when they fit, else
// those naming the luminaire first and the rest as room allows, keeping a line to say
// how many are left out.
std::vector<bool> shownKeywordLines(const std::vector<std::string>& lines) {
  constexpr std::size_t kRoom = 9;
  std::vector<bool> shown(lines.size(), lines.size() <= kRoom);
  if (lines.size() <= kRoom) return shown;
  static const QStringList kNaming = {QStringLiteral("[TEST]"),    QStringLiteral("[MANUFAC]"),
                                      QStringLiteral("[LUMCAT]"),  QStringLiteral("[LUMINAIRE]"),
                                      QStringLiteral("[LAMPCAT]"), QStringLiteral("[LAMP]")};
  std::size_t count = 0;
  for (const bool naming : {true, false}) {
    for (std::size_t i = 0; i < lines.size() && count < kRoom - 1; ++i) {
      if (shown[i] || kNaming.contains(splitKeyword(lines[i]).first.toUpper()) != naming) continue;
      shown[i] = true;
      ++count;
    }
  }
  return shown;
}

QString lampText(const Datasheet& sheet) {
  const Photometry& p = sheet.photometry;
  QString s;
  if (p.absolute()) {
    s = QStringLiteral("%1 (absolute photometry: the luminaire gives %2 lm)")
            .arg(p.lampCount)
            .arg(number(sheet.zonal.lampLumens, 0));
  } else {
    s = QStringLiteral("%1 \u00d7 %2 lm = %3 lm")
            .arg(p.lampCount)
            .arg(number(p.lumensPerLamp, 0), number(sheet.zonal.lampLumens, 0));
  }
  if (sheet.catalogueLamps != p.lampCount) {
    s += QStringLiteral("; the catalogue counts %1 lamps per fixture").arg(sheet.catalogueLamps);
  }
  if (p.inputWatts > 0) s += QStringLiteral("; input %1 W").arg(number(p.inputWatts, 0));
  if (p.ballastFactor != 1) s += QStringLiteral("; ballast factor %1").arg(p.ballastFactor);
  return s;
}

// The header and the luminaire's description; returns the first free y.
double drawHeader(Canvas& canvas, const Datasheet& sheet, Units units) {
  double y = kMargin;
  canvas.write(QRectF(kMargin, y, kContentWidth, 24), Qt::AlignLeft | Qt::AlignBottom,
               QStringLiteral("Type %1: %2").arg(sheet.typeNumber).arg(text(sheet.description)),
               sheetFont(17, true));
  canvas.write(QRectF(kMargin, y, kContentWidth, 24), Qt::AlignRight | Qt::AlignBottom,
               QStringLiteral("Fixture datasheet"), sheetFont(9), kMuted);
  y += 28;
  canvas.line({kMargin, y}, {kMargin + kContentWidth, y}, 0.8, kInk);
  y += 8;

  constexpr double kLabelWidth = 96;
  constexpr double kRow = 12.5;
  const QFont label = sheetFont(8);
  const QFont value = sheetFont(9);
  const auto row = [&](const QString& name, const QString& s) {
    canvas.write(QRectF(kMargin, y, kLabelWidth, kRow), Qt::AlignLeft | Qt::AlignVCenter, name,
                 label, kMuted);
    const double width = kContentWidth - kLabelWidth;
    canvas.write(QRectF(kMargin + kLabelWidth, y, width, kRow), Qt::AlignLeft | Qt::AlignVCenter,
                 canvas.elided(s, value, width), value);
    y += kRow;
  };
  row(QStringLiteral("Photometric file"),
      QStringLiteral("%1 (%2)").arg(text(sheet.file), formatName(sheet.photometry)));
  const auto& keywords = sheet.photometry.keywords;
  const std::vector<bool> shown = shownKeywordLines(keywords);
  std::size_t left = 0;
  for (std::size_t i = 0; i < keywords.size(); ++i) {
    if (!shown[i]) {
      ++left;
      continue;
    }
    const auto [keyword, s] = splitKeyword(keywords[i]);
    row(keyword, s);
  }
  if (left > 0) row(QString(), QStringLiteral("(%1 more lines in the file)").arg(left));
  row(QStringLiteral("Lamps"), lampText(sheet));
  row(QStringLiteral("Luminous opening"),
      text(photometry::luminousOpeningText(sheet.photometry, units)));
  return y;
}

QPointF polarPoint(QPointF centre, double radius, double thetaDegrees, bool left) {
  const double theta = thetaDegrees * std::numbers::pi / 180;
  const double x = radius * std::sin(theta);
  return {centre.x() + (left ? -x : x), centre.y() + radius * std::cos(theta)};
}

// The closed curve of one plane pair: its left half from the zenith down to the nadir,
// then its right half back up.
QPainterPath curvePath(const PolarCurve& curve, QPointF centre, double radius, double scale) {
  QPainterPath path;
  const std::size_t n = curve.angles.size();
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t i = n - 1 - k;
    const QPointF p = polarPoint(centre, radius * curve.left[i] / scale, curve.angles[i], true);
    if (k == 0) {
      path.moveTo(p);
    } else {
      path.lineTo(p);
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    path.lineTo(polarPoint(centre, radius * curve.right[i] / scale, curve.angles[i], false));
  }
  path.closeSubpath();
  return path;
}

// The polar candela diagram in the square box at (x, y); nadir down.
void drawPolar(Canvas& canvas, const Datasheet& sheet, double x, double y, double size) {
  canvas.write(QRectF(x, y, size, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Candela distribution"), sheetFont(10.5, true));
  constexpr double kLabelRoom = 16;
  const double radius = size / 2 - kLabelRoom;
  const QPointF centre(x + size / 2, y + 18 + kLabelRoom + radius);
  const double scale = sheet.rings.back();

  const QFont small = sheetFont(6.5);
  for (const double ring : sheet.rings) {
    const double r = radius * ring / scale;
    QPainterPath circle;
    circle.addEllipse(centre, r, r);
    canvas.path(circle, ring == scale ? 0.7 : 0.4, ring == scale ? kMuted : kRule, Qt::SolidLine);
    // Labels just above the right horizontal, where few luminaires send much light.
    canvas.write(QRectF(centre.x() + r - 30, centre.y() - 9, 29, 8),
                 Qt::AlignRight | Qt::AlignBottom, number(ring, ring < 10 ? 1 : 0), small, kMuted);
  }
  for (int theta = 0; theta <= 180; theta += 30) {
    for (const bool left : {false, true}) {
      if (left && (theta == 0 || theta == 180)) continue;
      const bool axis = theta % 90 == 0;
      canvas.line(centre, polarPoint(centre, radius, theta, left), axis ? 0.6 : 0.4,
                  axis ? kMuted : kRule);
      const QPointF at = polarPoint(centre, radius + 8, theta, left);
      canvas.write(QRectF(at.x() - 12, at.y() - 5, 24, 10), Qt::AlignCenter,
                   QStringLiteral("%1\u00b0").arg(theta), sheetFont(7), kMuted);
    }
  }

  QColor fill = kPlane0;
  fill.setAlpha(40);
  canvas.path(curvePath(sheet.curves[0], centre, radius, scale), 1.3, kPlane0, Qt::SolidLine, fill);
  canvas.path(curvePath(sheet.curves[1], centre, radius, scale), 1.1, kPlane90, Qt::DashLine);

  double ly = centre.y() + radius + kLabelRoom + 4;
  const QFont legend = sheetFont(7.5);
  const auto key = [&](double lx, const QColor& color, Qt::PenStyle style, const QString& s) {
    canvas.line({lx, ly + 5}, {lx + 18, ly + 5}, style == Qt::SolidLine ? 1.3 : 1.1, color, style);
    canvas.write(QRectF(lx + 22, ly, 100, 10), Qt::AlignLeft | Qt::AlignVCenter, s, legend);
  };
  key(x, kPlane0, Qt::SolidLine, QStringLiteral("0\u00b0\u2013180\u00b0 plane"));
  key(x + size / 2, kPlane90, Qt::DashLine, QStringLiteral("90\u00b0\u2013270\u00b0 plane"));
  ly += 12;
  const QString note =
      QStringLiteral("Candela; rings at %1 cd steps").arg(number(sheet.rings[0], 0));
  canvas.write(QRectF(x, ly, size, 10), Qt::AlignLeft | Qt::AlignVCenter, note, legend, kMuted);
  if (sheet.photometry.horizontalAngles.size() == 1) {
    canvas.write(QRectF(x, ly + 10, size, 10), Qt::AlignLeft | Qt::AlignVCenter,
                 QStringLiteral("symmetric about the vertical axis"), legend, kMuted);
  }
}

// The zonal lumen summary and the efficiency in the box from (x, y), `width` wide;
// returns the first free y.
double drawZonalSummary(Canvas& canvas, const Datasheet& sheet, double x, double y, double width) {
  canvas.write(QRectF(x, y, width, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Zonal lumen summary"), sheetFont(10.5, true));
  y += 18;
  constexpr double kRow = 9.5;
  const double zoneWidth = width * 0.2;
  const double valueWidth = (width - zoneWidth) / 3;
  const auto cells = [&](const std::array<QString, 4>& values, const QFont& font) {
    canvas.write(QRectF(x + 4, y, zoneWidth - 4, kRow), Qt::AlignLeft | Qt::AlignVCenter, values[0],
                 font);
    for (int i = 1; i < 4; ++i) {
      canvas.write(QRectF(x + zoneWidth + (i - 1) * valueWidth, y, valueWidth - 6, kRow),
                   Qt::AlignRight | Qt::AlignVCenter, values[static_cast<std::size_t>(i)], font);
    }
    y += kRow;
  };
  canvas.fill(QRectF(x, y, width, kRow), kShade);
  cells({QStringLiteral("Zone"), QStringLiteral("Lumens"), QStringLiteral("% Lamp"),
         QStringLiteral("% Luminaire")},
        sheetFont(8, true));
  for (const auto& zone : sheet.zonal.zones) {
    cells({QStringLiteral("%1\u2013%2\u00b0").arg(zone.fromDegrees).arg(zone.toDegrees),
           number(zone.lumens, 0), number(zone.percentOfLamps, 1),
           number(zone.percentOfLuminaire, 1)},
          sheetFont(8));
    canvas.line({x, y}, {x + width, y}, 0.3, kRule);
  }
  y += 4;
  canvas.write(QRectF(x, y, width, 12), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Efficiency: %1 %").arg(number(100 * sheet.zonal.efficiency, 1)),
               sheetFont(9, true));
  y += 12;
  const QString reference =
      sheet.photometry.absolute()
          ? QStringLiteral("absolute photometry: lamp lumens are the luminaire's")
          : QStringLiteral("luminaire %1 lm of lamps %2 lm")
                .arg(number(sheet.zonal.luminaireLumens, 0), number(sheet.zonal.lampLumens, 0));
  canvas.write(QRectF(x, y, width, 12), Qt::AlignLeft | Qt::AlignVCenter, reference, sheetFont(8),
               kMuted);
  return y + 12;
}

// The candela values of the drawn planes across the page from y, angles across;
// returns the first free y.
double drawCandelaTable(Canvas& canvas, const Datasheet& sheet, double y) {
  canvas.write(QRectF(kMargin, y, kContentWidth, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Candela values"), sheetFont(10.5, true));
  y += 17;
  constexpr double kRow = 9;
  constexpr double kLabelWidth = 64;
  const double valueWidth =
      (kContentWidth - kLabelWidth) / static_cast<double>(sheet.candela.size());
  const auto cells = [&](const QString& first, const auto& value, const QFont& font) {
    canvas.write(QRectF(kMargin + 4, y, kLabelWidth - 4, kRow), Qt::AlignLeft | Qt::AlignVCenter,
                 first, font);
    for (std::size_t i = 0; i < sheet.candela.size(); ++i) {
      canvas.write(QRectF(kMargin + kLabelWidth + static_cast<double>(i) * valueWidth, y,
                          valueWidth - 6, kRow),
                   Qt::AlignRight | Qt::AlignVCenter, value(i), font);
    }
    y += kRow;
  };
  canvas.fill(QRectF(kMargin, y, kContentWidth, kRow + 1), kShade);
  cells(
      QStringLiteral("Angle"),
      [&](std::size_t i) { return QStringLiteral("%1\u00b0").arg(sheet.candela[i].angle); },
      sheetFont(7, true));
  y += 1;
  for (std::size_t plane = 0; plane < photometry::kCandelaTablePlanes.size(); ++plane) {
    cells(
        QStringLiteral("C %1\u00b0").arg(photometry::kCandelaTablePlanes[plane]),
        [&](std::size_t i) { return number(sheet.candela[i].candela[plane], 0); }, sheetFont(7));
  }
  canvas.line({kMargin, y}, {kMargin + kContentWidth, y}, 0.3, kRule);
  return y;
}

// "19.3", or a dash where no luminaire counts.
QString ugrText(const std::optional<double>& ugr) {
  return ugr ? number(*ugr, 1) : QStringLiteral("\u2013");
}

// The standard UGR table in the box from (x, y), `width` wide: rooms down, the
// reflectances crosswise and endwise across.
void drawUgrTable(Canvas& canvas, const Datasheet& sheet, double x, double y, double width) {
  using photometry::kUgrReflectances;
  using photometry::kUgrRooms;
  using photometry::UgrView;
  canvas.write(QRectF(x, y, width, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("UGR, spacing 1 H"), sheetFont(10.5, true));
  if (!sheet.ugr) {
    canvas.write(QRectF(x, y + 18, width, 24), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                 QStringLiteral("No UGR table: %1.").arg(text(sheet.ugrMissing)), sheetFont(8),
                 kMuted);
    return;
  }
  const photometry::UgrTables& tables = *sheet.ugr;
  canvas.write(QRectF(x, y, width, 14), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("UGR 4H 8H: %1 / %2")
                   .arg(ugrText(tables.reference(UgrView::Crosswise)),
                        ugrText(tables.reference(UgrView::Endwise))),
               sheetFont(9, true));
  y += 16;
  constexpr double kRow = 7;
  constexpr double kRoomWidth = 34;
  constexpr auto kSets = kUgrReflectances.size();
  const double cellWidth = (width - kRoomWidth) / (2 * kSets);
  const auto cellX = [&](std::size_t view, std::size_t k) {
    return x + kRoomWidth + static_cast<double>(view * kSets + k) * cellWidth;
  };
  const QFont head = sheetFont(6, true);
  const QFont cell = sheetFont(6);
  canvas.fill(QRectF(x, y, width, 2 * kRow + 1), kShade);
  canvas.write(QRectF(x + 2, y, kRoomWidth, kRow), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("ceil./walls"), sheetFont(5.5), kMuted);
  canvas.write(QRectF(cellX(0, 0), y, kSets * cellWidth, kRow), Qt::AlignCenter,
               QStringLiteral("crosswise"), head);
  canvas.write(QRectF(cellX(1, 0), y, kSets * cellWidth, kRow), Qt::AlignCenter,
               QStringLiteral("endwise"), head);
  y += kRow;
  canvas.write(QRectF(x + 2, y, kRoomWidth, kRow), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("X \u00d7 Y"), sheetFont(5.5), kMuted);
  for (std::size_t view = 0; view < 2; ++view) {
    for (std::size_t k = 0; k < kSets; ++k) {
      canvas.write(
          QRectF(cellX(view, k), y, cellWidth, kRow), Qt::AlignCenter,
          QStringLiteral("%1/%2").arg(kUgrReflectances[k].ceiling).arg(kUgrReflectances[k].walls),
          head);
    }
  }
  y += kRow + 1;
  const double top = y;
  for (std::size_t r = 0; r < kUgrRooms.size(); ++r) {
    if (r > 0 && kUgrRooms[r].x != kUgrRooms[r - 1].x)
      canvas.line({x, y}, {x + width, y}, 0.3, kRule);
    canvas.write(QRectF(x + 2, y, kRoomWidth, kRow), Qt::AlignLeft | Qt::AlignVCenter,
                 QStringLiteral("%1H \u00d7 %2H").arg(kUgrRooms[r].x).arg(kUgrRooms[r].y), head);
    for (std::size_t view = 0; view < 2; ++view) {
      for (std::size_t k = 0; k < kSets; ++k) {
        canvas.write(QRectF(cellX(view, k), y, cellWidth, kRow), Qt::AlignCenter,
                     ugrText(tables.standard.at(r, k, photometry::kUgrViews[view])), cell);
      }
    }
    y += kRow;
  }
  canvas.line({x, y}, {x + width, y}, 0.6, kMuted);
  canvas.line({cellX(1, 0), top - 2 * kRow - 1}, {cellX(1, 0), y}, 0.4, kRule);
  y += 1;
  canvas.write(QRectF(x, y, width, 8), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("CIE 190 tabular method; floor 20 %; H = 2 m above the eye; "
                              "for %1 lm of lamps")
                   .arg(number(tables.lampLumens, 0)),
               sheetFont(6), kMuted);
}

// The CU table from y: RCR down the side, ceilings with their walls across.
void drawCuTable(Canvas& canvas, const Datasheet& sheet, double y) {
  canvas.write(QRectF(kMargin, y, kContentWidth, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Coefficients of utilization"), sheetFont(10.5, true));
  canvas.write(QRectF(kMargin, y, kContentWidth, 14), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("zonal cavity method, effective floor cavity reflectance 20 %; "
                              "CU \u00d7 100"),
               sheetFont(7.5), kMuted);
  y += 18;
  constexpr double kRow = 11;
  constexpr double kRcrWidth = 52;  // the RCR numbers and the header labels
  constexpr double kRcrColumn = 20;
  constexpr int kWalls = static_cast<int>(photometry::kSheetWallPercents.size());
  const double cellWidth = (kContentWidth - kRcrWidth) / photometry::kSheetColumnCount;
  const double top = y;
  const auto cellX = [&](int column) { return kMargin + kRcrWidth + column * cellWidth; };

  const QFont head = sheetFont(7.5, true);
  const QFont cell = sheetFont(7.5);
  canvas.fill(QRectF(kMargin, y, kContentWidth, 2 * kRow), kShade);
  canvas.write(QRectF(kMargin, y, kRcrWidth - 4, kRow), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Ceiling %"), sheetFont(7), kMuted);
  for (std::size_t c = 0; c < photometry::kSheetCeilingPercents.size(); ++c) {
    canvas.write(QRectF(cellX(static_cast<int>(c) * kWalls), y, kWalls * cellWidth, kRow),
                 Qt::AlignCenter, QString::number(photometry::kSheetCeilingPercents[c]), head);
  }
  y += kRow;
  canvas.write(QRectF(kMargin, y, kRcrWidth - 4, kRow), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Wall %"), sheetFont(7), kMuted);
  canvas.write(QRectF(kMargin, y, kRcrColumn, kRow), Qt::AlignCenter, QStringLiteral("RCR"),
               sheetFont(7), kMuted);
  for (int column = 0; column < photometry::kSheetColumnCount; ++column) {
    canvas.write(QRectF(cellX(column), y, cellWidth, kRow), Qt::AlignCenter,
                 QString::number(SheetCuTable::wallOf(column)), head);
  }
  y += kRow;
  canvas.line({kMargin, y}, {kMargin + kContentWidth, y}, 0.6, kMuted);
  for (int rcr = 0; rcr <= photometry::kSheetMaxRcr; ++rcr) {
    if (rcr % 2 == 1)
      canvas.fill(QRectF(kMargin, y, kContentWidth, kRow), QColor(0xf6, 0xf6, 0xf6));
    canvas.write(QRectF(kMargin, y, kRcrColumn, kRow), Qt::AlignCenter, QString::number(rcr), head);
    for (int column = 0; column < photometry::kSheetColumnCount; ++column) {
      const auto value =
          sheet.cu.percent[static_cast<std::size_t>(column)][static_cast<std::size_t>(rcr)];
      canvas.write(QRectF(cellX(column), y, cellWidth, kRow), Qt::AlignCenter,
                   QString::number(value), cell);
    }
    y += kRow;
  }
  canvas.line({kMargin, y}, {kMargin + kContentWidth, y}, 0.6, kMuted);
  // The ceiling groups are set off by rules.
  for (std::size_t c = 0; c < photometry::kSheetCeilingPercents.size(); ++c) {
    const double x = cellX(static_cast<int>(c) * kWalls);
    canvas.line({x, top}, {x, y}, 0.4, kRule);
  }
}

void drawFooter(Canvas& canvas, int page, int pages) {
  const double y = kPageHeight - kMargin + 8;
  canvas.line({kMargin, y - 4}, {kMargin + kContentWidth, y - 4}, 0.4, kRule);
  const QFont font = sheetFont(7);
  canvas.write(QRectF(kMargin, y, kContentWidth, 10), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Kandelor 2.0 \u2013 computed from the candela distribution: zonal "
                              "lumens by ten-degree zones, CUs by the zonal cavity method"),
               font, kMuted);
  canvas.write(QRectF(kMargin, y, kContentWidth, 10), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Page %1 of %2").arg(page).arg(pages), font, kMuted);
}

void drawSheet(Canvas& canvas, const Datasheet& sheet, int page, int pages, Units units) {
  const double y = drawHeader(canvas, sheet, units) + 12;
  constexpr double kPolarSize = 230;
  drawPolar(canvas, sheet, kMargin, y, kPolarSize);
  const double right = kMargin + kPolarSize + 16;
  const double rightWidth = kContentWidth - kPolarSize - 16;
  const double below = drawZonalSummary(canvas, sheet, right, y, rightWidth);
  drawUgrTable(canvas, sheet, right, below + 6, rightWidth);
  const double candela = drawCandelaTable(canvas, sheet, y + 298);
  drawCuTable(canvas, sheet, candela + 8);
  drawFooter(canvas, page, pages);
}

}  // namespace

Result<std::string> renderDatasheetPdf(const std::vector<Datasheet>& sheets,
                                       const std::string& path, Units units) {
  drawing::startGuiForDrawing("kandelor-catalog");
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    drawing::setUpLetterPages(writer, QPageLayout::Portrait, kResolution);
    writer.setTitle(QStringLiteral("Fixture datasheets"));
    writer.setCreator(QStringLiteral("kandelor-catalog"));
    QPainter painter;
    if (!painter.begin(&writer)) return FileError{path, 0, "cannot draw the PDF pages", true};
    painter.setRenderHint(QPainter::Antialiasing);
    Canvas canvas(painter);
    const int pages = static_cast<int>(sheets.size());
    for (int i = 0; i < pages; ++i) {
      if (i > 0) writer.newPage();
      drawSheet(canvas, sheets[static_cast<std::size_t>(i)], i + 1, pages, units);
    }
    if (!painter.end()) return FileError{path, 0, "cannot finish the PDF pages", true};
  }
  return bytes.toStdString();
}

}  // namespace kandelor::catalog
