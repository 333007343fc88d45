# Compiler settings shared by every target of the project.
if(WIN32)
  enable_language(RC)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()

if(MSVC)
  # Sources are UTF-8; narrow literals stay in the build machine's code page unless a target asks
  # for Shift-JIS (/utf-8 would fix them to UTF-8 and conflict with /execution-charset).
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:/W4> $<$<COMPILE_LANGUAGE:C,CXX>:/source-charset:utf-8>)
else()
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-Wall> $<$<COMPILE_LANGUAGE:C,CXX>:-Wextra>)
endif()

# Release builds keep only the code and data that something reaches (the runtime libraries are
# linked statically, and most of them is never called).
if(NOT MSVC)
  add_compile_options($<$<AND:$<CONFIG:Release>,$<COMPILE_LANGUAGE:C,CXX>>:-ffunction-sections>
                      $<$<AND:$<CONFIG:Release>,$<COMPILE_LANGUAGE:C,CXX>>:-fdata-sections>)
  add_link_options($<$<CONFIG:Release>:-Wl,--gc-sections>)
endif()

# The same sources give the same executables whenever and wherever they are built: no link time
# in the PE header, and no source or build folder in what the compiler writes (file names in
# assertions and debug information).
if(MSVC)
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:/Brepro>)
  add_link_options(/Brepro)
elseif(MINGW)
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>
                      $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>)
  add_link_options(-Wl,--no-insert-timestamp)
endif()

if(PACK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# Coverage feedback for every library the fuzz targets link; the targets add libFuzzer's main.
if(PACK_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# The product's narrow literals are Shift-JIS, whatever the source encoding (UTF-8).
function(pack_shift_jis_literals target)
  if(WIN32 AND MSVC)
    target_compile_options(${target} PRIVATE /execution-charset:.932)
  elseif(WIN32)
    target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP932)
  endif()
endfunction()

# pack_product_warnings(DIRECTORIES <dir>... TARGETS <target>...): with PACK_WARNINGS_AS_ERRORS,
# the product's own code (every target compiled in those folders, and the targets named) builds
# without a warning with GCC. Beside -Wall -Wextra: function pointers cast to another type (as
# GetProcAddress's answer is), and integers of another size made into pointers or pointers into
# narrower integers, which in C++ only -Wconversion reports once the cast hides the pointer (a
# pointer kept in a LONG); on a 32-bit build a pointer fits every such integer, so only the 64-bit
# build sees those.
option(PACK_WARNINGS_AS_ERRORS "Fail the product's build on any compiler warning (GCC)" OFF)
function(pack_product_warnings)
  cmake_parse_arguments(W "" "" "DIRECTORIES;TARGETS" ${ARGN})
  if(NOT PACK_WARNINGS_AS_ERRORS OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    return()
  endif()
  set(targets ${W_TARGETS})
  set(directories ${W_DIRECTORIES})
  while(directories)
    list(POP_FRONT directories directory)
    get_property(in_directory DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(below DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    list(APPEND targets ${in_directory})
    list(APPEND directories ${below})
  endwhile()
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(sources ${target} SOURCES)
    if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$" AND sources)
      target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:C,CXX>:-Werror -Wcast-function-type -Wint-to-pointer-cast -Wconversion>
        $<$<COMPILE_LANGUAGE:C>:-Wpointer-to-int-cast>)
    endif()
  endforeach()
endfunction()
