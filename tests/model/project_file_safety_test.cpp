#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include <charconv>
#include <cstring>
#include <filesystem>
#include <random>

#include "model/decimal_float.h"
#include "model/project_file.h"
#include "model/text_file.h"
#include "support/temp_folder.h"

namespace kandelor {
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

// A valid project file whose first line (the name of row 1 on page 1) is `firstLine`.
std::string fileWithFirstLine(const std::string& firstLine) {
  Project project;
  normaliseTexts(project);
  const std::string text = formatProject(project);
  return firstLine + text.substr(text.find('\n'));
}

// Whatever a file holds, once read it saves to a text that reads back to the same
// project, and saving that again gives the same bytes.
TEST(ProjectFileSafety, CraftedTextsSurviveSaveAndLoad) {
  struct Case {
    std::string line;
    std::string name;  // the name as held, trailing blanks removed
  };
  const std::vector<Case> cases = {
      {" 123456789012\r", "123456789012"},  // CR at the name's width
      {" 'Hall\rEast'", "Hall East"},       // CR inside a quoted text
      {std::string(" 'a\0b'", 6), "a b"},   // NUL
      {" 'a\x7f"
       "b'",
       "a b"},  // DEL
      {" Hall\x7f"
       "East",
       "Hall"},                     // DEL ends an unquoted value
      {" B\xfcro", "B\xc3\xbcro"},  // Latin-1 becomes UTF-8
      {" 'B\xc3\xbcro S\xc3\xbc"
       "dfl\xc3\xbcgel'",
       "B\xc3\xbcro S\xc3\xbc"
       "dfl\xc3\xbcge"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Project read;
    ASSERT_TRUE(parseProject(fileWithFirstLine(c.line), "t.prj", read));
    EXPECT_EQ(read.page(1).row(1).name.trimmed(), c.name);
    const std::string saved = formatProject(read);
    EXPECT_TRUE(verifyReadsBack(saved, read, "t.prj"));
    Project again;
    ASSERT_TRUE(parseProject(saved, "t.prj", again));
    EXPECT_EQ(again, read);
    EXPECT_EQ(formatProject(again), saved);
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), kProjectFileLines);
  }
}

std::string faultyFormatter(const Project& project) {
  // The length of row 2 on page 3 written as another number.
  Project changed = project;
  changed.page(3).row(2).length += 1.0f;
  return formatProject(changed);
}

// Writes every space type but room 42's.
std::string formatterDroppingASpaceType(const Project& project) {
  Project changed = project;
  changed.spaceType(42).clear();
  return formatProject(changed);
}

// A value, a space type that would be lost, or one too long to read back: each save is
// refused naming it, and the old file stays.
TEST(ProjectFileSafety, ASaveThatWouldNotReadBackIsRefused) {
  TempFolder folder;
  const std::string name = folder.file("p.prj");
  writeFile(name, "the old file\n");
  struct Case {
    std::string (*formatter)(const Project&);
    std::string spaceType;  // of room 42
    std::string says;
  };
  const std::vector<Case> cases = {
      {faultyFormatter, "", "the length of row 2 on page 3"},
      {formatterDroppingASpaceType, "corridor", "line 2157: the space type of room 42 would not"},
      {nullptr, std::string(kSpaceTypeMaxCharacters + 1, 'x'),
       "room 42, a name of at most 64 characters"},
  };
  for (const Case& c : cases) {
    Project project;
    project.spaceType(1) = "office-enclosed";
    project.spaceType(42) = c.spaceType;
    setProjectFormatterForTesting(c.formatter);
    const auto error = savedata(project, name);
    setProjectFormatterForTesting(nullptr);
    ASSERT_FALSE(error) << c.says;
    EXPECT_NE(error.error().message().find(c.says), std::string::npos) << error.error().message();
    EXPECT_EQ(readFile(name), "the old file\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
    if (c.formatter == nullptr) continue;
    ASSERT_TRUE(savedata(project, name));  // the real formatter saves
    Project loaded;
    ASSERT_TRUE(loaddata(loaded, name));
    EXPECT_EQ(loaded, project);
    writeFile(name, "the old file\n");
  }
}

TEST(ProjectFileSafety, SavesRespectTheFileTheyReplace) {
  TempFolder folder;
  Project project;
  // Through a symbolic link: the target changes, the link stays a link.
  const std::string target = folder.file("kept.prj");
  const std::string link = folder.file("new.dat");
  writeFile(target, "old\n");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  ASSERT_EQ(::symlink("kept.prj", link.c_str()), 0);
  ASSERT_TRUE(savedata(project, link));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(readFile(target), formatProject(project));
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);  // permission bits kept

  // A file its owner may not write is refused, even for root.
  ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
  const auto refused = savedata(project, target);
  ASSERT_FALSE(refused);
  EXPECT_NE(refused.error().message().find("read-only"), std::string::npos);
  EXPECT_NE(refused.error().message().find(target), std::string::npos);
  EXPECT_EQ(readFile(target), formatProject(project));

  // Leftovers of interrupted saves: one of a program that has ended, or an old one, goes
  // with the next save; a fresh one of a running program stays (its save may be under way).
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ASSERT_GT(ended, 0);
  ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
  const std::string running = std::to_string(::getppid());
  const std::string plain = folder.file("plain.prj");
  const std::string stale = folder.file(".plain.prj.~" + running + "-1");
  const std::string fresh = folder.file(".plain.prj.~" + running + "-2");
  const std::string orphan = folder.file(".plain.prj.~" + std::to_string(ended) + "-3");
  const std::string other = folder.file(".other.prj.~" + std::to_string(ended) + "-4");
  for (const auto& name : {stale, fresh, orphan, other}) writeFile(name, "half");
  const utimbuf past{std::time(nullptr) - 120, std::time(nullptr) - 120};
  ASSERT_EQ(::utime(stale.c_str(), &past), 0);
  ASSERT_TRUE(savedata(project, plain));
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_FALSE(std::filesystem::exists(orphan));
  EXPECT_TRUE(std::filesystem::exists(fresh));
  EXPECT_TRUE(std::filesystem::exists(other));

  // At start-up every save's leftover of an ended program goes, and only those.
  const std::string mine = folder.file(".plain.prj.~" + std::to_string(::getpid()) + "-5");
  writeFile(mine, "half");
  removeAbandonedTemporaries(folder.file(""));
  EXPECT_FALSE(std::filesystem::exists(other));
  EXPECT_TRUE(std::filesystem::exists(fresh));
  EXPECT_TRUE(std::filesystem::exists(mine));
}

// The quick reader of reals agrees with from_chars wherever it answers, also next to
// float midpoints, where it must leave the value to the general reader.
TEST(ProjectFileSafety, QuickRealsMatchFromChars) {
  std::mt19937_64 random(7);
  char text[64];
  int answered = 0;
  for (int i = 0; i < 300000; ++i) {
    int n = 0;
    if (i % 2 == 0) {
      float f = 0.0f;
      const auto bits = static_cast<std::uint32_t>(random());
      std::memcpy(&f, &bits, sizeof f);
      if (!std::isfinite(f)) continue;
      n = std::snprintf(text, sizeof text, "%.*g", static_cast<int>(random() % 12) + 1, f);
    } else {  // a midpoint between two floats, or one unit of a double beside it
      const double mid = std::ldexp(static_cast<double>((random() % (1u << 24)) * 2 + 1),
                                    -25 + static_cast<int>(random() % 40) - 20);
      const double near = std::nextafter(mid, i % 4 == 1 ? 0.0 : 1e9);
      n = std::snprintf(text, sizeof text, "%.15g", i % 8 == 1 ? mid : near);
    }
    float expected = 0.0f, got = 0.0f;
    const auto result = std::from_chars(text, text + n, expected);
    const std::size_t taken = readShortDecimalFloat(text, text + n, got);
    if (taken == 0) continue;
    ASSERT_EQ(taken, static_cast<std::size_t>(n)) << text;
    ++answered;
    ASSERT_EQ(result.ec, std::errc{}) << text;
    ASSERT_EQ(std::bit_cast<std::uint32_t>(got), std::bit_cast<std::uint32_t>(expected)) << text;
  }
  EXPECT_GT(answered, 100000);  // most of them: the quick way is the usual one
}

}  // namespace
}  // namespace kandelor
