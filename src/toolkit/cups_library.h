#pragma once

// For libcups's types and constants only: the library itself is loaded at run time, when
// the program first prints, so that starting the program does not load it and the ~20
// libraries it pulls in.
#include <cups/cups.h>

#include <memory>
#include <string>

namespace toolkit::detail {

// The libcups functions that printing uses.
#define KANDELOR_CUPS_FUNCTIONS(F) \
  F(cupsCopyDestInfo)              \
  F(cupsEncryption)                \
  F(cupsFindDestDefault)           \
  F(cupsFreeDestInfo)              \
  F(cupsFreeDests)                 \
  F(cupsGetDests2)                 \
  F(cupsGetNamedDest)              \
  F(cupsGetOption)                 \
  F(cupsLastError)                 \
  F(cupsLastErrorString)           \
  F(cupsPrintFile2)                \
  F(cupsServer)                    \
  F(cupsSetServer)                 \
  F(httpClose)                     \
  F(httpConnect2)                  \
  F(ippGetString)                  \
  F(ippPort)                       \
  F(pwgMediaForLegacy)             \
  F(pwgMediaForPPD)                \
  F(pwgMediaForPWG)

struct CupsLibrary {
#define KANDELOR_CUPS_POINTER(name) decltype(&::name) name = nullptr;
  KANDELOR_CUPS_FUNCTIONS(KANDELOR_CUPS_POINTER)
#undef KANDELOR_CUPS_POINTER
};

// Loads the shared library `soname` and finds every function; nullptr, with the reason in
// `error`, when the library or one of its functions is missing. The library stays loaded.
std::unique_ptr<const CupsLibrary> loadCupsLibrary(const char* soname, std::string& error);

// libcups.so.2, loaded on the first call; nullptr when it cannot be.
const CupsLibrary* cupsLibrary();

}  // namespace toolkit::detail
