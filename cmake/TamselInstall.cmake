# cmake --install and the Debian package (cpack -G DEB).
#
#   <prefix>/bin/Tamsel, tamsel-station, tamsel-export
#   <prefix>/lib/tamsel/libTamselcrc.so        private: found through the executables' RPATH
#   <prefix>/share/tamsel/data/                the shipped data folder, as it is in the source
#   menu entry, icons, MIME types, AppStream metainfo, man pages
#
# An installed Tamsel keeps what it writes in /var/lib/tamsel/station, which the package's
# maintainer scripts make for the tamsel group; the build folder stays a program folder of
# its own.

set(TAMSEL_APP_ID org.tamsel.Tamsel)
set(TAMSEL_HOMEPAGE "https://tamsel.example.org" CACHE STRING "Project homepage (AppStream, package)")
set(TAMSEL_PRIVATE_LIBDIR lib/tamsel)
set(TAMSEL_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(TAMSEL_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)

# $ORIGIN first: the build folder runs as it always did; the installed tree finds the
# private library beside share/ and bin/.
set_target_properties(Tamsel tamsel-station tamsel-export PROPERTIES
  INSTALL_RPATH "$ORIGIN:$ORIGIN/../${TAMSEL_PRIVATE_LIBDIR}")

install(TARGETS Tamsel tamsel-station tamsel-export RUNTIME DESTINATION bin)
install(TARGETS Tamselcrc
  LIBRARY DESTINATION ${TAMSEL_PRIVATE_LIBDIR}
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

# The data folder is always there (an installed Tamsel is recognised by it); whatever
# data/ holds (report templates, the user guide) goes with it.
install(DIRECTORY DESTINATION share/tamsel/data)
if(EXISTS ${CMAKE_SOURCE_DIR}/data)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION share/tamsel/data)
endif()

# Desktop integration.
configure_file(${TAMSEL_PACKAGING_DIR}/${TAMSEL_APP_ID}.metainfo.xml.in
  ${TAMSEL_PACKAGING_OUT}/${TAMSEL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${TAMSEL_PACKAGING_DIR}/${TAMSEL_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${TAMSEL_PACKAGING_OUT}/${TAMSEL_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${TAMSEL_PACKAGING_DIR}/${TAMSEL_APP_ID}.mime.xml
  DESTINATION share/mime/packages RENAME ${TAMSEL_APP_ID}.xml)
install(FILES ${TAMSEL_PACKAGING_DIR}/icons/${TAMSEL_APP_ID}.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 48 128 256)
  install(FILES ${TAMSEL_PACKAGING_DIR}/icons/${TAMSEL_APP_ID}-${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${TAMSEL_APP_ID}.png)
endforeach()

# Man pages and the package's documents, compressed as Debian wants them (gzip -9n).
find_program(TAMSEL_GZIP gzip)
set(tamsel_gz_files "")
function(tamsel_gzip_file src out)
  add_custom_command(OUTPUT ${out}
    COMMAND ${TAMSEL_GZIP} -9nc ${src} > ${out}
    DEPENDS ${src} VERBATIM)
endfunction()
file(MAKE_DIRECTORY ${TAMSEL_PACKAGING_OUT}/man)
foreach(page Tamsel tamsel-station tamsel-export)
  configure_file(${TAMSEL_PACKAGING_DIR}/man/${page}.1 ${TAMSEL_PACKAGING_OUT}/man/${page}.1 @ONLY)
  tamsel_gzip_file(${TAMSEL_PACKAGING_OUT}/man/${page}.1 ${TAMSEL_PACKAGING_OUT}/man/${page}.1.gz)
  list(APPEND tamsel_gz_files ${TAMSEL_PACKAGING_OUT}/man/${page}.1.gz)
  install(FILES ${TAMSEL_PACKAGING_OUT}/man/${page}.1.gz DESTINATION share/man/man1)
endforeach()
tamsel_gzip_file(${TAMSEL_PACKAGING_DIR}/debian/changelog ${TAMSEL_PACKAGING_OUT}/changelog.gz)
list(APPEND tamsel_gz_files ${TAMSEL_PACKAGING_OUT}/changelog.gz)
add_custom_target(tamsel_packaging_files ALL DEPENDS ${tamsel_gz_files})
install(FILES ${TAMSEL_PACKAGING_OUT}/changelog.gz ${TAMSEL_PACKAGING_DIR}/debian/copyright
  DESTINATION share/doc/tamsel)
install(FILES ${TAMSEL_PACKAGING_DIR}/debian/lintian-overrides
  DESTINATION share/lintian/overrides RENAME tamsel)

# The Debian package: tamsel_<version>_amd64.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tamsel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tamsel developers <maintainers@tamsel.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "operate an infrared rework station and record its soldering runs")
set(CPACK_PACKAGE_DESCRIPTION
"Tamsel operates an infrared rework and soldering station for printed circuit
boards over an RS-232 line. It shows the station's live temperatures and
actuators, keeps a table of soldering and desoldering profiles and sends them
to the station, and records every process as curves that can be analysed,
saved and printed, in English or Chinese.

The package also holds tamsel-station, a simulator of the station's side of
the link, and tamsel-export, which turns record and profile files into JSON or
CSV. Operators need the dialout group for the serial ports and the tamsel group
for the station data that every operator account shares.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TAMSEL_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${TAMSEL_BIN_DIR})
# What dpkg-shlibdeps cannot see: the display plugins Qt loads, the fonts the charts and
# the Chinese interface name, and addgroup for the maintainer scripts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, fonts-noto-cjk, adduser")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${TAMSEL_PACKAGING_DIR}/debian/postinst ${TAMSEL_PACKAGING_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_FILE_NAME tamsel) # replaced by DEB-DEFAULT; keeps the staging folder short
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
