#include "toolkit/cups_library.h"

#include <dlfcn.h>

namespace toolkit::detail {

std::unique_ptr<const CupsLibrary> loadCupsLibrary(const char* soname, std::string& error) {
  void* handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    error = reason == nullptr ? std::string(soname) + " could not be loaded" : reason;
    return nullptr;
  }
  auto library = std::make_unique<CupsLibrary>();
  bool complete = true;
#define KANDELOR_CUPS_FIND(name)                                                   \
  library->name = reinterpret_cast<decltype(library->name)>(dlsym(handle, #name)); \
  if (library->name == nullptr && complete) {                                      \
    error = std::string(soname) + " lacks " #name;                                 \
    complete = false;                                                              \
  }
  KANDELOR_CUPS_FUNCTIONS(KANDELOR_CUPS_FIND)
#undef KANDELOR_CUPS_FIND
  if (!complete) {
    dlclose(handle);
    return nullptr;
  }
  return library;
}

const CupsLibrary* cupsLibrary() {
  static const std::unique_ptr<const CupsLibrary> library = [] {
    std::string ignored;
    return loadCupsLibrary("libcups.so.2", ignored);
  }();
  return library.get();
}

}  // namespace toolkit::detail
