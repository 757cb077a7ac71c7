#include "form/form_transfer.h"

#include "form/field_ids.h"
#include "form/grid_columns.h"
#include "form/input_ranges.h"
#include "toolkit/toolkit.h"

namespace kandelor {
namespace {

constexpr toolkit::RealFormat kFactorFormat{4, 2};
constexpr toolkit::RealFormat kGridFormat{5, 1};

template <std::size_t N>
void putText(int id, const FixedText<N>& text) {
  toolkit::wdialogputstring(id, text.view());
}

template <std::size_t N>
void getText(int id, FixedText<N>& text) {
  text.assign(toolkit::wdialoggetstring(id));
}

template <typename Member>
void putTextColumn(const RoomPage& page, Column column, Member member) {
  for (int r = 1; r <= kRowCount; ++r) putText(fieldId(r, column), page.row(r).*member);
}

template <typename Member>
void getTextColumn(RoomPage& page, Column column, Member member) {
  for (int r = 1; r <= kRowCount; ++r) getText(fieldId(r, column), page.row(r).*member);
}

}  // namespace

void RangeData() {
  for (const auto& range : kLampRanges) {
    toolkit::wdialograngeinteger(range.field, range.min, range.max);
  }
  for (const auto& range : kRowIntegerRanges) {
    for (int r = 1; r <= kRowCount; ++r) {
      toolkit::wdialograngeinteger(fieldId(r, range.column), range.min, range.max);
    }
  }
  for (const auto& range : kFactorRanges) {
    toolkit::wdialograngereal(range.field, range.min, range.max);
  }
  for (const auto& range : kRowRealRanges) {
    for (int r = 1; r <= kRowCount; ++r) {
      toolkit::wdialograngereal(fieldId(r, range.column), range.min, range.max);
    }
  }
}

void PutData(const RoomPage& page) {
  putTextColumn(page, Column::Name, &RoomRow::name);
  putTextColumn(page, Column::Number, &RoomRow::number);
  putTextColumn(page, Column::Description, &RoomRow::description);

  toolkit::wdialogputinteger(kLampWattsField, page.defaults.lampWatts);
  toolkit::wdialogputinteger(kLampLumensField, page.defaults.lampLumens);
  for (const IntegerColumn& col : kIntegerColumns) {
    for (int r = 1; r <= kRowCount; ++r) {
      toolkit::wdialogputinteger(fieldId(r, col.column), page.row(r).*col.member);
    }
  }

  toolkit::wdialogputreal(kBallastFactorField, page.defaults.ballastFactor, kFactorFormat);
  toolkit::wdialogputreal(kLampLumenDepreciationField, page.defaults.lampLumenDepreciation,
                          kFactorFormat);
  toolkit::wdialogputreal(kLampDirtDepreciationField, page.defaults.lampDirtDepreciation,
                          kFactorFormat);
  for (const RealColumn& col : kRealColumns) {
    for (int r = 1; r <= kRowCount; ++r) {
      toolkit::wdialogputreal(fieldId(r, col.column), page.row(r).*col.member, kGridFormat);
    }
  }
}

// Reads the numeric fields only, in the order of PutData; the calculation gathers these.
void GetNumbers(RoomPage& page) {
  page.defaults.lampWatts = toolkit::wdialoggetinteger(kLampWattsField);
  page.defaults.lampLumens = toolkit::wdialoggetinteger(kLampLumensField);
  for (const IntegerColumn& col : kIntegerColumns) {
    for (int r = 1; r <= kRowCount; ++r) {
      page.row(r).*col.member = toolkit::wdialoggetinteger(fieldId(r, col.column));
    }
  }
  page.defaults.ballastFactor = toolkit::wdialoggetreal(kBallastFactorField);
  page.defaults.lampLumenDepreciation = toolkit::wdialoggetreal(kLampLumenDepreciationField);
  page.defaults.lampDirtDepreciation = toolkit::wdialoggetreal(kLampDirtDepreciationField);
  for (const RealColumn& col : kRealColumns) {
    for (int r = 1; r <= kRowCount; ++r) {
      page.row(r).*col.member = toolkit::wdialoggetreal(fieldId(r, col.column));
    }
  }
}

void GetData(RoomPage& page) {
  getTextColumn(page, Column::Name, &RoomRow::name);
  getTextColumn(page, Column::Number, &RoomRow::number);
  getTextColumn(page, Column::Description, &RoomRow::description);
  GetNumbers(page);
}

void GetReflectances(Project& project) {
  const ReflectanceChoices choices{toolkit::wdialoggetmenu1(kCeilingReflectanceList),
                                   toolkit::wdialoggetmenu1(kWallReflectanceList)};
  const auto valid = [](std::int32_t choice) {
    return choice >= 1 && choice <= kReflectanceChoiceCount;
  };
  project.reflectances.reset();
  if (valid(choices.ceiling) && valid(choices.wall)) project.reflectances = choices;
}

void PutReflectances(const Project& project) {
  if (!project.reflectances) return;
  toolkit::wdialogputoption(kCeilingReflectanceList, project.reflectances->ceiling);
  toolkit::wdialogputoption(kWallReflectanceList, project.reflectances->wall);
}

}  // namespace kandelor
