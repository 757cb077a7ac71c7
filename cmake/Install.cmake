# What `cmake --install` puts where, and the Debian package made of it (cpack -G DEB).
# The commands go into bin/, the shipped data files into share/kandelor/ (the launcher
# seeds the user's project folder from there), and the desktop entry, icons, AppStream
# metainfo and manual pages where the desktop and man look for them.
include(GNUInstallDirs)

set(KANDELOR_DIST ${PROJECT_SOURCE_DIR}/dist)
set(KANDELOR_SHARE ${CMAKE_INSTALL_DATADIR}/kandelor)

install(TARGETS kandelor kandelor-launcher kandelor-catalog kandelor-schedule
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${PROJECT_SOURCE_DIR}/data/new.dat ${PROJECT_SOURCE_DIR}/data/xxx.dat
              ${PROJECT_SOURCE_DIR}/data/light.dat ${PROJECT_SOURCE_DIR}/data/Type.dat
              ${PROJECT_SOURCE_DIR}/data/HELP.HLP ${PROJECT_SOURCE_DIR}/data/photometry.dat
              ${PROJECT_SOURCE_DIR}/data/space_types.csv
        DESTINATION ${KANDELOR_SHARE})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/photometry/ DESTINATION ${KANDELOR_SHARE}/photometry
        FILES_MATCHING PATTERN "*.ies" PATTERN "*.ldt" PATTERN "catalog.list")

install(FILES ${KANDELOR_DIST}/kandelor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KANDELOR_DIST}/org.kandelor.kandelor.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KANDELOR_DIST}/icons/kandelor.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS KANDELOR_ICON_SIZES)
  install(FILES ${KANDELOR_DIST}/icons/kandelor-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME kandelor.png)
endforeach()

# Manual pages and the changelog are installed compressed, as Debian wants them.
set(KANDELOR_PAGES kandelor kandelor-launcher kandelor-catalog kandelor-schedule)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/dist)
set(compressed)
foreach(source IN ITEMS ${KANDELOR_PAGES} changelog)
  if(source STREQUAL "changelog")
    set(input ${KANDELOR_DIST}/changelog)
    set(output ${PROJECT_BINARY_DIR}/dist/changelog.gz)
  else()
    set(input ${KANDELOR_DIST}/man/${source}.1)
    set(output ${PROJECT_BINARY_DIR}/dist/${source}.1.gz)
  endif()
  add_custom_command(OUTPUT ${output}
                     COMMAND gzip -9 -n -c ${input} > ${output}
                     DEPENDS ${input} VERBATIM)
  list(APPEND compressed ${output})
endforeach()
add_custom_target(kandelor_compressed_docs ALL DEPENDS ${compressed})
list(TRANSFORM KANDELOR_PAGES REPLACE "(.+)" "${PROJECT_BINARY_DIR}/dist/\\1.1.gz"
     OUTPUT_VARIABLE man_pages)
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/dist/changelog.gz ${KANDELOR_DIST}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kandelor)

# The Debian package: kandelor_<version>_amd64.deb, its library dependencies found by
# dpkg-shlibdeps (Debian's dpkg-dev) from what the commands link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kandelor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Kandelor developers <kandelor@kandelor.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interior lighting design by the zonal cavity method")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Kandelor is a lighting designer's worksheet for the zonal cavity (lumen)\n\
method. A project holds 95 rooms on five pages of 19; for each room the\n\
designer types its size, the design illuminance, the fixture type and count,\n\
and Kandelor computes the room cavity ratio, the footcandles the fixtures give\n\
and the watts per square foot, judges each room against its design and tells\n\
how many fixtures it needs. It prints a report of each page on the default\n\
printer.\n\
.\n\
The package also holds kandelor-schedule, a printable schedule of the whole\n\
project (table, CSV, JSON, PDF), and kandelor-catalog, which builds the\n\
fixture catalogue and datasheets from IES LM-63 photometric files.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kandelor.org")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Printing loads libcups at run time (dlopen), out of dpkg-shlibdeps's sight; 1.7 brought
# httpConnect2.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcups2 (>= 1.7.0)")
# The fixed-pitch font of the printed report; a printer, or a PDF printer, to print on.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups, printer-driver-cups-pdf")
find_program(DPKG dpkg)
if(DPKG)
  execute_process(COMMAND ${DPKG} --print-architecture OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
else()
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
endif()
set(CPACK_DEBIAN_FILE_NAME
    ${CPACK_PACKAGE_NAME}_${PROJECT_VERSION}_${CPACK_DEBIAN_PACKAGE_ARCHITECTURE}.deb)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
