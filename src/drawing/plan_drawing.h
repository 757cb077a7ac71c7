#pragma once

#include <QPointF>
#include <QRectF>

#include <optional>
#include <vector>

#include "plan/plan_scene.h"

class QPainter;

namespace kandelor::plan {

// Where the parts of a plan go in the area it is drawn in: the room to scale (x along
// its length to the right, y across its width downwards), the legend's colour bar and
// the figures.
struct PlanLayout {
  QRectF area;
  QRectF room;
  QRectF legendBar;
  QRectF figures;
  double perFoot = 1;  // drawing units per foot
  double fontSize = 10;

  QPointF toArea(double x, double y) const {
    return {room.left() + x * perFoot, room.top() + y * perFoot};
  }
  // The point of the room under `at`, in feet; none outside the room.
  std::optional<QPointF> toRoom(const QPointF& at) const;
};

PlanLayout planLayout(const PlanScene& scene, const QRectF& area);

// What a drawing put where: the layout, the range of its colour scale and legend, and
// the boxes of the isolines' values.
struct DrawnPlan {
  PlanLayout layout;
  double legendLow = 0;
  double legendHigh = 0;
  std::vector<QRectF> isolineLabels;
};

// Draws the plan in `area` (in the painter's units; text is sized from the area, so the
// same call serves a window, an image and a PDF page).
DrawnPlan drawPlan(QPainter& painter, const PlanScene& scene, const QRectF& area);

}  // namespace kandelor::plan
