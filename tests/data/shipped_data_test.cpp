#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "form/input_ranges.h"
#include "model/project_file.h"
#include "model/text_file.h"

namespace kandelor {
namespace {

const std::string kDataDir = KANDELOR_DATA_DIR;

std::string dataFile(const std::string& name) {
  return kDataDir + "/" + name;
}

Project loadShipped(const std::string& name) {
  Project project;
  const auto error = loaddata(project, dataFile(name));
  EXPECT_TRUE(error) << (error ? "" : error.error().message());
  return project;
}

// The ranges the form accepts; a shipped value outside them could never be typed and
// would not be shown by the form.
void expectInsideFormRanges(const Project& project, const std::string& name) {
  auto expectInside = [](auto value, const auto& range, const std::string& where) {
    EXPECT_GE(value, range.min) << where;
    EXPECT_LE(value, range.max) << where;
  };
  for (int p = 1; p <= kPageCount; ++p) {
    const PageDefaults& d = project.page(p).defaults;
    const std::string where = name + " page " + std::to_string(p);
    for (const auto& range : kFactorRanges) expectInside(d.*range.member, range, where);
    for (const auto& range : kLampRanges) expectInside(d.*range.member, range, where);
    for (int r = 1; r <= kRowCount; ++r) {
      const RoomRow& row = project.page(p).row(r);
      const std::string at = where + " row " + std::to_string(r);
      for (const auto& range : kRowRealRanges) expectInside(row.*range.member, range, at);
      for (const auto& range : kRowIntegerRanges) expectInside(row.*range.member, range, at);
      EXPECT_GE(row.designFootcandles, 0) << at;
    }
  }
}

// The shipped files are exactly what the program itself writes for them; a difference
// is reported by its first line rather than as two whole files.
void expectCanonicalLayout(const Project& project, const std::string& name) {
  const auto read = readWholeFile(dataFile(name));
  ASSERT_TRUE(read) << name;
  const std::string& content = *read;
  const std::string written = formatProject(project);
  if (content == written) return;
  const auto end = std::min(content.size(), written.size());
  std::size_t at = 0;
  while (at < end && content[at] == written[at]) ++at;
  const auto line = std::count(content.begin(), content.begin() + static_cast<long>(at), '\n') + 1;
  ADD_FAILURE() << name << " differs from the written layout at line " << line;
}

TEST(ShippedData, TemplateIsBlankWithUsableDefaults) {
  const Project blank = loadShipped("xxx.dat");
  expectInsideFormRanges(blank, "xxx.dat");
  expectCanonicalLayout(blank, "xxx.dat");
  for (const RoomPage& page : blank.pages) {
    for (const RoomRow& row : page.rows) {
      EXPECT_EQ(row.name.trimmed(), ".");
      EXPECT_EQ(row.number.trimmed(), ".");
      EXPECT_EQ(row.description.trimmed(), ".");
      EXPECT_EQ(row.length, 0.0f);
      EXPECT_EQ(row.width, 0.0f);
      EXPECT_EQ(row.height, 0.0f);
      EXPECT_EQ(row.wattsPerSquareFoot, 0.0f);
      for (std::int32_t value : {row.roomCavityRatio, row.designFootcandles,
                                 row.calculatedFootcandles, row.fixtureNumber, row.quantity}) {
        EXPECT_EQ(value, 0);
      }
    }
    for (std::int32_t value : page.reservedIntegers) EXPECT_EQ(value, 0);
    for (float value : page.reservedReals) EXPECT_EQ(value, 0.0f);
  }
}

TEST(ShippedData, SampleProjectHasRealisticRooms) {
  const Project sample = loadShipped("new.dat");
  expectInsideFormRanges(sample, "new.dat");
  expectCanonicalLayout(sample, "new.dat");
  std::vector<int> namedRooms(kPageCount + 1, 0);
  for (int p = 1; p <= kPageCount; ++p) {
    for (const RoomRow& row : sample.page(p).rows) {
      if (row.name.trimmed() == ".") continue;
      ++namedRooms[static_cast<std::size_t>(p)];
      const std::string room(row.name.trimmed());
      EXPECT_NE(row.number.trimmed(), ".") << room;
      EXPECT_GT(row.length * row.width, 0.0f) << room;
      EXPECT_GT(row.height, 2.5f) << room;
      EXPECT_GE(row.fixtureNumber, 1) << room;
      EXPECT_LE(row.fixtureNumber, 22) << room;
      EXPECT_GT(row.quantity, 0) << room;
      EXPECT_GT(row.designFootcandles, 0) << room;
    }
  }
  EXPECT_GE(namedRooms[1], 6);
  EXPECT_GE(namedRooms[2], 1);
}

// The help viewer shows the text as HTML; the menu's texts appear as the user reads them.
std::string helpAsRead(std::string text) {
  const std::vector<std::pair<std::string, std::string>> entities{
      {"&nbsp;", " "}, {"&gt;", ">"}, {"&lt;", "<"}, {"&amp;", "&"}};
  for (const auto& [entity, character] : entities) {
    for (auto at = text.find(entity); at != std::string::npos; at = text.find(entity, at)) {
      text.replace(at, entity.size(), character);
      at += character.size();
    }
  }
  return text;
}

bool containsWord(const std::string& text, const std::string& word) {
  auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
  for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
    const bool startsWord = at == 0 || !isLetter(text[at - 1]);
    const bool endsWord = at + word.size() == text.size() || !isLetter(text[at + word.size()]);
    if (startsWord && endsWord) return true;
  }
  return false;
}

TEST(ShippedData, HelpIsHtmlNamingEveryMenuCommand) {
  const auto read = readWholeFile(dataFile("HELP.HLP"));
  ASSERT_TRUE(read);
  const std::string& help = *read;
  EXPECT_EQ(help.rfind("<html>", 0), 0u);
  EXPECT_EQ(help.find("<script"), std::string::npos);
  EXPECT_EQ(help.find("src="), std::string::npos);  // nothing outside the file
  const std::string text = helpAsRead(help);
  for (const char* command :
       {"Zones", "#'s   1 -> 19", "#'s 20 -> 38", "#'s 39 -> 57", "#'s 58 -> 76", "#'s 77 -> 95",
        "Spreadsheet", "On", "Off", "Calculate", "File", "New", "Open", "Save", "Save As", "Help",
        "Print", "Exit"}) {
    EXPECT_TRUE(containsWord(text, command)) << command;
  }
  for (const char* file :
       {"new.dat", "xxx.dat", ".prj", "light.dat", "Type.dat", "out.dat", "out.pdf", "HELP.HLP"}) {
    EXPECT_NE(text.find(file), std::string::npos) << file;
  }
}

}  // namespace
}  // namespace kandelor
