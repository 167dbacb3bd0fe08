# vanemark_windows_resource(target name description): on Windows, gives the
# program `target` (built as `name`.exe) its version resource and the icon.
# Elsewhere it does nothing.
if(WIN32)
  enable_language(RC)
endif()

function(vanemark_windows_resource target name description)
  if(NOT WIN32)
    return()
  endif()
  set(VANEMARK_ICO "${PROJECT_SOURCE_DIR}/res/package/icons/vanemark.ico")
  set(VANEMARK_RC_NAME "${name}")
  set(VANEMARK_RC_DESCRIPTION "${description}")
  set(rc "${PROJECT_BINARY_DIR}/generated/windows/${name}.rc")
  configure_file("${PROJECT_SOURCE_DIR}/res/windows/version.rc.in" "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}")
  # windres reads the icon when it compiles; a new icon must rebuild it.
  set_property(SOURCE "${rc}" APPEND PROPERTY OBJECT_DEPENDS "${VANEMARK_ICO}")
endfunction()
