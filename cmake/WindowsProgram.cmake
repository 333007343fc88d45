# pack_add_windows_program(<target> [WIN32] [SHIPPED | STRIPPED] [LAUNCHER_RESOURCES]
#                          SOURCES <file>... [LIBS <library>...])
# Every Windows program of the pack (besides the test suites) is made here, so that each is linked
# the same way:
#   WIN32               a window program (wWinMain); otherwise a console program (wmain)
#   SHIPPED             part of the demo pack: stripped, and listed for script/lib/check-shipped.sh
#   STRIPPED            stripped as the shipped programs are, so that their sizes compare
#   LAUNCHER_RESOURCES  the launcher's resources: templates, images, icon, version information and
#                       the manifest (which then is the program's only one)
# Sections stay page-aligned in the file: Wine maps an executable's sections from its file, each
# page as it is first touched, only where they start on page boundaries there; otherwise it reads
# the whole image into private memory, unused runtime code included. Windows pages either way.
function(pack_add_windows_program target)
  cmake_parse_arguments(P "WIN32;SHIPPED;STRIPPED;LAUNCHER_RESOURCES" "" "SOURCES;LIBS" ${ARGN})
  if(P_WIN32)
    add_executable(${target} WIN32 ${P_SOURCES})
  else()
    add_executable(${target} ${P_SOURCES})
  endif()
  target_link_libraries(${target} PRIVATE ${P_LIBS})
  if(P_LAUNCHER_RESOURCES)
    target_link_libraries(${target} PRIVATE setup_resources)
  endif()
  set(strip OFF)
  if(P_SHIPPED OR P_STRIPPED)
    set(strip ON)
  endif()
  if(MINGW)
    target_link_options(${target} PRIVATE -municode -Wl,--file-alignment,0x1000
                        $<$<AND:$<CONFIG:Release>,$<BOOL:${strip}>>:-s>)
  elseif(MSVC)
    # MSVC picks the Unicode entry point by itself and keeps symbols in a separate file; its linker
    # would add a manifest of its own beside the one in the resources.
    target_link_options(${target} PRIVATE /FILEALIGN:4096)
    if(P_LAUNCHER_RESOURCES)
      target_link_options(${target} PRIVATE /MANIFEST:NO)
    endif()
  endif()
  if(P_SHIPPED)
    if(P_LAUNCHER_RESOURCES)
      set(kind manifest)
    else()
      set(kind plain)
    endif()
    set_property(GLOBAL APPEND PROPERTY PACK_SHIPPED_PROGRAMS "${kind} $<TARGET_FILE:${target}>")
  endif()
endfunction()

# Writes build/<preset>/shipped_programs.txt, one line per shipped program: "manifest" or "plain"
# (whether it carries the launcher's manifest), then its path. Called once every program exists.
function(pack_write_shipped_programs)
  get_property(programs GLOBAL PROPERTY PACK_SHIPPED_PROGRAMS)
  list(JOIN programs "\n" lines)
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/shipped_programs.txt CONTENT "${lines}\n")
endfunction()
