#pragma once
// Windows paths as texts: backslash separators, optional drive prefix, optional leading "\\".
#include "textlib/tu_text.h"

namespace exlib {

Tu_text ModulePath();
Tu_text ModuleDirectory();
Tu_text ParentDirectory(Tu_text path);
Tu_text PathJoin(Tu_text first, Tu_text second);
Tu_text NormalizePath(Tu_text path);

}  // namespace exlib
