#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "model/project_file.h"
#include "support/temp_folder.h"

namespace kandelor {
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

std::string integerLine(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return " " + std::string(11 - digits.size(), ' ') + digits;
}

// Reserved slots of a page in ascending order, spelled out from the file layout.
std::vector<int> reservedIntegerSlots() {
  std::vector<int> slots = {8, 9, 10, 11};
  for (int r = 2; r <= 18; ++r)
    for (int k = 10 * r - 3; k <= 10 * r + 1; ++k) slots.push_back(k);
  return slots;
}
std::vector<int> reservedRealSlots() {
  std::vector<int> slots = {4};
  for (int r = 1; r <= 18; ++r)
    for (int k = 10 * r - 1; k <= 10 * r + 4; ++k) slots.push_back(k);
  return slots;
}

// Integer slot k of page p holds 100000 p + k, real slot k holds 1000 p + k + 0.5.
Project numberedProject() {
  Project project;
  for (int p = 1; p <= kPageCount; ++p) {
    RoomPage& page = project.page(p);
    auto integer = [p](int k) { return 100000 * p + k; };
    auto real = [p](int k) { return static_cast<float>(1000 * p + k) + 0.5f; };
    page.defaults = {real(1), real(2), real(3), integer(1), integer(7)};
    for (int r = 1; r <= kRowCount; ++r) {
      RoomRow& row = page.row(r);
      const std::string id = std::to_string(p) + "." + std::to_string(r);
      row.name.assign("N" + id);
      row.number.assign("#" + id);
      row.description.assign("D" + id);
      row.roomCavityRatio = integer(10 * r - 8);
      row.designFootcandles = integer(10 * r - 7);
      row.calculatedFootcandles = integer(10 * r - 6);
      row.fixtureNumber = integer(10 * r - 5);
      row.quantity = integer(10 * r - 4);
      row.length = real(10 * r - 5);
      row.width = real(10 * r - 4);
      row.height = real(10 * r - 3);
      row.wattsPerSquareFoot = real(10 * r - 2);
    }
    const auto ints = reservedIntegerSlots();
    for (std::size_t i = 0; i < ints.size(); ++i) page.reservedIntegers.at(i) = integer(ints[i]);
    const auto reals = reservedRealSlots();
    for (std::size_t i = 0; i < reals.size(); ++i) page.reservedReals.at(i) = real(reals[i]);
  }
  return project;
}

TEST(ProjectFile, LinesFollowTheFixedLayout) {
  const auto file = lines(formatProject(numberedProject()));
  ASSERT_EQ(file.size(), 2155u);
  EXPECT_EQ(file[0], " N1.1         ");
  EXPECT_EQ(file[1], " #1.1  ");
  EXPECT_EQ(file[2], " D1.1          ");
  EXPECT_EQ(file[56], " D1.19         ");
  EXPECT_EQ(file[57], "      100001");        // line 58: watts per lamp of page 1
  EXPECT_EQ(file[242], "      100186");       // line 243: quantity of row 19
  EXPECT_EQ(file[243], "       1001.50000");  // line 244: ballast factor
  EXPECT_EQ(file[430], "       1188.50000");  // line 431: watts per square foot of row 19
  EXPECT_EQ(file[431], " N2.1         ");
  EXPECT_EQ(file[2154], "       5188.50000");
  for (int p = 1; p <= kPageCount; ++p) {
    const int base = 431 * (p - 1);
    for (int k = 1; k <= 186; ++k) {
      ASSERT_EQ(file[static_cast<std::size_t>(base + 56 + k)], integerLine(100000 * p + k))
          << "page " << p << " integer slot " << k;
    }
    for (int k = 1; k <= 188; ++k) {
      const std::string& line = file[static_cast<std::size_t>(base + 242 + k)];
      ASSERT_EQ(line.size(), 17u);
      ASSERT_EQ(std::stof(line), static_cast<float>(1000 * p + k) + 0.5f)
          << "page " << p << " real slot " << k;
    }
  }
}

Project randomProject(unsigned seed) {
  std::mt19937 random(seed);
  auto real = [&] {
    for (;;) {
      const std::uint32_t bits = random();
      float value;
      std::memcpy(&value, &bits, sizeof value);
      if (std::isfinite(value)) return value;
    }
  };
  auto integer = [&] { return static_cast<std::int32_t>(random()); };
  const std::string alphabet = "ab Z09.,/'\"\t-";
  auto text = [&](std::size_t width) {
    std::string t;
    for (std::size_t i = 0; i < width; ++i) t += alphabet[random() % alphabet.size()];
    if (t[0] == ' ') t[0] = 'x';  // leading blanks are not part of a text; tested apart
    return t;
  };
  Project project = numberedProject();
  for (auto& page : project.pages) {
    page.defaults = {real(), real(), real(), integer(), integer()};
    for (auto& row : page.rows) {
      row.name.assign(text(13));
      row.number.assign(text(6));
      row.description.assign(text(14));
      row = {row.name,  row.number, real(),    real(),          real(),    integer(),
             integer(), integer(),  integer(), row.description, integer(), real()};
    }
    for (auto& value : page.reservedIntegers) value = integer();
    for (auto& value : page.reservedReals) value = real();
  }
  return project;
}

TEST(ProjectFile, RepeatedSavesAndLoadsKeepEveryValue) {
  TempFolder folder;
  const std::string name = folder.file("round.prj");
  Project original = randomProject(7);
  original.page(2).row(4).name.assign("  lead");
  normaliseTexts(original);
  std::string firstBytes;
  Project current = original;
  for (int cycle = 0; cycle < 3; ++cycle) {
    ASSERT_TRUE(savedata(current, name));
    if (cycle == 0) firstBytes = readFile(name);
    EXPECT_EQ(readFile(name), firstBytes);
    Project loaded;
    ASSERT_TRUE(loaddata(loaded, name));
    // The same text of the file means the same bits of every real.
    EXPECT_EQ(formatProject(loaded), formatProject(original));
    current = loaded;
  }
  EXPECT_EQ(current.page(2).row(4).name.trimmed(), "lead");
  current.page(2).row(4).name = original.page(2).row(4).name;
  EXPECT_EQ(current.pages, original.pages);
}

TEST(ProjectFile, TextsWithSeparatorsSurviveWhole) {
  TempFolder folder;
  Project project = numberedProject();
  const std::vector<std::string> texts = {"Room 1, east", "it's/theirs", "say \"hi\"", "a b"};
  for (std::size_t i = 0; i < texts.size(); ++i) project.page(3).row(5 + i).name.assign(texts[i]);
  project.page(3).row(8).name.assign("a\tb");  // a tab is held as a blank
  project.page(3).row(5).description.assign("Office 2x4,LED");
  project.page(3).row(6).number.assign("12 A");
  ASSERT_TRUE(savedata(project, folder.file("t.prj")));
  Project loaded;
  ASSERT_TRUE(loaddata(loaded, folder.file("t.prj")));
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(loaded.page(3).row(5 + i).name.trimmed(), texts[i]);
  }
  EXPECT_EQ(loaded.page(3).row(5).description.trimmed(), "Office 2x4,LED");
  EXPECT_EQ(loaded.page(3).row(6).number.trimmed(), "12 A");
  EXPECT_EQ(loaded, project);
}

TEST(ProjectFile, SaveSetsBlankTextsToDotsInMemory) {
  TempFolder folder;
  Project project;  // every text blank
  ASSERT_TRUE(savedata(project, folder.file("blank.prj")));
  for (const auto& page : project.pages) {
    for (const auto& row : page.rows) {
      EXPECT_EQ(row.name.view(), ".            ");
      EXPECT_EQ(row.number.view(), ".     ");
      EXPECT_EQ(row.description.view(), ".             ");
    }
  }
  const auto file = lines(readFile(folder.file("blank.prj")));
  ASSERT_EQ(file.size(), 2155u);
  EXPECT_EQ(file[0], " .            ");
  EXPECT_EQ(file[243], "   0.00000000E+00");
  Project loaded = numberedProject();
  ASSERT_TRUE(loaddata(loaded, folder.file("blank.prj")));
  EXPECT_EQ(loaded, project);
}

// The reflectance choices follow the 2,155 values as one more record; files without it
// read as before, and a bad choice is refused with its line, in CRLF files too.
TEST(ProjectFile, ReflectanceRecordFollowsTheLayout) {
  TempFolder folder;
  Project project = numberedProject();
  project.reflectances = ReflectanceChoices{4, 3};
  const std::string text = formatProject(project);
  const auto file = lines(text);
  ASSERT_EQ(file.size(), 2156u);
  EXPECT_EQ(file.back(), integerLine(4) + " " + std::string(10, ' ') + "3");

  std::string crlf;
  for (const auto& line : file) crlf += line + "\r\n";
  writeFile(folder.file("crlf.prj"), crlf + "\r\n");
  Project loaded;
  ASSERT_TRUE(loaddata(loaded, folder.file("crlf.prj")));
  EXPECT_EQ(loaded, project);

  // The plain layout leaves the choices unknown.
  writeFile(folder.file("plain.prj"), formatProject(numberedProject()) + "\n  \n");
  ASSERT_TRUE(loaddata(loaded, folder.file("plain.prj")));
  EXPECT_EQ(loaded, numberedProject());
  EXPECT_FALSE(loaded.reflectances);

  for (const std::string record : {" 7 2", " 2 0", " 3", " x 2"}) {
    writeFile(folder.file("bad.prj"), formatProject(numberedProject()) + record + "\n");
    const auto error = loaddata(loaded, folder.file("bad.prj"));
    ASSERT_FALSE(error) << record;
    EXPECT_EQ(error.error().line, 2156) << record << ": " << error.error().message();
    EXPECT_NE(error.error().message().find("reflectance"), std::string::npos)
        << error.error().message();
    EXPECT_EQ(loaded, numberedProject());
  }
}

// The rooms' space types follow the reflectance record as one record of 95 texts; a
// project without any writes the file of before, byte for byte.
TEST(ProjectFile, SpaceTypeRecordFollowsTheReflectanceRecord) {
  TempFolder folder;
  Project project = numberedProject();
  project.reflectances = ReflectanceChoices{2, 1};
  const std::string before = formatProject(project);
  project.spaceType(1) = "office-enclosed";
  project.spaceType(20) = "open plan";
  project.spaceType(57) = "kid's/play";
  project.spaceType(95) = "gymnasium";
  const std::string text = formatProject(project);
  ASSERT_EQ(text.substr(0, before.size()), before);
  const auto file = lines(text);
  ASSERT_EQ(file.size(), 2157u);
  std::string record = " office-enclosed";
  for (int room = 2; room <= 95; ++room) {
    record += room == 20   ? " 'open plan'"
              : room == 57 ? " 'kid''s/play'"
              : room == 95 ? " gymnasium"
                           : " ''";
  }
  EXPECT_EQ(file.back(), record);

  // Back bit for bit, also with CRLF line ends.
  std::string crlf;
  for (const auto& line : file) crlf += line + "\r\n";
  for (const auto& [name, content] : {std::pair{"p.prj", text}, {"crlf.prj", crlf}}) {
    writeFile(folder.file(name), content);
    Project loaded;
    ProjectRecordLines where;
    ASSERT_TRUE(loaddata(loaded, folder.file(name), &where)) << name;
    EXPECT_EQ(loaded, project) << name;
    EXPECT_EQ(formatProject(loaded), text) << name;
    EXPECT_EQ(where.reflectances, 2156) << name;
    EXPECT_EQ(where.spaceTypes[94], 2157) << name;
  }

  // A changed space type changes the text (what unsaved work is told by); none left
  // gives the text of before.
  Project changed = project;
  changed.spaceType(20) = "corridor";
  EXPECT_NE(formatProject(changed), text);
  for (std::string& type : changed.spaceTypes) type.clear();
  EXPECT_EQ(formatProject(changed), before);

  // Without reflectance choices their record reads "0 0", and the space types follow it.
  project.reflectances.reset();
  const std::string noChoices = formatProject(project);
  ASSERT_EQ(lines(noChoices).size(), 2157u);
  EXPECT_EQ(lines(noChoices)[2155], integerLine(0) + " " + std::string(10, ' ') + "0");
  Project loaded;
  ASSERT_TRUE(parseProject(noChoices, "n.prj", loaded));
  EXPECT_EQ(loaded, project);
  EXPECT_FALSE(loaded.reflectances);

  // Files of before: 2,155 values, with or without the reflectance record.
  for (const std::string& old : {formatProject(numberedProject()), before}) {
    Project read = project;
    ASSERT_TRUE(parseProject(old + "\n", "old.prj", read));
    EXPECT_FALSE(read.hasSpaceTypes());
    EXPECT_EQ(read.pages, numberedProject().pages);
    EXPECT_EQ(formatProject(read), old);
  }
}

// A space type is a name without the blanks around it, cleaned as every text of the file,
// of at most 64 characters; the save makes it so in memory, as reading it back would.
TEST(ProjectFile, SpaceTypeKeysAreTrimmedCleanedAndBounded) {
  const std::string e = "\xc3\xa9";  // é
  std::string longest;
  for (int i = 0; i < 64; ++i) longest += e;
  EXPECT_EQ(spaceTypeKey("  gym \t"), "gym");
  EXPECT_EQ(spaceTypeKey("open\tplan"), "open plan");
  EXPECT_EQ(spaceTypeKey("B\xfcro"), "B\xc3\xbcro");
  EXPECT_EQ(spaceTypeKey("   "), "");
  EXPECT_EQ(spaceTypeKey(longest), longest);
  EXPECT_EQ(spaceTypeKey(" " + longest + " "), longest);
  EXPECT_EQ(spaceTypeKey(longest + "x"), std::nullopt);

  const std::string values = formatProject(numberedProject()) + " 1 1\n";
  std::string record = " ' gym ' B\xfc";
  record += "ro '" + longest + "'";
  for (int room = 4; room <= 95; ++room) record += " '  '";
  Project read;
  ASSERT_TRUE(parseProject(values + record + "\n", "k.prj", read));
  EXPECT_EQ(read.spaceType(1), "gym");
  EXPECT_EQ(read.spaceType(2), "B\xc3\xbcro");
  EXPECT_EQ(read.spaceType(3), longest);
  EXPECT_EQ(read.spaceType(4), "");

  TempFolder folder;
  Project project = numberedProject();
  project.spaceType(7) = " gym\t";
  ASSERT_TRUE(savedata(project, folder.file("k.prj")));
  EXPECT_EQ(project.spaceType(7), "gym");
  ASSERT_TRUE(loaddata(read, folder.file("k.prj")));
  EXPECT_EQ(read, project);
}

// A bad space-type record is refused with its line and room, and the project is left as
// it was; so is a reflectance record that half says "none".
TEST(ProjectFile, BadSpaceTypeRecordsNameTheirLineAndRoom) {
  const std::string values = formatProject(numberedProject());
  std::string tooLong = " a b '" + std::string(65, 'x') + "'";
  std::string short94;
  for (int room = 1; room <= 94; ++room) short94 += " x";
  struct Case {
    std::string tail;  // after the 2,155 values
    int line;
    std::string says;
  };
  const std::vector<Case> cases = {
      {" 1 1\n" + tooLong + "\n", 2157, "room 3, a name of at most 64 characters"},
      {" 1 1\n" + short94 + "\n", 2157,
       "the file ends here; expected a text (the space type of "
       "room 95)"},
      {" 1 1\n x 'open\n", 2157, "not closed (the space type of room 2)"},
      {" 1 1\n\n  \n , x\n", 2159, "empty value before \",\" (the space type of room 1)"},
      {" 0 3\n x\n", 2156, "ceiling reflectance choice, 1 to 4, found 0"},
      {" 2 0\n x\n", 2156, "wall reflectance choice, 1 to 4, found 0"},
  };
  for (const Case& c : cases) {
    Project project = numberedProject();
    const auto read = parseProject(values + c.tail, "bad.prj", project);
    ASSERT_FALSE(read) << c.says;
    EXPECT_EQ(read.error().line, c.line) << read.error().message();
    EXPECT_NE(read.error().message().find(c.says), std::string::npos) << read.error().message();
    EXPECT_EQ(project, numberedProject()) << c.says;
  }
}

TEST(ProjectFile, BadFilesReportLineAndLeaveTheProjectAlone) {
  TempFolder folder;
  const Project before = numberedProject();
  Project project = before;

  const std::string missing = folder.file("new.dat");
  auto error = loaddata(project, missing);
  ASSERT_FALSE(error);
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_NE(error.error().message().find(missing), std::string::npos);

  auto good = lines(formatProject(before));
  std::string shortFile;
  for (std::size_t i = 0; i < 12; ++i) shortFile += good[i] + "\n";
  writeFile(missing, shortFile);
  error = loaddata(project, missing);
  ASSERT_FALSE(error);
  EXPECT_EQ(error.error().line, 12);
  EXPECT_NE(error.error().message().find("2,155"), std::string::npos) << error.error().message();
  EXPECT_NE(error.error().message().find("row 5 on page 1"), std::string::npos)
      << error.error().message();

  good[57] = "        abc";
  std::string badFile;
  for (const auto& line : good) badFile += line + "\n";
  writeFile(missing, badFile);
  error = loaddata(project, missing);
  ASSERT_FALSE(error);
  EXPECT_EQ(error.error().line, 58);
  EXPECT_EQ(error.error().message(),
            "Cannot read \"" + missing +
                "\": line 58: expected an integer, found \"abc\" (the watts "
                "per lamp of page 1).");
  EXPECT_EQ(project, before);
}

TEST(ProjectFile, FailedSaveKeepsTheOldFileAndReportsIt) {
  TempFolder folder;
  Project project = numberedProject();
  const std::string name = folder.file("keep.prj");
  ASSERT_TRUE(savedata(project, name));
  const std::string oldBytes = readFile(name);

  project.page(4).row(2).length = INFINITY;
  auto error = savedata(project, name);
  ASSERT_FALSE(error);
  EXPECT_TRUE(error.error().writing);
  EXPECT_EQ(error.error().line, 431 * 3 + 243 + 15);
  EXPECT_EQ(readFile(name), oldBytes);
  EXPECT_EQ(project.page(4).row(2).length, INFINITY);  // still held in memory

  project.page(4).row(2).length = 1.0f;
  error = savedata(project, folder.file("no/such/folder/x.prj"));
  ASSERT_FALSE(error);
  EXPECT_NE(error.error().message().find("Cannot save"), std::string::npos);

  std::filesystem::create_directory(folder.file("adir"));
  EXPECT_FALSE(savedata(project, folder.file("adir")));
  EXPECT_TRUE(std::filesystem::is_directory(folder.file("adir")));
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
}

TEST(ProjectFile, FileNamesAreUsedWholeWithoutTrailingBlanks) {
  TempFolder folder;
  std::string deep = folder.path().string();
  while (deep.size() < 300) deep += "/" + std::string(40, 'd');
  std::filesystem::create_directories(deep);
  const std::string name = deep + "/long name.prj";
  ASSERT_GT(name.size(), 225u);
  Project project = numberedProject();
  ASSERT_TRUE(savedata(project, name + "      "));
  EXPECT_TRUE(std::filesystem::exists(name));
  Project loaded;
  ASSERT_TRUE(loaddata(loaded, name + std::string(20, ' ')));
  EXPECT_EQ(loaded, project);
}

}  // namespace
}  // namespace kandelor
