#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include "support/temp_folder.h"
#include "tools/launcher/project_folder.h"

namespace kandelor::launcher {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

Environment environmentOf(std::map<std::string, std::string> variables) {
  return [variables](const std::string& name) -> std::optional<std::string> {
    const auto found = variables.find(name);
    if (found == variables.end()) return std::nullopt;
    return found->second;
  };
}

std::set<std::string> filesUnder(const fs::path& folder) {
  std::set<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (!entry.is_directory()) files.insert(entry.path().lexically_relative(folder).string());
  return files;
}

// A small shipped tree: two files at the top and one in a sub-folder, one read-only.
void makeShipped(const fs::path& shipped) {
  fs::create_directories(shipped / "photometry");
  writeFile(shipped / "new.dat", "shipped project\n");
  writeFile(shipped / "HELP.HLP", "help\n");
  writeFile(shipped / "photometry" / "catalog.list", "list\n");
  fs::permissions(shipped / "new.dat",
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

TEST(ProjectFolder, IsInTheDocumentsFolderElseInHome) {
  TempFolder home;
  EXPECT_EQ(*projectFolder(environmentOf({{"HOME", "/home/ann"}, {"XDG_DOCUMENTS_DIR", "/d"}})),
            fs::path("/d/Kandelor"));
  EXPECT_EQ(*projectFolder(environmentOf({{"HOME", home.path().string()}})),
            home.path() / "Kandelor");

  // The desktop's user-dirs.dirs names the documents folder, usually under $HOME.
  fs::create_directories(home.path() / ".config");
  writeFile(home.path() / ".config" / "user-dirs.dirs",
            "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
            "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
  EXPECT_EQ(*projectFolder(environmentOf({{"HOME", home.path().string()}})),
            home.path() / "Dokumente" / "Kandelor");
  // A relative or empty variable is not a folder to use.
  EXPECT_EQ(*projectFolder(environmentOf({{"HOME", home.path().string()},
                                          {"XDG_DOCUMENTS_DIR", "Documents"},
                                          {"XDG_CONFIG_HOME", home.path().string() + "/none"}})),
            home.path() / "Kandelor");
}

TEST(SeedProjectFolder, CopiesWhatIsAbsentAndNeverReplacesAFile) {
  TempFolder root;
  const fs::path shipped = root.path() / "share";
  const fs::path folder = root.path() / "Documents" / "Kandelor";
  makeShipped(shipped);

  ASSERT_TRUE(seedProjectFolder(shipped, folder));
  EXPECT_EQ(filesUnder(folder), filesUnder(shipped));
  EXPECT_EQ(readFile(folder / "new.dat"), "shipped project\n");
  // The user's copy can be saved over although the shipped file is read-only.
  EXPECT_NE(fs::status(folder / "new.dat").permissions() & fs::perms::owner_write, fs::perms::none);

  writeFile(folder / "new.dat", "my project\n");
  fs::remove(folder / "HELP.HLP");
  fs::remove(folder / "photometry" / "catalog.list");
  writeFile(root.path() / "elsewhere.list", "my list\n");
  fs::create_symlink(root.path() / "elsewhere.list", folder / "photometry" / "catalog.list");
  ASSERT_TRUE(seedProjectFolder(shipped, folder));
  EXPECT_EQ(readFile(folder / "new.dat"), "my project\n");
  EXPECT_EQ(readFile(folder / "HELP.HLP"), "help\n");
  EXPECT_TRUE(fs::is_symlink(folder / "photometry" / "catalog.list"));
  EXPECT_EQ(readFile(root.path() / "elsewhere.list"), "my list\n");
  EXPECT_EQ(filesUnder(folder), filesUnder(shipped));  // no hidden copies left behind
}

TEST(SeedProjectFolder, SaysWhyTheFolderCannotBeMade) {
  TempFolder root;
  makeShipped(root.path() / "share");
  writeFile(root.path() / "Documents", "a file where the folder should be\n");

  const auto underAFile = seedProjectFolder(root.path() / "share", root.path() / "Documents" / "K");
  ASSERT_FALSE(underAFile);
  EXPECT_EQ(underAFile.error().file, (root.path() / "Documents" / "K").string());
  EXPECT_NE(underAFile.error().what.find("cannot make the folder"), std::string::npos);

  const auto isAFile = seedProjectFolder(root.path() / "share", root.path() / "Documents");
  ASSERT_FALSE(isAFile);
  EXPECT_NE(isAFile.error().what.find("a file of that name is in the way"), std::string::npos);

  const auto notInstalled = seedProjectFolder(root.path() / "none", root.path() / "K");
  ASSERT_FALSE(notInstalled);
  EXPECT_FALSE(fs::exists(root.path() / "K"));
}

// The launcher as installed: bin/kandelor-launcher beside bin/kandelor (here a script
// that notes the folder it was started in), the shipped files in share/kandelor.
TEST(Launcher, StartsTheProgramInTheSeededFolderOrSaysWhyNot) {
  TempFolder root;
  const fs::path bin = root.path() / "usr" / "bin";
  fs::create_directories(bin);
  makeShipped(root.path() / "usr" / "share" / "kandelor");
  fs::copy_file(KANDELOR_LAUNCHER, bin / "kandelor-launcher");
  writeFile(bin / "kandelor", "#!/bin/sh\npwd > \"$HOME/started-in\"\n");
  fs::permissions(bin / "kandelor", fs::perms::owner_all);
  const fs::path home = root.path() / "home";
  fs::create_directories(home);

  const auto launch = [&] {
    std::string command = "env -i HOME='";
    command += home.string();
    command += "' PATH=/usr/bin:/bin '";
    command += (bin / "kandelor-launcher").string();
    command += "' 2>'";
    command += (root.path() / "stderr").string();
    command += "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  ASSERT_EQ(launch(), 0);
  EXPECT_EQ(readFile(home / "started-in"), (home / "Kandelor").string() + "\n");
  EXPECT_EQ(readFile(home / "Kandelor" / "new.dat"), "shipped project\n");

  fs::remove_all(home / "Kandelor");
  writeFile(home / "Kandelor", "in the way\n");
  fs::remove(home / "started-in");
  EXPECT_EQ(launch(), 1);
  EXPECT_FALSE(fs::exists(home / "started-in"));
  // The message names the folder.
  EXPECT_NE(readFile(root.path() / "stderr").find((home / "Kandelor").string() + "\": "),
            std::string::npos);
}

}  // namespace
}  // namespace kandelor::launcher
