# Header-only libraries from the build machine: CLI11 (command lines), nlohmann-json, and stb (the
# launcher's PNG decoder and scaler). Debian puts them in /usr/include, which a cross-compiler must
# not search as a whole (it also holds the build machine's C library), so their folders are linked
# into an include folder of their own.
set(PACK_THIRD_PARTY_INCLUDE ${CMAKE_BINARY_DIR}/third_party/include)

function(pack_header_library target header)
  string(MAKE_C_IDENTIFIER "PACK_${target}_INCLUDE_DIR" cache_name)
  find_path(${cache_name} ${header} NO_CMAKE_FIND_ROOT_PATH
            DOC "Folder that holds ${header}")
  if(NOT ${cache_name})
    message(FATAL_ERROR "${header} not found: run script/bootstrap, or set ${cache_name}")
  endif()
  get_filename_component(subfolder ${header} DIRECTORY)
  file(MAKE_DIRECTORY ${PACK_THIRD_PARTY_INCLUDE})
  file(CREATE_LINK ${${cache_name}}/${subfolder} ${PACK_THIRD_PARTY_INCLUDE}/${subfolder}
       COPY_ON_ERROR SYMBOLIC)
  add_library(${target} INTERFACE)
  target_include_directories(${target} SYSTEM INTERFACE ${PACK_THIRD_PARTY_INCLUDE})
endfunction()

pack_header_library(pack_cli11 CLI/CLI.hpp)
pack_header_library(pack_json nlohmann/json.hpp)
pack_header_library(pack_stb stb/stb_image.h)
