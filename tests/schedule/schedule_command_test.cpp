// Runs the built kandelor-schedule command on project files written here.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <algorithm>

#include <QColor>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "calc/design_check.h"
#include "model/project_file.h"
#include "schedule/crafted_project.h"
#include "support/temp_folder.h"

namespace kandelor {
namespace {

using testing::TempFolder;

struct CommandRun {
  int status = -1;
  std::string out;
  std::string err;
};

CommandRun runCommand(const TempFolder& folder, const std::string& arguments) {
  const std::string out = folder.file("stdout.txt");
  const std::string err = folder.file("stderr.txt");
  std::string command = "cd '" + folder.path().string() + "' && '" KANDELOR_SCHEDULE_COMMAND "' ";
  command += arguments;
  command += " >'" + out + "' 2>'" + err + "'";
  const int raw = std::system(command.c_str());
  CommandRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = testing::readFile(out);
  run.err = testing::readFile(err);
  return run;
}

// A folder with the shipped catalogue and `project` saved as new.dat.
void prepare(const TempFolder& folder, Project& project) {
  for (const char* name : {"light.dat", "Type.dat", "space_types.csv"}) {
    std::filesystem::copy_file(std::string(KANDELOR_DATA_DIR) + "/" + name, folder.file(name));
  }
  ASSERT_TRUE(savedata(project, folder.file("new.dat")));
}

FixtureCatalogue shippedCatalogue() {
  FixtureCatalogue catalogue;
  const std::string dir = KANDELOR_DATA_DIR;
  EXPECT_TRUE(rawdata(catalogue, dir + "/light.dat", dir + "/Type.dat"));
  return catalogue;
}

// RFC 4180 records: quoted fields may hold commas, quotes (doubled) and line ends.
std::vector<std::vector<std::string>> parseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    std::string& field = records.back().back();
    if (quoted) {
      if (c != '"') {
        field += c;
      } else if (i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      records.back().emplace_back();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
      records.emplace_back(1);
    } else {
      field += c;
    }
  }
  records.pop_back();  // after the last line end
  return records;
}

float readFloat(const std::string& text) {
  float value = 0.0f;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_TRUE(error == std::errc{} && end == text.data() + text.size()) << text;
  return value;
}

TEST(ScheduleCommand, ExitStatuses) {
  TempFolder folder;
  const FixtureCatalogue catalogue = shippedCatalogue();
  Project project = testing::craftedProject(catalogue, 8);
  prepare(folder, project);

  CommandRun run = runCommand(folder, "");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Lobby"), std::string::npos);
  EXPECT_NE(run.out.find("Rooms in use: 16"), std::string::npos);

  run = runCommand(folder, "--lpd-limit 100");
  EXPECT_EQ(run.status, 0) << run.err;
  run = runCommand(folder, "--lpd-limit 0.01 new.dat");
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_NE(run.out.find("OVER"), std::string::npos);

  // The crafted rooms 1 and 3 as corridors: the space-by-space check is over.
  testing::writeFile(folder.file("spaces.csv"), "room,space_type\n1,corridor\n3,corridor\n");
  run = runCommand(folder, "--space-types spaces.csv");
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_NE(run.out.find("2 rooms listed"), std::string::npos) << run.out;
  testing::writeFile(folder.file("kitchen.csv"), "1,corridor\n# a comment\n3,ballroom\n");

  for (const char* usage :
       {"--ceiling 40", "--wall", "--lpd-limit -1", "--lpd-limit x", "--bogus", "a.dat b.dat",
        "--pdf -", "--csv - --json -", "--space-types kitchen.csv"}) {
    run = runCommand(folder, usage);
    EXPECT_EQ(run.status, 2) << usage;
    EXPECT_NE(run.err.find("Usage: kandelor-schedule"), std::string::npos) << usage;
    EXPECT_TRUE(run.out.empty()) << usage;
  }

  EXPECT_NE(run.err.find("kitchen.csv: line 3: unknown space type \"ballroom\""), std::string::npos)
      << run.err;

  // A word where page 2 holds the RCR of its row 2: the message names the file and line.
  std::string text = testing::readFile(folder.file("new.dat"));
  std::size_t at = 0;
  for (int line = 1; line < 500; ++line) at = text.find('\n', at) + 1;
  text.replace(at, text.find('\n', at) - at, "  many");
  testing::writeFile(folder.file("bad.dat"), text);
  run = runCommand(folder, "bad.dat");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("bad.dat\": line 500"), std::string::npos) << run.err;
  run = runCommand(folder, "--catalogue nowhere new.dat");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("nowhere/light.dat"), std::string::npos) << run.err;
  run = runCommand(folder, "--csv no/such/folder/out.csv");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("out.csv"), std::string::npos) << run.err;
}

// The project file's reflectances are used unless the command line chooses others, and
// the table says where they came from.
TEST(ScheduleCommand, ReflectancesComeFromTheProjectFileUnlessGiven) {
  TempFolder folder;
  Project project = testing::craftedProject(shippedCatalogue(), 8);
  project.reflectances = ReflectanceChoices{4, 3};
  prepare(folder, project);
  CommandRun run = runCommand(folder, "");
  EXPECT_NE(
      run.out.find("Reflectances: ceiling 80 %, wall 50 %, floor 20 %, from the project file"),
      std::string::npos)
      << run.out;
  run = runCommand(folder, "--wall 10");
  EXPECT_NE(run.out.find("ceiling 80 %, wall 10 %"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("from the command line and the project file"), std::string::npos);
  project.reflectances.reset();
  ASSERT_TRUE(savedata(project, folder.file("new.dat")));
  run = runCommand(folder, "");
  EXPECT_NE(run.out.find("Reflectances: ceiling 70 %, wall 30 %, floor 20 %\n"), std::string::npos)
      << run.out;
}

// Each room in use with the space type its JSON row gives it ("" for none).
std::map<int, std::string> jsonSpaceTypes(const QJsonObject& json) {
  std::map<int, std::string> types;
  for (const auto& room : json["rooms"].toArray()) {
    const QJsonObject row = room.toObject();
    types[row["room"].toInt()] = row["space_type"].toString().toStdString();
  }
  return types;
}

QJsonObject readJson(const std::string& file) {
  return QJsonDocument::fromJson(QByteArray::fromStdString(testing::readFile(file))).object();
}

// Without --space-types the rooms are checked by the types the project file keeps, and the
// schedule says so; a list given replaces them room by room; a type the table does not
// have is an error naming the file, the room and the line.
TEST(ScheduleCommand, SpaceTypesComeFromTheProjectFileAndTheListOverridesThem) {
  TempFolder folder;
  Project project = testing::craftedProject(shippedCatalogue(), 8);
  project.spaceType(1) = "lobby";             // Lobby
  project.spaceType(20) = "office-enclosed";  // Office, page 2
  project.spaceType(10) = "corridor";         // "Half", not in use
  prepare(folder, project);

  CommandRun run = runCommand(folder, "--json out.json");
  ASSERT_TRUE(run.status == 0 || run.status == 3) << run.err;
  EXPECT_NE(run.out.find("\nSpace types: the project file\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("2 rooms listed"), std::string::npos) << run.out;
  EXPECT_EQ(run.err.find("not in use"), std::string::npos) << run.err;
  QJsonObject json = readJson(folder.file("out.json"));
  std::map<int, std::string> types = jsonSpaceTypes(json);
  EXPECT_EQ(types[1], "lobby");
  EXPECT_EQ(types[20], "office-enclosed");
  EXPECT_EQ(types[26], "");
  EXPECT_EQ(types.count(10), 0u);
  EXPECT_EQ(json["space_by_space"].toObject()["rooms"].toInt(), 2);
  EXPECT_EQ(json["space_by_space"].toObject()["from"].toString(), "the project file");

  testing::writeFile(folder.file("rooms.csv"), "room,space_type\n20,conference\n26,storage\n");
  run = runCommand(folder, "--space-types rooms.csv --json out.json");
  ASSERT_TRUE(run.status == 0 || run.status == 3) << run.err;
  EXPECT_NE(run.out.find("\nSpace types: rooms.csv, else the project file\n"), std::string::npos)
      << run.out;
  json = readJson(folder.file("out.json"));
  types = jsonSpaceTypes(json);
  EXPECT_EQ(types[1], "lobby");
  EXPECT_EQ(types[20], "conference");
  EXPECT_EQ(types[26], "storage");
  EXPECT_EQ(json["space_by_space"].toObject()["rooms"].toInt(), 3);
  EXPECT_EQ(json["space_by_space"].toObject()["list"].toString(), "rooms.csv");

  // A project without space types and no list: no check, as before.
  Project plain = testing::craftedProject(shippedCatalogue(), 8);
  ASSERT_TRUE(savedata(plain, folder.file("plain.dat")));
  run = runCommand(folder, "--json out.json plain.dat");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.find("Space types:"), std::string::npos) << run.out;
  EXPECT_FALSE(readJson(folder.file("out.json")).contains("space_by_space"));

  project.spaceType(39) = "ballroom";
  ASSERT_TRUE(savedata(project, folder.file("new.dat")));
  run = runCommand(folder, "--space-types rooms.csv");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("new.dat\": line 2157: room 39 has the space type \"ballroom\", which "
                         "./space_types.csv does not have"),
            std::string::npos)
      << run.err;
}

TEST(ScheduleCommand, CsvRowsAndJsonTotalsAreTheRoomsInUseComputedFromTheirValues) {
  TempFolder folder;
  const FixtureCatalogue catalogue = shippedCatalogue();
  const int column = 13;  // ceiling 80 %, wall 50 %
  Project project = testing::craftedProject(catalogue, column);
  prepare(folder, project);  // as saved: blank texts become "."

  const CommandRun run = runCommand(folder, "--ceiling 80 --wall 50 --csv - --json out.json");
  ASSERT_EQ(run.status, 0) << run.err;
  const auto records = parseCsv(run.out);  // the table is left out when the CSV goes there
  ASSERT_EQ(records.size(), 17u);
  EXPECT_EQ(records[0].size(), 38u);  // 18 and the point-by-point columns
  EXPECT_EQ(records[0][12], "fixtures_needed");

  std::size_t next = 1;
  double area = 0.0;
  std::int64_t watts = 0;
  int verdicts[4] = {};
  for (int p = 1; p <= kPageCount; ++p) {
    const RoomPage& page = project.page(p);
    for (int r = 1; r <= kRowCount; ++r) {
      const RoomRow& room = page.row(r);
      if (!(room.length > 0 && room.width > 0)) continue;
      ASSERT_LT(next, records.size());
      ASSERT_EQ(records[next].size(), 38u);
      // No photometry.dat beside this catalogue: the point-by-point columns are empty.
      EXPECT_EQ(std::count(records[next].begin() + 18, records[next].end(), ""), 20);
      const std::vector<std::string> f(records[next].begin(), records[next].begin() + 18);
      ++next;
      const RoomResult result = calculateRoom(room, page.defaults, catalogue, column);
      const Verdict verdict =
          judgeFootcandles(result.calculatedFootcandles, room.designFootcandles, true);
      const auto needed = fixturesNeeded(room, page.defaults, catalogue, column).advised();
      const std::string neededText = room.designFootcandles <= 0 ? ""
                                     : needed                    ? std::to_string(needed->quantity)
                                                                 : "none";
      const std::int32_t roomWatts = installedWatts(room, page.defaults, catalogue);
      const std::vector<std::string> expected{std::to_string(p),
                                              std::to_string(r),
                                              std::to_string(roomNumber(p, r)),
                                              std::string(room.name.trimmed()),
                                              std::string(room.number.trimmed()),
                                              f[5],
                                              f[6],
                                              f[7],
                                              std::to_string(result.roomCavityRatio),
                                              std::to_string(room.designFootcandles),
                                              std::to_string(result.calculatedFootcandles),
                                              verdictName(verdict),
                                              neededText,
                                              std::to_string(room.fixtureNumber),
                                              std::string(result.description.trimmed()),
                                              std::to_string(room.quantity),
                                              std::to_string(roomWatts),
                                              f[17]};
      EXPECT_EQ(f, expected);
      EXPECT_EQ(readFloat(f[5]), room.length);
      EXPECT_EQ(readFloat(f[6]), room.width);
      EXPECT_EQ(readFloat(f[7]), room.height);
      EXPECT_EQ(readFloat(f[17]), result.wattsPerSquareFoot);
      area += static_cast<double>(room.length) * room.width;
      watts += roomWatts;
      ++verdicts[static_cast<int>(verdict)];
    }
  }
  EXPECT_EQ(next, records.size());
  EXPECT_GT(verdicts[static_cast<int>(Verdict::Low)] * verdicts[static_cast<int>(Verdict::Meets)] *
                verdicts[static_cast<int>(Verdict::High)],
            0);

  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(
      QByteArray::fromStdString(testing::readFile(folder.file("out.json"))), &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  const QJsonObject json = document.object();
  EXPECT_EQ(json["project"].toString(), "new.dat");
  EXPECT_EQ(json["ceiling"].toInt(), 80);
  EXPECT_EQ(json["wall"].toInt(), 50);
  const QJsonArray rooms = json["rooms"].toArray();
  ASSERT_EQ(rooms.size(), 16);
  EXPECT_EQ(rooms[1].toObject()["name"].toString(), "Plenum");
  EXPECT_EQ(rooms[10].toObject()["name"].toString(), QString::fromUtf8("Büro"));
  EXPECT_EQ(rooms[15].toObject()["room"].toInt(), 95);
  const QJsonObject totals = json["totals"].toObject();
  EXPECT_EQ(totals["rooms"].toInt(), 16);
  EXPECT_DOUBLE_EQ(totals["area_sqft"].toDouble(), area);
  EXPECT_EQ(totals["watts"].toInteger(), watts);
  EXPECT_DOUBLE_EQ(totals["watts_per_sqft"].toDouble(), static_cast<double>(watts) / area);
  EXPECT_EQ(totals["low"].toInt(), verdicts[static_cast<int>(Verdict::Low)]);
  EXPECT_EQ(totals["meets"].toInt(), verdicts[static_cast<int>(Verdict::Meets)]);
  EXPECT_EQ(totals["high"].toInt(), verdicts[static_cast<int>(Verdict::High)]);
  EXPECT_FALSE(json.contains("lpd_limit"));
}

// The shipped sample with its photometry: every room in use is laid out and lit point
// by point, in the table and in the JSON with its points.
TEST(ScheduleCommand, ShippedSampleHasEveryRoomsLayoutSpacingAndPoints) {
  TempFolder folder;
  const CommandRun run =
      runCommand(folder, "--json out.json --points '" KANDELOR_DATA_DIR "/new.dat'");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("1\u00d76     too wide along"), std::string::npos) << run.out;  // Corridor
  EXPECT_EQ(run.out.find("No point-by-point light"), std::string::npos);

  const QJsonObject json =
      QJsonDocument::fromJson(QByteArray::fromStdString(testing::readFile(folder.file("out.json"))))
          .object();
  const QJsonArray rooms = json["rooms"].toArray();
  ASSERT_EQ(rooms.size(), 10);
  for (const auto& value : rooms) {
    const QJsonObject room = value.toObject();
    const QJsonObject light = room["light"].toObject();
    const std::string name = room["name"].toString().toStdString();
    ASSERT_FALSE(light.isEmpty()) << name;
    EXPECT_EQ(light["fixtures"].toArray().size(), room["quantity"].toInt()) << name;
    EXPECT_EQ(light["rows"].toInt() * light["columns"].toInt() >= room["quantity"].toInt(), true);
    const QJsonObject points = light["points"].toObject();
    const auto nx = points["x"].toArray().size(), ny = points["y"].toArray().size();
    EXPECT_EQ(nx, static_cast<qsizetype>(std::ceil(room["length"].toDouble()))) << name;
    for (const char* grid : {"direct_fc", "total_fc"}) {
      const QJsonArray rows = points[grid].toArray();
      ASSERT_EQ(rows.size(), ny) << name;
      EXPECT_EQ(rows[0].toArray().size(), nx) << name;
    }
    const double average = light["avg_fc"].toDouble();
    EXPECT_GT(average, light["min_fc"].toDouble()) << name;
    EXPECT_NEAR(average / room["calc_fc"].toDouble(), 1, 0.1) << name;
  }
}

// In metres and lux every measured value is the same one converted by the exact factors
// (1 ft = 0.3048 m), its name says the unit, and the text table's headings do too.
TEST(ScheduleCommand, MetricOutputConvertsEveryMeasuredValueAndNamesItsUnit) {
  TempFolder folder;
  const std::string sample = "'" KANDELOR_DATA_DIR "/new.dat'";
  ASSERT_EQ(runCommand(folder, "--json feet.json --points " + sample).status, 0);
  const CommandRun run =
      runCommand(folder, "--units si --csv metres.csv --json metres.json --points " + sample);
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* heading : {"Size LxWxH m", "Design lx", "Calc'd lx", "W/m\u00b2", "Avg lx"}) {
    EXPECT_NE(run.out.find(heading), std::string::npos) << heading;
  }
  EXPECT_NE(run.out.find("Floor area: 437.0 m\u00b2"), std::string::npos) << run.out;

  auto load = [&](const char* name) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(testing::readFile(folder.file(name))))
        .object();
  };
  const QJsonObject feet = load("feet.json")["rooms"].toArray()[4].toObject();  // Corridor
  const QJsonObject metres = load("metres.json")["rooms"].toArray()[4].toObject();
  constexpr double m = 0.3048, lx = 1 / (0.3048 * 0.3048);
  const std::vector<std::tuple<const char*, const char*, double>> pairs = {
      {"length", "length_m", m},  {"width", "width_m", m},
      {"height", "height_m", m},  {"design_fc", "design_lx", lx},
      {"calc_fc", "calc_lx", lx}, {"watts_per_sqft", "watts_per_sqm", lx},
      {"rcr", "rcr", 1},          {"watts", "watts", 1}};
  for (const auto& [imperial, si, factor] : pairs) {
    EXPECT_DOUBLE_EQ(metres[si].toDouble(), feet[imperial].toDouble() * factor) << si;
  }
  const QJsonObject feetLight = feet["light"].toObject(), light = metres["light"].toObject();
  for (const auto& [imperial, si, factor] :
       std::vector<std::tuple<const char*, const char*, double>>{
           {"spacing_length_ft", "spacing_length_m", m},
           {"avg_fc", "avg_lx", lx},
           {"min_fc", "min_lx", lx},
           {"direct_avg_fc", "direct_avg_lx", lx},
           {"mounting_height_ft", "mounting_height_m", m},
           {"avg_min", "avg_min", 1}}) {
    EXPECT_NEAR(light[si].toDouble(), feetLight[imperial].toDouble() * factor,
                1e-12 * light[si].toDouble())
        << si;
  }
  EXPECT_DOUBLE_EQ(light["points"].toObject()["x"].toArray()[0].toDouble(),
                   feetLight["points"].toObject()["x"].toArray()[0].toDouble() * m);
  EXPECT_NEAR(light["points"].toObject()["total_lx"].toArray()[2].toArray()[3].toDouble(),
              feetLight["points"].toObject()["total_fc"].toArray()[2].toArray()[3].toDouble() * lx,
              1e-9);
  const auto header = parseCsv(testing::readFile(folder.file("metres.csv"))).front();
  for (const char* name : {"length_m", "design_lx", "watts_per_sqm", "avg_lx"}) {
    EXPECT_NE(std::find(header.begin(), header.end(), name), header.end()) << name;
  }
  EXPECT_EQ(runCommand(folder, "--units metric " + sample).status, 2);
}

// A listed room that misses a light target of its space type makes the exit status 3 on
// its own; without photometry only the lumen method's illuminance is judged and the rest
// is said as not checked, which fails nothing.
TEST(ScheduleCommand, AListedRoomMissingALightTargetExitsWith3) {
  TempFolder folder;
  const std::string data = KANDELOR_DATA_DIR;
  for (const char* name : {"light.dat", "Type.dat", "photometry.dat", "new.dat"}) {
    std::filesystem::copy_file(data + "/" + name, folder.file(name));
  }
  std::filesystem::copy(data + "/photometry", folder.file("photometry"),
                        std::filesystem::copy_options::recursive);
  testing::writeFile(folder.file("space_types.csv"),
                     "space_type,watts_per_sqft,maintained_lx,uo,walls_lx\n"
                     "lenient,5,10,0.01,1\nstrict,5,100000,0.01,1\n");
  testing::writeFile(folder.file("lenient.csv"), "room,space_type\n5,lenient\n");
  testing::writeFile(folder.file("strict.csv"), "5,strict\n");

  CommandRun run = runCommand(folder, "--space-types lenient.csv");
  EXPECT_EQ(run.status, 0) << run.err << run.out;
  EXPECT_TRUE(std::regex_search(
      run.out, std::regex("room 5 Corridor \\(lenient\\): Em [0-9]+ lx: meets; Uo "
                          "0\\.[0-9]{2}: meets; walls [0-9]+ lx, Uo [0-9.]+: meets\n")))
      << run.out;
  EXPECT_NE(run.out.find("Light targets: 1 room meets every one"), std::string::npos);

  run = runCommand(folder, "--space-types strict.csv --csv out.csv --json out.json");
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_TRUE(std::regex_search(run.out, std::regex("Em [0-9]+ lx below 100000; Uo")));
  EXPECT_NE(run.out.find("1 room misses one or more (MISSED)"), std::string::npos) << run.out;
  const auto records = parseCsv(testing::readFile(folder.file("out.csv")));
  const auto& header = records.front();
  const auto column = std::find(header.begin(), header.end(), "em_verdict") - header.begin();
  ASSERT_LT(column, static_cast<std::ptrdiff_t>(header.size()));
  EXPECT_EQ(records[5][column], "misses");  // the corridor, fifth room in use
  EXPECT_EQ(records[1][column], "");        // not listed
  const QJsonObject json =
      QJsonDocument::fromJson(QByteArray::fromStdString(testing::readFile(folder.file("out.json"))))
          .object();
  const QJsonObject corridor = json["rooms"].toArray()[4].toObject();
  EXPECT_EQ(corridor["name"].toString(), "Corridor");
  const QJsonObject em = corridor["targets"].toObject()["em"].toObject();
  EXPECT_EQ(em["verdict"].toString(), "misses");
  EXPECT_EQ(em["min_lx"].toDouble(), 100000);
  EXPECT_NEAR(em["lx"].toDouble(), corridor["light"].toObject()["avg_fc"].toDouble() * 10.7639104,
              0.5);
  EXPECT_FALSE(json["rooms"].toArray()[0].toObject().contains("targets"));
  EXPECT_EQ(json["space_by_space"].toObject()["missing_targets"].toInt(), 1);

  // Without the photometry the lenient targets are met as far as they can be judged.
  std::filesystem::remove(folder.file("photometry.dat"));
  run = runCommand(folder, "--space-types lenient.csv");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("room 5 Corridor (lenient): Em (lumen method) 215 lx: meets; Uo not "
                         "checked: no point-by-point light; walls not checked"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("1 room was not fully checked"), std::string::npos);
}

int pdfPageCount(const std::string& pdf) {
  static const std::regex page("/Type\\s*/Page[^s]");
  return static_cast<int>(
      std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

TEST(ScheduleCommand, PdfHasItsPagesAndTheFirstRendersWithTheVerdictTints) {
  TempFolder folder;
  const FixtureCatalogue catalogue = shippedCatalogue();
  Project crafted = testing::craftedProject(catalogue, 8);
  prepare(folder, crafted);
  Project full = testing::fullProject();
  ASSERT_TRUE(savedata(full, folder.file("full.dat")));

  // The first page holds 48 rooms and each later one 51; the totals, the luminaire
  // schedule and each chart go to a new page when they do not fit below the table.
  CommandRun run = runCommand(folder, "--lpd-limit 0.02 --pdf crafted.pdf");
  ASSERT_EQ(run.status, 3) << run.err;
  // Nothing but the room that cannot be computed is said.
  EXPECT_EQ(run.err, "kandelor-schedule: room 11 \"Minus\" is left out: Length is negative.\n");
  EXPECT_EQ(pdfPageCount(testing::readFile(folder.file("crafted.pdf"))), 2);
  run = runCommand(folder, "--pdf full.pdf full.dat");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(pdfPageCount(testing::readFile(folder.file("full.pdf"))), 4);

  if (std::system("command -v pdftoppm >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "pdftoppm is not installed";
  }
  const std::string render = "pdftoppm -png -r 50 -f 1 -l 1 -singlefile '" +
                             folder.file("crafted.pdf") + "' '" + folder.file("page1") + "'";
  ASSERT_EQ(std::system(render.c_str()), 0);
  const QImage image(QString::fromStdString(folder.file("page1.png")));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(425, 550));  // US Letter at 50 dpi
  int inked = 0;
  int low = 0;
  int meets = 0;
  int high = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
      inked += qGray(pixel) < 128;
      low += pixel == 0xFFD8A8;
      meets += pixel == 0xC8F0C8;
      high += pixel == 0xC8DCFF;
    }
  }
  EXPECT_GT(inked, 2000);  // text, rules and bars
  EXPECT_GT(low, 100);
  EXPECT_GT(meets, 100);
  EXPECT_GT(high, 100);
}

// Seven rooms on page 1: five with a plan, one without fixtures and one no higher than
// the work plane.
TEST(ScheduleCommand, PlansFollowTheChartsTwoToAPage) {
  TempFolder folder;
  Project project;
  project.page(1).defaults = {1.0f, 0.9f, 0.9f, 34, 2800};
  const struct {
    const char* name;
    float length, width, height;
    std::int32_t type, quantity;
  } rooms[] = {{"Lobby", 40, 30, 12, 12, 16},  {"Office", 15, 12, 9, 2, 4},
               {"Unlit", 20, 15, 9, 1, 0},     {"Hall", 60, 8, 9, 6, 6},
               {"Plenum", 20, 10, 2.5f, 1, 4}, {"Lab", 30, 20, 10, 20, 10},
               {"Store", 12, 10, 10, 16, 2}};
  int r = 1;
  for (const auto& room : rooms) {
    RoomRow& row = project.page(1).row(r++);
    row.name.assign(room.name);
    row.length = room.length;
    row.width = room.width;
    row.height = room.height;
    row.fixtureNumber = room.type;
    row.quantity = room.quantity;
    row.designFootcandles = 30;
  }
  prepare(folder, project);
  std::filesystem::copy(std::string(KANDELOR_DATA_DIR) + "/photometry", folder.file("photometry"),
                        std::filesystem::copy_options::recursive);
  std::filesystem::copy_file(std::string(KANDELOR_DATA_DIR) + "/photometry.dat",
                             folder.file("photometry.dat"));

  CommandRun run = runCommand(folder, "--pdf plain.pdf");
  ASSERT_EQ(run.status, 0) << run.err;
  run = runCommand(folder, "--pdf plans.pdf --plans");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  const int plain = pdfPageCount(testing::readFile(folder.file("plain.pdf")));
  EXPECT_EQ(plain, 2);  // the table, totals and luminaires, then the second chart
  EXPECT_EQ(pdfPageCount(testing::readFile(folder.file("plans.pdf"))), plain + 3);
  EXPECT_EQ(runCommand(folder, "--plans").status, 2);  // plans go into the PDF only

  if (std::system("command -v pdftoppm >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "pdftoppm is not installed";
  }
  const std::string render = "pdftoppm -png -r 50 -f 3 -l 3 -singlefile '" +
                             folder.file("plans.pdf") + "' '" + folder.file("plans2") + "'";
  ASSERT_EQ(std::system(render.c_str()), 0);
  const QImage image(QString::fromStdString(folder.file("plans2.png")));
  ASSERT_FALSE(image.isNull());
  // Two false-colour maps, one in each half of the page.
  int coloured[2] = {0, 0};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      if (pixel.hsvSaturation() > 100) ++coloured[y < image.height() / 2 ? 0 : 1];
    }
  }
  EXPECT_GT(coloured[0], 5000);
  EXPECT_GT(coloured[1], 5000);
}

}  // namespace
}  // namespace kandelor
