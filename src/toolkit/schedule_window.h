#pragma once

#include <QTableWidget>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

#include "toolkit/project_schedule.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace toolkit::detail {

// A read-only table of cells that sorts by a click on a heading. Shown anew, it keeps
// its sort, its current row (found again by the row's key) and its scroll position.
class CellTable : public QTableWidget {
 public:
  CellTable(const QString& name, QWidget* parent);
  // Shows the table; keys[i] names row i (a room's number) for as long as it is shown.
  void showTable(Table table, std::vector<int> keys);
  // Changes the text a cell sorts by, for the next sort.
  void setSortText(int dataRow, int column, const std::string& text);
  // The row of the table given to showTable at a row of the view, -1 for none.
  int dataRow(int viewRow) const;
  int viewRow(int dataRow) const;

  // Called for each row as it is shown, to put widgets into its cells.
  std::function<void(int viewRow, int dataRow)> placeWidgets;
  // Called with the row double-clicked, or the current row when Enter is pressed.
  std::function<void(int dataRow)> chosen;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Shows the rows in the sort order, with `current` (a row of the table) current and
  // the scroll position kept.
  void refill(int current);
  void sortRows();

  Table table_;
  std::vector<int> keys_;
  std::vector<int> order_;  // the table's row at each row of the view
};

class ScheduleWindow : public QWidget {
 public:
  explicit ScheduleWindow(QWidget* parent);
  void showContent(const ScheduleContent& content);
  // `done` of `total` rooms; a total of 0 hides the bar.
  void showProgress(int done, int total);
  // Shows the content in the units chosen now, the units switch agreeing.
  void showUnits();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void placeSpaceType(int viewRow, int dataRow);
  int roomAt(int dataRow) const;

  ScheduleContent content_;
  QStringList choices_;  // content_.spaceTypeChoices as the choosers list them
  QLabel* status_;
  QProgressBar* progress_;
  CellTable* rooms_;
  QLabel* totals_;
  CellTable* luminaires_;
  QComboBox* units_;
  std::array<QPushButton*, 4> exports_{};
};

// The schedule window, made when `create` and the main window is open; else nullptr until
// it is.
ScheduleWindow* scheduleWindow(bool create);

}  // namespace toolkit::detail
