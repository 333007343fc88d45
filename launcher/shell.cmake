# Shell launching: the one piece of launcher/ that the title records use, so the top-level list
# includes this file before titles/. Its sources stay in launcher/ beside the command buttons that
# share them.
add_library(launcher_shell STATIC ${CMAKE_CURRENT_LIST_DIR}/shell_open.cpp)
target_link_libraries(launcher_shell PUBLIC textlib platform)
