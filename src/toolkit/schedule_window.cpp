#include "toolkit/schedule_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "toolkit/message_queue.h"
#include "toolkit/plan_window.h"
#include "toolkit/qt_text.h"
#include "toolkit/windows.h"

namespace toolkit {
namespace detail {
namespace {

struct ExportButton {
  ScheduleExport kind;
  const char* text;
  const char* name;
};

constexpr std::array<ExportButton, 4> kExportButtons{{
    {kExportCsv, "Export CSV\u2026", "scheduleExportCsv"},
    {kExportJson, "Export JSON\u2026", "scheduleExportJson"},
    {kExportPdf, "Export PDF\u2026", "scheduleExportPdf"},
    {kExportPdfWithPlans, "Export PDF with Plans\u2026", "scheduleExportPdfPlans"},
}};

// A space-type chooser in a row of the table. The wheel scrolls the table unless the
// chooser has the focus, so that scrolling past rooms changes none of them.
class SpaceTypeBox : public QComboBox {
 public:
  explicit SpaceTypeBox(QWidget* parent) : QComboBox(parent) { setFocusPolicy(Qt::StrongFocus); }

 protected:
  void wheelEvent(QWheelEvent* event) override {
    if (hasFocus()) {
      QComboBox::wheelEvent(event);
    } else {
      event->ignore();
    }
  }
};

// Black or white, whichever reads better on the tint.
QColor textOn(const QColor& tint) {
  const double luminance = 0.299 * tint.red() + 0.587 * tint.green() + 0.114 * tint.blue();
  return luminance > 140 ? Qt::black : Qt::white;
}

bool hasNumber(const TableCell& cell) {
  return cell.number && !std::isnan(*cell.number);
}

const TableCell& cellOf(const Table& table, int row, int column) {
  static const TableCell kEmpty;
  const auto& cells = table.rows[static_cast<std::size_t>(row)];
  return column < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(column)] : kEmpty;
}

}  // namespace

CellTable::CellTable(const QString& name, QWidget* parent) : QTableWidget(parent) {
  setObjectName(name);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setWordWrap(false);
  verticalHeader()->setVisible(false);
  QHeaderView* header = horizontalHeader();
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(true);
  header->setSortIndicator(-1, Qt::AscendingOrder);  // in the order given until a click
  connect(header, &QHeaderView::sortIndicatorChanged, this,
          [this] { refill(dataRow(currentRow())); });
  connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (chosen && dataRow(row) >= 0) chosen(dataRow(row));
  });
}

void CellTable::showTable(Table table, std::vector<int> keys) {
  const auto headings = [](const Table& t) {
    std::vector<std::string> texts;
    for (const TableColumn& column : t.columns) texts.push_back(column.heading);
    return texts;
  };
  const bool newHeadings = headings(table) != headings(table_);
  table_ = std::move(table);
  if (keys.size() != table_.rows.size()) {
    keys.resize(table_.rows.size());
    std::iota(keys.begin(), keys.end(), 0);
  }
  // The current row is found again by its key, which the old rows held.
  const int current = dataRow(currentRow());
  int row = -1;
  if (current >= 0) {
    const auto found =
        std::find(keys.begin(), keys.end(), keys_[static_cast<std::size_t>(current)]);
    if (found != keys.end()) row = static_cast<int>(found - keys.begin());
  }
  keys_ = std::move(keys);
  refill(row);
  if (newHeadings) {
    resizeColumnsToContents();
    return;
  }
  // Columns widen for longer texts (a room's light arriving) but never narrow, so that
  // the table does not jump under the pointer nor undo the user's widths.
  for (int c = 0; c < columnCount(); ++c) {
    const int needed = std::max(sizeHintForColumn(c), horizontalHeader()->sectionSizeHint(c));
    if (needed > columnWidth(c)) setColumnWidth(c, needed);
  }
}

void CellTable::setSortText(int dataRow, int column, const std::string& text) {
  if (dataRow < 0 || dataRow >= static_cast<int>(table_.rows.size())) return;
  auto& cells = table_.rows[static_cast<std::size_t>(dataRow)];
  if (column < 0 || column >= static_cast<int>(cells.size())) return;
  cells[static_cast<std::size_t>(column)].text = text;
  cells[static_cast<std::size_t>(column)].number.reset();
  if (QTableWidgetItem* shown = item(viewRow(dataRow), column)) shown->setText(toQString(text));
}

int CellTable::dataRow(int viewRow) const {
  return viewRow >= 0 && viewRow < static_cast<int>(order_.size())
             ? order_[static_cast<std::size_t>(viewRow)]
             : -1;
}

int CellTable::viewRow(int dataRow) const {
  const auto found = std::find(order_.begin(), order_.end(), dataRow);
  return found == order_.end() ? -1 : static_cast<int>(found - order_.begin());
}

void CellTable::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && chosen &&
      dataRow(currentRow()) >= 0) {
    chosen(dataRow(currentRow()));
    return;
  }
  QTableWidget::keyPressEvent(event);
}

void CellTable::sortRows() {
  order_.resize(table_.rows.size());
  std::iota(order_.begin(), order_.end(), 0);
  const int column = horizontalHeader()->sortIndicatorSection();
  if (column < 0 || column >= static_cast<int>(table_.columns.size())) return;
  const bool descending = horizontalHeader()->sortIndicatorOrder() == Qt::DescendingOrder;
  std::vector<QString> texts;
  for (int row = 0; row < static_cast<int>(table_.rows.size()); ++row)
    texts.push_back(toQString(cellOf(table_, row, column).text));
  // Numbers before text in either order, so that blank and "n/a" cells stay at the end.
  std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
    const TableCell& x = cellOf(table_, a, column);
    const TableCell& y = cellOf(table_, b, column);
    if (hasNumber(x) != hasNumber(y)) return hasNumber(x);
    const int order = hasNumber(x) ? (*x.number < *y.number   ? -1
                                      : *y.number < *x.number ? 1
                                                              : 0)
                                   : texts[static_cast<std::size_t>(a)].compare(
                                         texts[static_cast<std::size_t>(b)], Qt::CaseInsensitive);
    return descending ? order > 0 : order < 0;
  });
}

void CellTable::refill(int current) {
  const int vertical = verticalScrollBar()->value();
  const int horizontal = horizontalScrollBar()->value();
  const int currentCol = currentColumn();
  sortRows();
  // The items and widgets shown are kept and only what changed is set, so that a table of
  // every room refreshes at typing speed.
  setUpdatesEnabled(false);
  const int columns = static_cast<int>(table_.columns.size());
  if (columnCount() != columns) setColumnCount(columns);
  for (int c = 0; c < columns; ++c) {
    const TableColumn& column = table_.columns[static_cast<std::size_t>(c)];
    QTableWidgetItem* heading = horizontalHeaderItem(c);
    if (heading == nullptr) {
      heading = new QTableWidgetItem;
      setHorizontalHeaderItem(c, heading);
    }
    heading->setText(toQString(column.heading));
    heading->setToolTip(toQString(column.toolTip));
    heading->setTextAlignment(column.rightAligned ? Qt::AlignRight | Qt::AlignVCenter
                                                  : Qt::AlignLeft | Qt::AlignVCenter);
  }
  const int rows = static_cast<int>(order_.size());
  if (rowCount() != rows) setRowCount(rows);
  for (int r = 0; r < rows; ++r) {
    const int data = order_[static_cast<std::size_t>(r)];
    for (int c = 0; c < columns; ++c) {
      const TableCell& cell = cellOf(table_, data, c);
      QTableWidgetItem* shown = item(r, c);
      if (shown == nullptr) {
        shown = new QTableWidgetItem;
        shown->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setItem(r, c, shown);
      }
      const QString text = toQString(cell.text);
      if (shown->text() != text) shown->setText(text);
      const Qt::Alignment alignment = table_.columns[static_cast<std::size_t>(c)].rightAligned
                                          ? Qt::AlignRight | Qt::AlignVCenter
                                          : Qt::AlignLeft | Qt::AlignVCenter;
      if (shown->textAlignment() != static_cast<int>(alignment)) shown->setTextAlignment(alignment);
      QBrush background;
      QBrush foreground;
      if (cell.tint) {
        const QColor tint(cell.tint->red, cell.tint->green, cell.tint->blue);
        background = QBrush(tint);
        foreground = QBrush(textOn(tint));
      }
      if (shown->background() != background) shown->setBackground(background);
      if (shown->foreground() != foreground) shown->setForeground(foreground);
      const QString toolTip = toQString(cell.toolTip);
      if (shown->toolTip() != toolTip) shown->setToolTip(toolTip);
    }
    if (placeWidgets) placeWidgets(r, data);
  }
  if (current >= 0 && current < rows) setCurrentCell(viewRow(current), std::max(0, currentCol));
  setUpdatesEnabled(true);
  // Setting the current row scrolls to it: the old position is put back after it.
  updateGeometries();
  verticalScrollBar()->setValue(vertical);
  horizontalScrollBar()->setValue(horizontal);
}

ScheduleWindow::ScheduleWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("projectScheduleWindow"));
  setWindowTitle(QStringLiteral("Project Schedule"));
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("scheduleStatus"));
  status_->hide();
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("scheduleProgress"));
  progress_->setFormat(QStringLiteral("%v of %m rooms"));
  progress_->hide();
  rooms_ = new CellTable(QStringLiteral("scheduleRooms"), this);
  rooms_->placeWidgets = [this](int viewRow, int dataRow) { placeSpaceType(viewRow, dataRow); };
  rooms_->chosen = [this](int dataRow) { enqueue(kScheduleRoomChosen, roomAt(dataRow), -1); };
  totals_ = new QLabel(this);
  totals_->setObjectName(QStringLiteral("scheduleTotals"));
  totals_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  totals_->hide();
  luminaires_ = new CellTable(QStringLiteral("scheduleLuminaires"), this);
  units_ = newUnitsSwitch(this, QStringLiteral("scheduleUnits"),
                          QStringLiteral("The units the schedule is shown in"));

  auto* top = new QHBoxLayout;
  top->addWidget(status_, 1);
  top->addWidget(progress_);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(units_);
  bottom->addStretch(1);
  for (std::size_t i = 0; i < kExportButtons.size(); ++i) {
    const ExportButton& button = kExportButtons[i];
    exports_[i] = new QPushButton(QString::fromUtf8(button.text), this);
    exports_[i]->setObjectName(QString::fromLatin1(button.name));
    exports_[i]->setEnabled(false);
    connect(exports_[i], &QPushButton::clicked, this,
            [kind = button.kind] { enqueue(kScheduleExport, kind, -1); });
    bottom->addWidget(exports_[i]);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(rooms_, 3);
  layout->addWidget(totals_);
  layout->addWidget(luminaires_, 1);
  layout->addLayout(bottom);
  resize(1000, 720);
}

void ScheduleWindow::showContent(const ScheduleContent& content) {
  content_ = content;
  choices_.clear();
  for (const std::string& choice : content_.spaceTypeChoices) choices_ << toQString(choice);
  content_.spaceTypeChosen.resize(content_.imperial.rooms.rows.size(), -1);
  setWindowTitle(toQString(content_.title));
  status_->setText(toQString(content_.status));
  status_->setVisible(!content_.status.empty());
  for (QPushButton* button : exports_) {
    button->setEnabled(content_.exportable);
    button->setToolTip(content_.exportable ? QString() : toQString(content_.status));
  }
  showUnits();
}

void ScheduleWindow::showProgress(int done, int total) {
  progress_->setVisible(total > 0);
  if (total <= 0) return;
  progress_->setRange(0, total);
  progress_->setValue(std::clamp(done, 0, total));
}

void ScheduleWindow::showUnits() {
  {
    const QSignalBlocker quiet(units_);
    units_->setCurrentIndex(metricChosen() ? 1 : 0);
  }
  const ScheduleSheet& sheet = metricChosen() ? content_.metric : content_.imperial;
  // A chooser's cell sorts by the text chosen.
  Table rooms = sheet.rooms;
  const int column = content_.spaceTypeColumn;
  const auto& choices = content_.spaceTypeChoices;
  for (std::size_t row = 0; row < rooms.rows.size() && column >= 0; ++row) {
    auto& cells = rooms.rows[row];
    if (column >= static_cast<int>(cells.size())) continue;
    const int chosen = content_.spaceTypeChosen[row];
    TableCell& cell = cells[static_cast<std::size_t>(column)];
    cell.text = chosen >= 0 && chosen < static_cast<int>(choices.size())
                    ? choices[static_cast<std::size_t>(chosen)]
                    : std::string();
    cell.number.reset();
  }
  rooms_->showTable(std::move(rooms), content_.roomNumbers);
  QStringList totals;
  for (const std::string& line : sheet.totals) totals << toQString(line);
  totals_->setText(totals.join(u'\n'));
  totals_->setVisible(!totals.isEmpty());
  luminaires_->showTable(sheet.luminaires, {});
}

void ScheduleWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void ScheduleWindow::placeSpaceType(int viewRow, int dataRow) {
  const int column = content_.spaceTypeColumn;
  if (column < 0 || column >= rooms_->columnCount()) return;
  // A row's chooser stays when the rows are shown again; it knows its room by the row of
  // the content it stands for, which sorting changes.
  auto* box = dynamic_cast<SpaceTypeBox*>(rooms_->cellWidget(viewRow, column));
  if (box == nullptr) {
    box = new SpaceTypeBox(rooms_);
    box->setObjectName(QStringLiteral("scheduleSpaceType"));
    connect(box, &QComboBox::activated, this, [this, box](int index) {
      const int row = box->property("dataRow").toInt();
      if (index < 0 || index >= static_cast<int>(content_.spaceTypeChoices.size())) return;
      if (row < 0 || row >= static_cast<int>(content_.spaceTypeChosen.size())) return;
      content_.spaceTypeChosen[static_cast<std::size_t>(row)] = index;
      rooms_->setSortText(row, content_.spaceTypeColumn,
                          content_.spaceTypeChoices[static_cast<std::size_t>(index)]);
      if (messageQueue().enabledTypes.count(kScheduleSpaceTypeChosen))
        enqueue(kScheduleSpaceTypeChosen, roomAt(row), index);
    });
    rooms_->setCellWidget(viewRow, column, box);
  }
  box->setProperty("dataRow", dataRow);
  if (box->property("choices").toStringList() != choices_) {
    box->clear();
    box->addItems(choices_);
    box->setProperty("choices", choices_);
  }
  box->setCurrentIndex(content_.spaceTypeChosen[static_cast<std::size_t>(dataRow)]);
  if (const QTableWidgetItem* cell = rooms_->item(viewRow, column))
    box->setToolTip(cell->toolTip());
}

int ScheduleWindow::roomAt(int dataRow) const {
  return dataRow >= 0 && dataRow < static_cast<int>(content_.roomNumbers.size())
             ? content_.roomNumbers[static_cast<std::size_t>(dataRow)]
             : -1;
}

ScheduleWindow* scheduleWindow(bool create) {
  return childWindow<ScheduleWindow>(windows().scheduleWindow, create);
}

}  // namespace detail

void wscheduleshow(const ScheduleContent& content, bool open) {
  detail::ScheduleWindow* window = detail::scheduleWindow(open);
  if (window == nullptr) return;
  window->showContent(content);
  detail::present(window, open);
}

void wscheduleprogress(int done, int total) {
  if (detail::ScheduleWindow* window = detail::scheduleWindow(false))
    window->showProgress(done, total);
}

bool wscheduleisopen() {
  return detail::windows().scheduleWindow && detail::windows().scheduleWindow->isVisible();
}

void wscheduleclose() {
  if (QWidget* window = detail::windows().scheduleWindow) window->close();
}

}  // namespace toolkit
