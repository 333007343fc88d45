# The pack's version, from project(VERSION): MAJOR.MINOR.PATCH is what players and file names
# see; Windows' version fields take four numbers, the fourth always 0.
if(NOT PROJECT_VERSION MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+$")
  message(FATAL_ERROR "the project version must be MAJOR.MINOR.PATCH, not ${PROJECT_VERSION}")
endif()
set(PACK_VERSION ${PROJECT_VERSION})
set(PACK_VERSION_QUAD ${PROJECT_VERSION}.0)
string(REPLACE "." "," PACK_VERSION_COMMAS ${PACK_VERSION_QUAD})

set(PACK_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/../resources/pack_version.h.in
               ${PACK_GENERATED_DIR}/pack_version.h @ONLY)

# Gives a Windows program the pack's version information under its own file name.
function(pack_version_resource target file_name description)
  set(PACK_FILE_NAME ${file_name})
  set(PACK_FILE_DESCRIPTION ${description})
  set(rc ${PACK_GENERATED_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/resources/program_version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  target_include_directories(${target} PRIVATE ${PACK_GENERATED_DIR})
endfunction()
