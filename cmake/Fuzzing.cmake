# libFuzzer targets (fuzz/) where the compiler has libFuzzer, as clang does; a GCC
# build simply has none. Such a build instruments every target for coverage and with
# AddressSanitizer and UndefinedBehaviorSanitizer, so that the fuzzers steer by the
# code they drive and stop at its first fault. -DKANDELOR_FUZZ=OFF turns this off.
include(CheckCXXSourceCompiles)
set(CMAKE_REQUIRED_FLAGS -fsanitize=fuzzer)
set(CMAKE_REQUIRED_LINK_OPTIONS -fsanitize=fuzzer)
check_cxx_source_compiles([[
#include <cstddef>
#include <cstdint>
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }
]] KANDELOR_HAVE_LIBFUZZER)
unset(CMAKE_REQUIRED_FLAGS)
unset(CMAKE_REQUIRED_LINK_OPTIONS)

option(KANDELOR_FUZZ "Build the libFuzzer targets and instrument everything for them"
       ${KANDELOR_HAVE_LIBFUZZER})
if(KANDELOR_FUZZ)
  if(NOT KANDELOR_HAVE_LIBFUZZER)
    message(FATAL_ERROR "KANDELOR_FUZZ needs a compiler with -fsanitize=fuzzer (clang)")
  endif()
  target_compile_options(kandelor_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
    -fno-omit-frame-pointer)
  target_link_options(kandelor_options INTERFACE -fsanitize=address,undefined)
endif()
