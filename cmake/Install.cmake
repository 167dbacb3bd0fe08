# What `cmake --install` lays out, and so what the package carries: the two
# programs (installed by their own folders), the shipped settings files, and
# what a desktop needs to list the program: desktop entry, AppStream metadata,
# icons and man pages. Nothing else: no tests, benchmarks or static libraries.
# On Windows a program and everything it reads sit in one folder, as a setup
# program or a zip lays them out: no bin/ or share/ below it.
# Plain variables, so that a build folder configured before keeps no bin/.
if(WIN32)
  set(CMAKE_INSTALL_BINDIR ".")
  set(CMAKE_INSTALL_DATADIR ".")
endif()
include(GNUInstallDirs)

# One reverse-DNS id names the desktop entry, the metadata, the icons and the
# running program's desktop file name, so the desktop ties them together.
set(VANEMARK_APP_ID "io.github.vanemark.Vanemark")
set(VANEMARK_HOMEPAGE "https://github.com/vanemark/vanemark")
set(VANEMARK_SCREENSHOT_URL "https://raw.githubusercontent.com/vanemark/vanemark/main/docs/screenshot.png")
# The day of the release named by project(VERSION); they change together.
set(VANEMARK_RELEASE_DATE "2026-12-06")

set(_vanemark_res "${PROJECT_SOURCE_DIR}/res")
set(_vanemark_pkg "${_vanemark_res}/package")

# The program finds these at ../share/vanemark from its own folder, or on
# Windows beside itself.
if(WIN32)
  set(_vanemark_shipped_dir ".")
else()
  set(_vanemark_shipped_dir "${CMAKE_INSTALL_DATADIR}/vanemark")
endif()
install(FILES "${_vanemark_res}/Vanemark.ini" "${_vanemark_res}/Vanemark.cfg" "${_vanemark_res}/dlkeys.ini"
              "${_vanemark_res}/vanemark.xml" DESTINATION "${_vanemark_shipped_dir}")

if(UNIX AND NOT APPLE)
  set(_vanemark_gen "${PROJECT_BINARY_DIR}/package")
  configure_file("${_vanemark_pkg}/vanemark.metainfo.xml.in" "${_vanemark_gen}/${VANEMARK_APP_ID}.metainfo.xml" @ONLY)
  install(FILES "${_vanemark_pkg}/${VANEMARK_APP_ID}.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
  install(FILES "${_vanemark_gen}/${VANEMARK_APP_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

  foreach(size 48 128 256)
    install(FILES "${_vanemark_pkg}/icons/vanemark-${size}.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps" RENAME "${VANEMARK_APP_ID}.png")
  endforeach()
  install(FILES "${_vanemark_pkg}/icons/vanemark.svg" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
          RENAME "${VANEMARK_APP_ID}.svg")

  # Man pages go out compressed, as Debian's policy asks (-n keeps the
  # archive free of a time stamp, so rebuilds are byte for byte the same).
  find_program(VANEMARK_GZIP gzip)
  set(_vanemark_pages "")
  foreach(page vanemark devicelink-sim)
    set(_vanemark_page "${_vanemark_gen}/man/${page}.1")
    configure_file("${_vanemark_pkg}/man/${page}.1.in" "${_vanemark_page}" @ONLY)
    if(VANEMARK_GZIP)
      add_custom_command(OUTPUT "${_vanemark_page}.gz"
                         COMMAND "${VANEMARK_GZIP}" -9 -n -k -f "${_vanemark_page}"
                         DEPENDS "${_vanemark_page}" VERBATIM)
      string(APPEND _vanemark_page ".gz")
    endif()
    list(APPEND _vanemark_pages "${_vanemark_page}")
  endforeach()
  add_custom_target(vanemark_man_pages ALL DEPENDS ${_vanemark_pages})
  install(FILES ${_vanemark_pages} DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endif()

include(Package)
