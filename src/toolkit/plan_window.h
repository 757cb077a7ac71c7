#pragma once

#include <QWidget>

#include <optional>

#include "drawing/plan_drawing.h"
#include "plan/plan_scene.h"

class QComboBox;
class QLabel;

namespace toolkit::detail {

// Paints a plan, or the note of why there is none, and tells the footcandles under the
// pointer.
class PlanCanvas : public QWidget {
 public:
  explicit PlanCanvas(QLabel* pointer, QWidget* parent);
  void showScene(const kandelor::plan::PlanScene& scene);
  void showNote(const QString& title, const QString& text);
  // Dims what is shown and says `text` over it, until the next scene or note.
  void showBusy(const QString& text);
  const QString& busy() const { return busy_; }
  const std::optional<kandelor::plan::PlanScene>& scene() const { return scene_; }
  const QString& note() const { return note_; }
  // Where the last paint put the parts of the plan.
  const kandelor::plan::PlanLayout& layout() const { return layout_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  std::optional<kandelor::plan::PlanScene> scene_;
  QString noteTitle_;
  QString note_;
  QString busy_;
  kandelor::plan::PlanLayout layout_;
  QLabel* pointer_;
};

class PlanWindow : public QWidget {
 public:
  explicit PlanWindow(QWidget* parent);
  PlanCanvas* canvas() const { return canvas_; }
  // Shows the scene in the units chosen, or the note of why there is none (with nothing
  // to save).
  void showScenes(const kandelor::plan::PlanScene& imperial,
                  const kandelor::plan::PlanScene& metric);
  void showNote(const QString& title, const QString& text);
  void showBusy(const QString& title, const QString& text);
  QString title() const;
  void saveImage();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  struct Scenes {
    kandelor::plan::PlanScene imperial;
    kandelor::plan::PlanScene metric;
  };

  PlanCanvas* canvas_;
  QWidget* save_;
  QComboBox* units_;
  std::optional<Scenes> scenes_;
};

// Whether plans show metres and lux: from the desktop's locale until the user chooses.
bool& metricChosen();

}  // namespace toolkit::detail
