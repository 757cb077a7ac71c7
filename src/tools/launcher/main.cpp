// kandelor-launcher: what the desktop entry starts. It gives the program its project
// folder (made and seeded with the shipped data files on first use) and starts
// kandelor there; the program itself reads and writes its files in the folder it is
// started in.

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/program_title.h"
#include "toolkit/toolkit.h"
#include "tools/launcher/project_folder.h"

namespace fs = std::filesystem;
using namespace kandelor;

namespace {

// Says why the program cannot start: on standard error, and in a message box where a
// desktop started the launcher (no terminal to read standard error on).
int fail(const std::string& message) {
  std::cerr << "kandelor-launcher: " << message << "\n";
  const bool onDesktop = std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY");
  if (onDesktop && isatty(STDERR_FILENO) == 0) {
    toolkit::winitialise();
    toolkit::wmessagebox(kProgramTitle, message);
  }
  return EXIT_FAILURE;
}

std::string sentence(const FileError& error, const char* subject) {
  return std::string(subject) + " \"" + error.file + "\": " + error.what + ".";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {
    std::cout << "Usage: kandelor-launcher\n\nMakes the project folder Kandelor in your "
                 "documents folder (or ~/Kandelor),\ncopies the shipped data files that "
                 "it lacks, and starts kandelor there.\n";
    return std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h" ? EXIT_SUCCESS
                                                                                      : 2;
  }
  std::error_code error;
  const fs::path programs = fs::read_symlink("/proc/self/exe", error).parent_path();
  if (error) return fail("Kandelor cannot find where it is installed: " + error.message() + ".");

  const auto folder = launcher::projectFolder(launcher::processEnvironment);
  if (!folder) return fail(sentence(folder.error(), "Kandelor has no project folder"));
  const fs::path shipped = (programs / ".." / "share" / "kandelor").lexically_normal();
  if (auto seeded = launcher::seedProjectFolder(shipped, *folder); !seeded) {
    return fail(sentence(seeded.error(), seeded.error().writing
                                             ? "Kandelor cannot prepare its project folder"
                                             : "Kandelor is not installed completely:"));
  }
  if (chdir(folder->c_str()) != 0)
    return fail("Kandelor cannot open its project folder \"" + folder->string() +
                "\": " + std::strerror(errno) + ".");

  const std::string program = (programs / "kandelor").string();
  char name[] = "kandelor";
  char* arguments[] = {name, nullptr};
  execv(program.c_str(), arguments);
  return fail("Kandelor cannot start \"" + program + "\": " + std::strerror(errno) + ".");
}
