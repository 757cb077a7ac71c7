#include "toolkit/plan_window.h"

#include <QBuffer>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

#include "drawing/pdf_pages.h"
#include "model/text_file.h"
#include "toolkit/message_queue.h"
#include "toolkit/project_schedule.h"
#include "toolkit/qt_text.h"
#include "toolkit/room_plan.h"
#include "toolkit/schedule_window.h"
#include "toolkit/toolkit.h"
#include "toolkit/windows.h"

namespace toolkit {
namespace detail {

namespace {

constexpr int kCanvasMargin = 10;

// A file name from the room's title: letters, digits, blanks, '-' and '_' kept.
QString fileNameOf(const QString& title) {
  QString name;
  for (const QChar c : title) {
    if (c.isLetterOrNumber() || c == u'-' || c == u'_') {
      name += c;
    } else if ((c == u' ' || c == u'(' || c == u',') && !name.endsWith(u' ')) {
      name += u' ';
    }
  }
  name = name.trimmed().replace(u' ', u'_');
  return name.isEmpty() ? QStringLiteral("room_plan") : name;
}

// Writes the bytes as every file of the program is written: whole or not at all.
kandelor::Result<> writeBytes(const QString& path, const QByteArray& bytes) {
  return kandelor::writeFileAtomically(path.toStdString(),
                                       std::string_view(bytes.constData(), bytes.size()));
}

kandelor::Result<> writePng(const kandelor::plan::PlanScene& scene, const QString& path) {
  // Twice the window's usual size, for print and slides.
  QImage image(1800, 1200, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(2, 2);
  kandelor::plan::drawPlan(painter, scene, QRectF(10, 10, 880, 580));
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
    return kandelor::FileError{path.toStdString(), 0, "the image could not be encoded", true};
  return writeBytes(path, bytes);
}

bool drawPdf(const kandelor::plan::PlanScene& scene, QIODevice& device, int resolution) {
  QPdfWriter writer(&device);
  kandelor::drawing::setUpLetterPages(writer, QPageLayout::Landscape, resolution);
  writer.setTitle(toQString(scene.title));
  QPainter painter;
  if (!painter.begin(&writer)) return false;
  painter.scale(resolution / 72.0, resolution / 72.0);
  kandelor::plan::drawPlan(painter, scene, QRectF(36, 36, 720, 540));
  return painter.end();
}

kandelor::Result<> writePdf(const kandelor::plan::PlanScene& scene, const QString& path) {
  constexpr int kResolution = 300;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!drawPdf(scene, buffer, kResolution))
    return kandelor::FileError{path.toStdString(), 0, "the page could not be drawn", true};
  return writeBytes(path, bytes);
}

}  // namespace

PlanCanvas::PlanCanvas(QLabel* pointer, QWidget* parent) : QWidget(parent), pointer_(pointer) {
  setObjectName(QStringLiteral("roomPlanCanvas"));
  setMouseTracking(true);
  setMinimumSize(560, 360);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Qt::white);
  setPalette(colours);
}

void PlanCanvas::showScene(const kandelor::plan::PlanScene& scene) {
  scene_ = scene;
  note_.clear();
  busy_.clear();
  update();
}

void PlanCanvas::showBusy(const QString& text) {
  busy_ = text;
  update();
}

void PlanCanvas::showNote(const QString& title, const QString& text) {
  scene_.reset();
  busy_.clear();
  noteTitle_ = title;
  note_ = text;
  pointer_->clear();
  update();
}

void PlanCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRectF area =
      QRectF(rect()).adjusted(kCanvasMargin, kCanvasMargin, -kCanvasMargin, -kCanvasMargin);
  if (scene_) {
    layout_ = kandelor::plan::drawPlan(painter, *scene_, area).layout;
    if (!busy_.isEmpty()) {
      // The picture stays to be seen, dimmed, while the new light is computed.
      painter.fillRect(rect(), QColor(255, 255, 255, 170));
      QFont font = painter.font();
      font.setBold(true);
      font.setPointSizeF(font.pointSizeF() * 1.3);
      painter.setFont(font);
      painter.setPen(Qt::black);
      painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, busy_);
    }
    return;
  }
  QFont font = painter.font();
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(area, Qt::AlignLeft | Qt::AlignTop, noteTitle_);
  font.setBold(false);
  painter.setFont(font);
  painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, busy_.isEmpty() ? note_ : busy_);
}

void PlanCanvas::mouseMoveEvent(QMouseEvent* event) {
  const auto at = scene_ ? layout_.toRoom(event->position()) : std::nullopt;
  if (!at) {
    pointer_->clear();
    QToolTip::hideText();
    return;
  }
  const double value = scene_->valueAt(at->x(), at->y());
  const QString length = toQString(scene_->lengthUnit);
  const int decimals = scene_->lengthUnit == "ft" ? 1 : 2;
  const QString text = QStringLiteral("%1 %2 at %3 %4 along, %5 %4 across")
                           .arg(value, 0, 'f', value < 10 ? 1 : 0)
                           .arg(toQString(scene_->lightUnit))
                           .arg(at->x(), 0, 'f', decimals)
                           .arg(length)
                           .arg(at->y(), 0, 'f', decimals);
  pointer_->setText(text);
  QToolTip::showText(event->globalPosition().toPoint(), text, this);
}

void PlanCanvas::leaveEvent(QEvent*) {
  pointer_->clear();
}

PlanWindow::PlanWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("roomPlanWindow"));
  setWindowTitle(QStringLiteral("Room Plan"));
  auto* pointer = new QLabel(this);
  pointer->setObjectName(QStringLiteral("roomPlanPointer"));
  canvas_ = new PlanCanvas(pointer, this);
  auto* save = new QPushButton(QStringLiteral("Save &Image\u2026"), this);
  save->setObjectName(QStringLiteral("roomPlanSave"));
  connect(save, &QPushButton::clicked, this, [this] { saveImage(); });
  save_ = save;
  units_ = newUnitsSwitch(this, QStringLiteral("roomPlanUnits"),
                          QStringLiteral("The units the plan is shown and saved in"));
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(pointer, 1);
  bottom->addWidget(units_);
  bottom->addWidget(save);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(canvas_, 1);
  layout->addLayout(bottom);
  resize(920, 620);
}

void PlanWindow::showScenes(const kandelor::plan::PlanScene& imperial,
                            const kandelor::plan::PlanScene& metric) {
  scenes_ = Scenes{imperial, metric};
  setWindowTitle(QStringLiteral("Room Plan: ") + toQString(imperial.title));
  canvas_->showScene(metricChosen() ? metric : imperial);
  save_->setEnabled(true);
}

void PlanWindow::showBusy(const QString& title, const QString& text) {
  setWindowTitle(QStringLiteral("Room Plan: ") + title);
  canvas_->showBusy(text);
}

void PlanWindow::showNote(const QString& title, const QString& text) {
  scenes_.reset();
  setWindowTitle(QStringLiteral("Room Plan: ") + title);
  canvas_->showNote(title, text);
  save_->setEnabled(false);
}

void PlanWindow::showUnits() {
  const QSignalBlocker quiet(units_);
  units_->setCurrentIndex(metricChosen() ? 1 : 0);
  if (scenes_) canvas_->showScene(metricChosen() ? scenes_->metric : scenes_->imperial);
}

QString PlanWindow::title() const {
  return canvas_->scene() ? toQString(canvas_->scene()->title) : QString();
}

void PlanWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void PlanWindow::saveImage() {
  if (!canvas_->scene()) return;
  const kandelor::plan::PlanScene scene = *canvas_->scene();
  std::string name = (fileNameOf(title()) + QStringLiteral(".png")).toStdString();
  if (!wselectfile2("PNG image|*.png|PDF page|*.pdf|",
                    kSaveDialog | kAskOverwrite | kAppendExtension, name, "Save Image")) {
    return;
  }
  const QString path = toQString(name);
  const bool pdf =
      QFileInfo(path).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0;
  if (const auto written = pdf ? writePdf(scene, path) : writePng(scene, path); !written) {
    wmessagebox("Save Image", written.error().message());
  }
}

bool& metricChosen() {
  // The desktop's locale decides at first, then the user, for the rest of the run. A C
  // or POSIX locale says nothing of how it measures: feet, as the form has.
  static bool metric = [] {
    const QLocale locale = QLocale::system();
    return locale.language() != QLocale::C && locale.measurementSystem() == QLocale::MetricSystem;
  }();
  return metric;
}

void chooseMetric(bool metric) {
  if (metric == metricChosen()) return;
  metricChosen() = metric;
  if (PlanWindow* plan = planWindow(false)) plan->showUnits();
  if (ScheduleWindow* schedule = scheduleWindow(false)) schedule->showUnits();
  if (messageQueue().enabledTypes.count(kUnitsChanged)) enqueue(kUnitsChanged, metric ? 1 : 0, -1);
}

QComboBox* newUnitsSwitch(QWidget* parent, const QString& name, const QString& toolTip) {
  auto* units = new QComboBox(parent);
  units->setObjectName(name);
  units->addItems({QStringLiteral("Feet, footcandles"), QStringLiteral("Metres, lux")});
  units->setCurrentIndex(metricChosen() ? 1 : 0);
  units->setToolTip(toolTip);
  QObject::connect(units, &QComboBox::currentIndexChanged, units,
                   [](int index) { chooseMetric(index == 1); });
  return units;
}

void placeBesideMain(QWidget* window) {
  const QMainWindow* main = windows().main;
  if (main == nullptr) return;
  const QRect form = main->frameGeometry();
  if (const QScreen* screen = main->screen()) {
    const QRect free = screen->availableGeometry();
    const int x = std::max(free.left(), std::min(form.right() + 8, free.right() - window->width()));
    window->move(x, form.top());
  }
}

PlanWindow* planWindow(bool create) {
  return childWindow<PlanWindow>(windows().planWindow, create);
}

void present(QWidget* window, bool open) {
  if (!open) return;
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace detail

bool wmetricchosen() {
  return detail::metricChosen();
}

void wplanshow(const kandelor::plan::PlanScene& imperial, const kandelor::plan::PlanScene& metric,
               bool open) {
  detail::PlanWindow* window = detail::planWindow(open);
  if (window == nullptr) return;
  window->showScenes(imperial, metric);
  detail::present(window, open);
}

void wplannote(std::string_view title, std::string_view text, bool open) {
  detail::PlanWindow* window = detail::planWindow(open);
  if (window == nullptr) return;
  window->showNote(detail::toQString(title), detail::toQString(text));
  detail::present(window, open);
}

void wplanbusy(std::string_view title, std::string_view text, bool open) {
  detail::PlanWindow* window = detail::planWindow(open);
  if (window == nullptr) return;
  window->showBusy(detail::toQString(title), detail::toQString(text));
  detail::present(window, open);
}

bool wplanisopen() {
  const detail::PlanWindow* window = detail::planWindow(false);
  return window != nullptr && window->isVisible();
}

void wplanclose() {
  if (detail::PlanWindow* window = detail::planWindow(false)) window->close();
}

}  // namespace toolkit
