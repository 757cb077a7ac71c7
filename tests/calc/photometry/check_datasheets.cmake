# cmake -DPDF=file.pdf -DPAGES=n -P check_datasheets.cmake
# Checks a datasheet PDF with poppler-utils: its page count, that its first page
# renders, and that its first and last pages carry their fixture types' text.
# Prints SKIPPED (which the test takes as a skip) when the tools are not installed.
foreach(tool pdfinfo pdftoppm pdftotext)
  find_program(${tool}_program ${tool})
  if(NOT ${tool}_program)
    message("SKIPPED: ${tool} (poppler-utils) is not installed")
    return()
  endif()
endforeach()

execute_process(COMMAND ${pdfinfo_program} ${PDF} OUTPUT_VARIABLE info RESULT_VARIABLE failed)
if(failed OR NOT info MATCHES "Pages: +([0-9]+)")
  message(FATAL_ERROR "pdfinfo cannot read ${PDF}:\n${info}")
endif()
if(NOT CMAKE_MATCH_1 EQUAL PAGES)
  message(FATAL_ERROR "${PDF} has ${CMAKE_MATCH_1} pages, expected ${PAGES}")
endif()

get_filename_component(folder ${PDF} DIRECTORY)
file(REMOVE ${folder}/page-1.png ${folder}/page-01.png)
execute_process(COMMAND ${pdftoppm_program} -f 1 -l 1 -r 30 -png ${PDF} ${folder}/page
                RESULT_VARIABLE failed ERROR_VARIABLE errors)
file(GLOB images ${folder}/page-*1.png)
if(failed OR NOT images)
  message(FATAL_ERROR "pdftoppm cannot render page 1 of ${PDF}: ${errors}")
endif()
file(SIZE ${images} size)
if(size LESS 2000)
  message(FATAL_ERROR "page 1 renders to an image of only ${size} bytes")
endif()

# Each page names its type, its photometric file and carries the CU table.
foreach(check "1;Type 1: Troffer;troffer_lensed_2x4.ies" "${PAGES};Type 22: Globe;globe_pendant.ies")
  list(GET check 0 page)
  execute_process(COMMAND ${pdftotext_program} -f ${page} -l ${page} ${PDF} -
                  OUTPUT_VARIABLE text RESULT_VARIABLE failed)
  list(SUBLIST check 1 -1 expected)
  list(APPEND expected "Zonal lumen summary" "Coefficients of utilization" "Page ${page} of ${PAGES}")
  foreach(fragment IN LISTS expected)
    string(FIND "${text}" "${fragment}" at)
    if(failed OR at EQUAL -1)
      message(FATAL_ERROR "page ${page} lacks \"${fragment}\":\n${text}")
    endif()
  endforeach()
endforeach()
message("${PDF}: ${PAGES} pages, page 1 renders (${size} bytes)")
