# Warnings are always on; turning them into errors is for presets and CI, so a
# packager's newer compiler with new warnings still builds a release.
option(VANEMARK_WERROR "Treat compiler warnings as errors" OFF)
add_library(vanemark_warnings INTERFACE)
if(MSVC)
  target_compile_options(vanemark_warnings INTERFACE /W4 $<$<BOOL:${VANEMARK_WERROR}>:/WX>)
else()
  target_compile_options(vanemark_warnings INTERFACE -Wall -Wextra $<$<BOOL:${VANEMARK_WERROR}>:-Werror>)
endif()
