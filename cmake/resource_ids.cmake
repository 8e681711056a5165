# Writes FILE, sourced by the end-to-end scripts: "readonly NAME=NUMBER" for each "#define NAME
# NUMBER" of resources/resource.h, so that the scripts name the program's ids instead of
# copying their numbers. A define of another form stops the configuration rather than leave a
# script with a name that is not set.
function(chimeday_resource_ids file)
  set(header ${PROJECT_SOURCE_DIR}/resources/resource.h)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${header})
  file(STRINGS ${header} defines REGEX "^#define")
  set(text "# Written by CMake from resources/resource.h.\n")
  foreach(define IN LISTS defines)
    if(NOT define MATCHES "^#define ([A-Z][A-Z0-9_]*) +([0-9]+) *(//.*)?$")
      message(FATAL_ERROR "resources/resource.h: '${define}' is not a name and a decimal number")
    endif()
    string(APPEND text "readonly ${CMAKE_MATCH_1}=${CMAKE_MATCH_2}\n")
  endforeach()
  file(WRITE ${file} "${text}")
endfunction()
