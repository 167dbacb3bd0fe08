# VANEMARK_SANITIZE: "address;undefined", "thread" or empty.
set(VANEMARK_SANITIZE "" CACHE STRING "Sanitizers to build with")
add_library(vanemark_sanitizers INTERFACE)
if(VANEMARK_SANITIZE)
  list(JOIN VANEMARK_SANITIZE "," _vanemark_sanitizers)
  target_compile_options(vanemark_sanitizers INTERFACE -fsanitize=${_vanemark_sanitizers} -fno-omit-frame-pointer
                                                       -fno-sanitize-recover=all)
  target_link_options(vanemark_sanitizers INTERFACE -fsanitize=${_vanemark_sanitizers})
endif()
# The fuzzers need coverage feedback from every library they drive.
if(VANEMARK_FUZZ)
  target_compile_options(vanemark_sanitizers INTERFACE -fsanitize=fuzzer-no-link)
endif()

# Every library and program of ours links both, privately.
function(vanemark_target_defaults target)
  target_link_libraries(${target} PRIVATE vanemark_warnings vanemark_sanitizers)
endfunction()
