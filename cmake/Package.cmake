# The Debian package: `cpack --config <build>/CPackConfig.cmake` from a
# Release build (./dev package does that and names the file).
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "vanemark")
set(CPACK_PACKAGE_VENDOR "The Vanemark developers")
set(CPACK_PACKAGE_CONTACT "The Vanemark developers <vanemark@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "live control instruments over a DeviceLink flight simulator")
set(CPACK_PACKAGE_DESCRIPTION
    "A compact, borderless, always-on-top window that shows the pilot's stick, pitch and bank,\n"
    "flaps, speed, power, propeller pitch, rudder, brakes and trims live, read from the flight\n"
    "simulator's DeviceLink interface over UDP. Comes with devicelink-sim, a stand-in DeviceLink\n"
    "server for trying layouts without the simulator.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/package")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VANEMARK_HOMEPAGE}")
# The libraries the programs link (Qt, the C++ runtime) as dpkg-shlibdeps
# finds them, with the versions of the machine that built the package.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The panel's "Courier New" resolves to Liberation Mono through fontconfig;
# Qt's own dialogs speak the user's language with Qt's translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# No maintainer scripts: Debian's file triggers (desktop-file-utils,
# hicolor-icon-theme, man-db) refresh the menu, icon and manual caches when
# files land in their folders, and nothing runs the program at install time.

include(CPack)
