// libcups is loaded only when the program prints: every function printing calls must be
// found in the installed library, and a missing library must be told, not crash.
#include "toolkit/cups_library.h"

#include <gtest/gtest.h>

namespace toolkit::detail {
namespace {

TEST(CupsLibrary, FindsEveryFunctionOfTheInstalledLibrary) {
  std::string error;
  const auto library = loadCupsLibrary("libcups.so.2", error);
  ASSERT_NE(library, nullptr) << error;
#define EXPECT_FOUND(name) EXPECT_NE(library->name, nullptr) << #name;
  KANDELOR_CUPS_FUNCTIONS(EXPECT_FOUND)
#undef EXPECT_FOUND
  // The pointers are the functions of those names: A4 by its PWG name, in hundredths of a
  // millimetre.
  const pwg_media_t* a4 = library->pwgMediaForPWG("iso_a4_210x297mm");
  ASSERT_NE(a4, nullptr);
  EXPECT_EQ(a4->width, 21000);
  EXPECT_EQ(a4->length, 29700);
  EXPECT_EQ(library->pwgMediaForPPD("A4"), a4);
  EXPECT_EQ(library->pwgMediaForLegacy("iso-a4"), a4);

  EXPECT_NE(cupsLibrary(), nullptr);
  EXPECT_EQ(cupsLibrary(), cupsLibrary());  // loaded once
}

TEST(CupsLibrary, TellsWhyAMissingLibraryCannotBeLoaded) {
  std::string error;
  EXPECT_EQ(loadCupsLibrary("libkandelor-no-such-cups.so.2", error), nullptr);
  EXPECT_NE(error.find("libkandelor-no-such-cups.so.2"), std::string::npos) << error;
  // A library without libcups's functions (the C library) is refused too.
  error.clear();
  EXPECT_EQ(loadCupsLibrary("libc.so.6", error), nullptr);
  EXPECT_NE(error.find("lacks"), std::string::npos) << error;
}

}  // namespace
}  // namespace toolkit::detail
