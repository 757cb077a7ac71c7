# One place for the build options that every target of the project shares.
add_library(kandelor_options INTERFACE)
target_compile_features(kandelor_options INTERFACE cxx_std_20)
target_compile_options(kandelor_options INTERFACE -Wall -Wextra)
if(KANDELOR_WERROR)
  target_compile_options(kandelor_options INTERFACE -Werror)
endif()
if(KANDELOR_SANITIZE)
  target_compile_options(kandelor_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(kandelor_options INTERFACE -fsanitize=address,undefined)
endif()
set(CMAKE_AUTOMOC OFF)

# Sources include their headers as "layer/file.h" from src/.
set(KANDELOR_SOURCE_ROOT ${PROJECT_SOURCE_DIR}/src)

# The folder of the shipped data files, for the tests and benchmarks that read them.
add_library(kandelor_shipped_data INTERFACE)
target_compile_definitions(kandelor_shipped_data INTERFACE
                           KANDELOR_DATA_DIR="${PROJECT_SOURCE_DIR}/data")

# kandelor_gtest(name SOURCES... LIBS...): a GoogleTest program registered with CTest.
function(kandelor_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE kandelor_options GTest::gtest GTest::gtest_main ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()

# kandelor_qtest(name SOURCES... LIBS...): a Qt Test program, run without a display.
function(kandelor_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE kandelor_options Qt6::Test ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
                       ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# kandelor_benchmark(name SOURCES... LIBS...): a Google Benchmark program (not a test).
function(kandelor_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE kandelor_options benchmark::benchmark ${ARG_LIBS})
endfunction()
