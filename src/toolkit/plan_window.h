#pragma once

#include <QWidget>

#include <optional>

#include "drawing/plan_drawing.h"
#include "plan/plan_scene.h"
#include "toolkit/windows.h"

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
  // Shows the plan in the units chosen now, the units switch agreeing.
  void showUnits();

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

// Whether plans and the schedule show metres and lux: from the desktop's locale until
// the user chooses.
bool& metricChosen();
// The user's choice of units in either window: both windows show it, and the program
// hears of it when it has turned kUnitsChanged on.
void chooseMetric(bool metric);
// A units switch for a window, agreeing with metricChosen() and choosing through
// chooseMetric().
QComboBox* newUnitsSwitch(QWidget* parent, const QString& name, const QString& toolTip);

// The plan window, made when `create` and the main window is open; else nullptr until it
// is.
PlanWindow* planWindow(bool create);
// Places a child window of the main one beside it, as far as the screen has room, so
// that it hides little of the form.
void placeBesideMain(QWidget* window);
// Shows the window in front when `open`.
void present(QWidget* window, bool open);

// The child window of the main one kept in `kept`: made (beside the main window) when
// `create` and the main window is open.
template <typename Window>
Window* childWindow(QPointer<QWidget>& kept, bool create) {
  if (!kept && create && windows().main) {
    auto* window = new Window(windows().main);
    placeBesideMain(window);
    kept = window;
  }
  return static_cast<Window*>(kept.data());
}

}  // namespace toolkit::detail
