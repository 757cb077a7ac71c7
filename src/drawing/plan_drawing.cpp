#include "drawing/plan_drawing.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>

#include <algorithm>
#include <cmath>
#include <vector>

#include "drawing/fonts.h"
#include "plan/colour_scale.h"
#include "plan/isolines.h"

namespace kandelor::plan {

namespace {

const QColor kGood(0x00, 0x72, 0xB2);  // blue and orange: told apart by every eye
const QColor kPoor(0xD5, 0x5E, 0x00);
const QColor kLabel(0x55, 0x55, 0x55);

QString qs(const std::string& text) {
  return QString::fromStdString(text);
}

QColor colourOf(double value, double low, double high) {
  const double t = high > low ? (value - low) / (high - low) : 0.5;
  const Rgb rgb = viridis(t);
  return {rgb.red, rgb.green, rgb.blue};
}

QFont fontOf(double size, bool bold = false) {
  QFont font = drawing::sansFont();
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
  font.setBold(bold);
  return font;
}

// Whole numbers from 10 up where the steps are whole; a tenth otherwise (12.5, 7.5).
QString levelText(double value, double step) {
  const bool wholeSteps = std::abs(step - std::round(step)) < 1e-9;
  const int decimals = wholeSteps && std::abs(value) >= 10 ? 0 : 1;
  return QString::number(value, 'f', decimals);
}

// Text with a white halo, legible over any colour of the scale.
void haloText(QPainter& painter, const QPointF& baseline, const QString& text, const QFont& font,
              double halo) {
  QPainterPath path;
  path.addText(baseline, font, text);
  painter.strokePath(path, QPen(Qt::white, halo, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.fillPath(path, Qt::black);
}

void drawFalseColour(QPainter& painter, const PlanScene& scene, const PlanLayout& layout,
                     double low, double high) {
  // One and a half samples per unit of the drawing, interpolated between the points, so
  // that the colours run smoothly on screen and on paper alike.
  const int w = std::clamp(static_cast<int>(layout.room.width() * 1.5), 2, 1600);
  const int h = std::clamp(static_cast<int>(layout.room.height() * 1.5), 2, 1600);
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const double value = scene.valueAt((x + 0.5) * scene.length / w, (y + 0.5) * scene.width / h);
      line[x] = colourOf(value, low, high).rgb();
    }
  }
  painter.drawImage(layout.room, image);
}

// Where a fixture is drawn: its luminous opening to scale (at least 3 units), or the
// small mark of one without a size.
QRectF fixtureBox(const FixtureMark& f, const PlanLayout& layout) {
  const QPointF centre = layout.toArea(f.x, f.y);
  const bool sized = f.length > 0 && f.width > 0;
  const double w = sized ? std::max(f.length * layout.perFoot, 3.0) : layout.fontSize * 0.8;
  const double h = sized ? std::max(f.width * layout.perFoot, 3.0) : layout.fontSize * 0.8;
  return {centre.x() - w / 2, centre.y() - h / 2, w, h};
}

void drawFixtures(QPainter& painter, const PlanScene& scene, const PlanLayout& layout) {
  painter.setPen(QPen(Qt::black, std::max(0.8, layout.fontSize / 10)));
  painter.setBrush(Qt::white);
  for (const FixtureMark& f : scene.fixtures) {
    const QPointF centre = layout.toArea(f.x, f.y);
    if (f.length > 0 && f.width > 0) {
      const QRectF box = fixtureBox(f, layout);
      if (f.round) {
        painter.drawEllipse(box);
      } else {
        painter.drawRect(box);
      }
    } else {
      // No size in the file: a small circle with a cross.
      const double r = layout.fontSize * 0.4;
      painter.drawEllipse(centre, r, r);
      painter.drawLine(centre - QPointF(r, 0), centre + QPointF(r, 0));
      painter.drawLine(centre - QPointF(0, r), centre + QPointF(0, r));
    }
  }
}

std::vector<QRectF> drawIsolines(QPainter& painter, const PlanScene& scene,
                                 const PlanLayout& layout, const std::vector<double>& levels) {
  const std::vector<Isoline> lines = traceIsolines(scene, levels);
  const double step = levels.size() > 1 ? levels[1] - levels[0] : 1;
  // A white line under a dark one shows on the dark and the light end of the scale.
  for (const auto& [pen, width] :
       {std::pair{QColor(Qt::white), 2.2}, {QColor(0x20, 0x20, 0x20), 0.9}}) {
    painter.setPen(QPen(pen, width * layout.fontSize / 11, Qt::SolidLine, Qt::RoundCap));
    for (const Isoline& line : lines) {
      for (const Segment& s : line.segments) {
        painter.drawLine(layout.toArea(s.x1, s.y1), layout.toArea(s.x2, s.y2));
      }
    }
  }
  // Values go where they cover neither another value nor a fixture.
  std::vector<QRectF> labels, fixtures;
  for (const FixtureMark& f : scene.fixtures) fixtures.push_back(fixtureBox(f, layout));
  const QFont font = fontOf(layout.fontSize * 0.9, true);
  const QFontMetricsF metrics(font);
  const QRectF inside = layout.room.adjusted(1, 1, -1, -1);
  for (const Isoline& line : lines) {
    const QString text = levelText(line.level, step);
    const QRectF bounds = metrics.tightBoundingRect(text);
    const double pad = layout.fontSize * 0.2;
    const QSizeF size(bounds.width() + 2 * pad, bounds.height() + 2 * pad);
    if (size.width() > inside.width() || size.height() > inside.height()) continue;
    // The middle of the piece farthest from the walls first, then the others, until the
    // value covers no other value; kept inside the room however close to a wall it runs.
    std::vector<QPointF> places{{line.labelX, line.labelY}};
    for (const Segment& s : line.segments) places.push_back({(s.x1 + s.x2) / 2, (s.y1 + s.y2) / 2});
    std::optional<QRectF> chosen;
    for (const QPointF& place : places) {
      QRectF box(QPointF(), size);
      box.moveCenter(layout.toArea(place.x(), place.y()));
      box.moveLeft(std::clamp(box.left(), inside.left(), inside.right() - box.width()));
      box.moveTop(std::clamp(box.top(), inside.top(), inside.bottom() - box.height()));
      const auto covers = [&](const QRectF& other) { return other.intersects(box); };
      const bool free = std::none_of(labels.begin(), labels.end(), covers) &&
                        std::none_of(fixtures.begin(), fixtures.end(), covers);
      if (free) {
        chosen = box;
        break;
      }
    }
    if (!chosen) continue;
    const QRectF& box = *chosen;
    haloText(painter, QPointF(box.left() + pad - bounds.left(), box.top() + pad - bounds.top()),
             text, font, layout.fontSize * 0.35);
    labels.push_back(box);
  }
  return labels;
}

// "40.0 ft", or "12.19 m".
QString sideText(const PlanScene& scene, double side) {
  const int decimals = scene.lengthUnit == "ft" ? 1 : 2;
  return QString::number(side, 'f', decimals) + u' ' + QString::fromStdString(scene.lengthUnit);
}

void drawDimensions(QPainter& painter, const PlanScene& scene, const PlanLayout& layout) {
  const double f = layout.fontSize;
  const QRectF& room = layout.room;
  painter.setPen(QPen(Qt::black, std::max(1.5, f / 6)));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(room);

  painter.setPen(QPen(kLabel, std::max(0.6, f / 16)));
  painter.setFont(fontOf(f));
  // The length under the room, the width to its left.
  const double y = room.bottom() + f * 0.9;
  painter.drawLine(QPointF(room.left(), y), QPointF(room.right(), y));
  for (const double x : {room.left(), room.right()})
    painter.drawLine(QPointF(x, y - f * 0.4), QPointF(x, y + f * 0.4));
  painter.drawText(QRectF(room.left(), y + f * 0.2, room.width(), f * 1.5), Qt::AlignHCenter,
                   sideText(scene, scene.length));
  const double x = room.left() - f * 0.9;
  painter.drawLine(QPointF(x, room.top()), QPointF(x, room.bottom()));
  for (const double at : {room.top(), room.bottom()})
    painter.drawLine(QPointF(x - f * 0.4, at), QPointF(x + f * 0.4, at));
  painter.save();
  painter.translate(x - f * 0.2, room.center().y());
  painter.rotate(-90);
  painter.drawText(QRectF(-room.height() / 2, -f * 1.5, room.height(), f * 1.4),
                   Qt::AlignHCenter | Qt::AlignBottom, sideText(scene, scene.width));
  painter.restore();
}

void drawLegend(QPainter& painter, const PlanLayout& layout, double low, double high,
                const std::vector<double>& levels, const QString& unit) {
  const double f = layout.fontSize;
  const QRectF& bar = layout.legendBar;
  QImage image(1, 256, QImage::Format_RGB32);
  for (int y = 0; y < 256; ++y)
    image.setPixel(0, y, colourOf(high - (high - low) * (y + 0.5) / 256, low, high).rgb());
  painter.drawImage(bar, image);
  painter.setPen(QPen(Qt::black, std::max(0.6, f / 14)));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(bar);
  painter.setFont(fontOf(f, true));
  painter.drawText(QRectF(bar.left() - f, bar.top() - f * 1.8, f * 6, f * 1.5),
                   Qt::AlignLeft | Qt::AlignBottom, unit);

  painter.setFont(fontOf(f * 0.9));
  const auto yOf = [&](double value) {
    return high > low ? bar.bottom() - (value - low) / (high - low) * bar.height()
                      : bar.center().y();
  };
  const auto tick = [&](double value, const QString& text) {
    const double y = yOf(value);
    painter.drawLine(QPointF(bar.right(), y), QPointF(bar.right() + f * 0.4, y));
    painter.drawText(QRectF(bar.right() + f * 0.6, y - f, f * 6, f * 2), Qt::AlignVCenter, text);
  };
  const double step = levels.size() > 1 ? levels[1] - levels[0] : 1;
  tick(high, levelText(high, 0.1));
  if (high > low) tick(low, levelText(low, 0.1));
  for (const double level : levels) {
    // Round values between, where they do not crowd the ends.
    if (yOf(level) - yOf(high) > f * 1.6 && yOf(low) - yOf(level) > f * 1.6)
      tick(level, levelText(level, step));
  }
}

// The width of the figures' labels, with a gap after them.
double figureLabelWidth(const PlanScene& scene, double f) {
  double width = 0;
  const QFontMetricsF metrics(fontOf(f));
  for (const Figure& figure : scene.figures)
    width = std::max(width, metrics.horizontalAdvance(qs(figure.label)) + f);
  return width;
}

// Each figure's label and value; a value too long for the panel wraps onto more lines,
// so nothing is cut off.
void drawFigures(QPainter& painter, const PlanScene& scene, const PlanLayout& layout) {
  const double f = layout.fontSize;
  const QRectF& box = layout.figures;
  const double labelWidth = figureLabelWidth(scene, f);
  double y = box.top();
  for (const Figure& figure : scene.figures) {
    painter.setFont(fontOf(f));
    painter.setPen(kLabel);
    painter.drawText(QRectF(box.left(), y, labelWidth, f * 1.5), Qt::AlignVCenter,
                     qs(figure.label));
    const QColor colour = figure.tone == Tone::Good   ? kGood
                          : figure.tone == Tone::Poor ? kPoor
                                                      : QColor(Qt::black);
    painter.setFont(fontOf(f, figure.tone != Tone::Plain));
    painter.setPen(colour);
    const double valueWidth = std::max(f, box.width() - labelWidth);
    const QRectF lines = QFontMetricsF(painter.font())
                             .boundingRect(QRectF(0, 0, valueWidth, 1e6),
                                           Qt::TextWordWrap | Qt::AlignLeft, qs(figure.value));
    const double height = std::max(f * 1.5, lines.height() + f * 0.5);
    painter.drawText(QRectF(box.left() + labelWidth, y, valueWidth, height),
                     Qt::AlignVCenter | Qt::TextWordWrap, qs(figure.value));
    y += height;
  }
}

// Each seated observer as a small wedge at the wall, pointing the way it looks, with
// its rating beside it.
void drawObservers(QPainter& painter, const PlanScene& scene, const PlanLayout& layout) {
  const double f = layout.fontSize;
  painter.setFont(fontOf(f * 0.9, true));
  std::vector<QRectF> labels;
  for (const ObserverMark& o : scene.observers) {
    const QPointF eye(layout.room.left() + o.x * layout.perFoot,
                      layout.room.top() + o.y * layout.perFoot);
    const QPointF ahead(o.lookX, o.lookY), side(-o.lookY, o.lookX);
    const QPointF tip = eye + ahead * f * 1.2;
    const QPolygonF wedge{eye + side * f * 0.5, tip, eye - side * f * 0.5};
    painter.setPen(QPen(Qt::black, std::max(0.6, f / 14)));
    painter.setBrush(QColor(Qt::white));
    painter.drawPolygon(wedge);
    const QString text = QStringLiteral("UGR ") + qs(o.value);
    const QFontMetricsF metrics(painter.font());
    const QSizeF size(metrics.horizontalAdvance(text) + f * 0.4, metrics.height());
    QPointF centre = tip + ahead * (o.lookX != 0 ? size.width() / 2 + f * 0.2 : size.height());
    QRectF label(centre - QPointF(size.width() / 2, size.height() / 2), size);
    // In a narrow room the labels of opposite observers meet: each goes to its own side.
    for (const QRectF& other : labels) {
      if (!label.intersects(other)) continue;
      const QPointF shift = side * (size.width() + f * 0.4);
      label.translate(shift);
      if (label.intersects(other)) label.translate(-2 * shift);
    }
    labels.push_back(label);
    haloText(painter, label.topLeft() + QPointF(f * 0.2, metrics.ascent()), text, painter.font(),
             f * 0.3);
  }
}

}  // namespace

std::optional<QPointF> PlanLayout::toRoom(const QPointF& at) const {
  if (!room.contains(at) || !(perFoot > 0)) return std::nullopt;
  return QPointF((at.x() - room.left()) / perFoot, (at.y() - room.top()) / perFoot);
}

PlanLayout planLayout(const PlanScene& scene, const QRectF& area) {
  PlanLayout layout;
  layout.area = area;
  const double f = std::clamp(std::min(area.width() / 75, area.height() / 40), 6.0, 13.0);
  layout.fontSize = f;
  const double titleHeight = f * 2.4;
  // Wide enough for the figures' labels and their longest value, within reason; longer
  // values wrap.
  double valueWidth = f * 14;
  const QFontMetricsF metrics(fontOf(f, true));
  for (const Figure& figure : scene.figures)
    valueWidth = std::max(valueWidth, metrics.horizontalAdvance(qs(figure.value)) + f);
  const double figuresWidth =
      std::min(figureLabelWidth(scene, f) + valueWidth + f, std::max(f * 27, area.width() * 0.42));
  const double legendWidth = f * 7;
  // The room's area: room for the width's dimension on the left, the length's below.
  const QRectF plan(area.left() + f * 3, area.top() + titleHeight + f * 1.5,
                    std::max(1.0, area.width() - f * 3 - legendWidth - figuresWidth),
                    std::max(1.0, area.height() - titleHeight - f * 1.5 - f * 3));
  const double length = std::max(scene.length, 1e-6);
  const double width = std::max(scene.width, 1e-6);
  layout.perFoot = std::min(plan.width() / length, plan.height() / width);
  layout.room = QRectF(plan.left(), plan.top(), length * layout.perFoot, width * layout.perFoot);
  const double barHeight = std::max(layout.room.height(), std::min(plan.height(), f * 12));
  layout.legendBar = QRectF(layout.room.right() + f * 2, plan.top(), f * 1.3, barHeight);
  layout.figures = QRectF(area.right() - figuresWidth + f, plan.top() - f * 0.3, figuresWidth - f,
                          area.bottom() - plan.top());
  return layout;
}

DrawnPlan drawPlan(QPainter& painter, const PlanScene& scene, const QRectF& area) {
  DrawnPlan drawn;
  drawn.layout = planLayout(scene, area);
  const PlanLayout& layout = drawn.layout;
  drawn.legendLow = scene.minimum();
  drawn.legendHigh = scene.maximum();

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.setPen(Qt::black);
  painter.setFont(fontOf(layout.fontSize * 1.35, true));
  painter.drawText(QRectF(area.left(), area.top(), area.width(), layout.fontSize * 2.2),
                   Qt::AlignLeft | Qt::AlignVCenter, qs(scene.title));

  const std::vector<double> levels = isolineLevels(scene);
  drawFalseColour(painter, scene, layout, drawn.legendLow, drawn.legendHigh);
  drawn.isolineLabels = drawIsolines(painter, scene, layout, levels);
  drawFixtures(painter, scene, layout);
  drawObservers(painter, scene, layout);
  drawDimensions(painter, scene, layout);
  drawLegend(painter, layout, drawn.legendLow, drawn.legendHigh, levels,
             QString::fromStdString(scene.lightUnit));
  drawFigures(painter, scene, layout);
  painter.restore();
  return drawn;
}

}  // namespace kandelor::plan
