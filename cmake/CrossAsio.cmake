# Standalone Asio is header-only and the same for every target, but it lives
# in the host's /usr/include beside glibc's headers. A cross build gets a
# folder of its own holding Asio alone, so nothing else of the host's can be
# picked up through it.
if(NOT ASIO_INCLUDE_DIR)
  find_path(VANEMARK_HOST_ASIO asio.hpp PATHS /usr/include /usr/local/include NO_DEFAULT_PATH
            NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  set(staged ${CMAKE_BINARY_DIR}/cross-include)
  file(MAKE_DIRECTORY ${staged})
  foreach(entry asio.hpp asio)
    file(CREATE_LINK ${VANEMARK_HOST_ASIO}/${entry} ${staged}/${entry} SYMBOLIC)
  endforeach()
  set(ASIO_INCLUDE_DIR ${staged} CACHE PATH "Standalone Asio headers")
endif()
