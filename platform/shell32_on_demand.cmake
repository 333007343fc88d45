# shell32 bound on first call rather than at start: the launcher needs the shell only when a button
# opens something, and loading shell32 with what it pulls in costs its start-up time and memory.
# The library lists the shell functions the product calls; the loader helper takes shell32 from the
# system folder, the only place the program's DLL search allows.
add_library(shell32_on_demand INTERFACE)
if(MSVC)
  target_link_options(shell32_on_demand INTERFACE /DELAYLOAD:shell32.dll)
  target_link_libraries(shell32_on_demand INTERFACE delayimp)
elseif(MINGW)
  # 32-bit imports carry the callee's argument bytes in their names.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(exports "ShellExecuteW@24\nSHGetFolderPathW@20\n")
  else()
    set(exports "ShellExecuteW\nSHGetFolderPathW\n")
  endif()
  set(def ${CMAKE_CURRENT_BINARY_DIR}/shell32_on_demand.def)
  set(lib ${CMAKE_CURRENT_BINARY_DIR}/libshell32_on_demand.a)
  file(CONFIGURE OUTPUT ${def} CONTENT "LIBRARY shell32.dll\nEXPORTS\n${exports}")
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${def} --output-delaylib ${lib}
    DEPENDS ${def} VERBATIM)
  add_custom_target(shell32_on_demand_lib DEPENDS ${lib})
  add_dependencies(shell32_on_demand shell32_on_demand_lib)
  # mingwex holds the helper that loads the library at the first call.
  target_link_libraries(shell32_on_demand INTERFACE ${lib} mingwex)
endif()
