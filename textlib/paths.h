#pragma once
// Windows paths as texts: backslash separators, optional drive prefix, optional leading "\\".
#include <cstdint>
#include <functional>

#include "textlib/tu_text.h"

namespace exlib {

// The longest path the system can name, in UTF-16 units without the NUL.
constexpr uint32_t kLongestPath = 32767;

// A call shaped like GetModuleFileNameW for the executable: fills at most `size` units and
// answers how many it wrote (`size` when the path was cut, 0 on failure).
using ModuleFileNameReader = std::function<uint32_t(char16_t* buffer, uint32_t size)>;

// The executable's full path, read whole through `read` with a buffer that grows up to
// kLongestPath; empty when it cannot be read whole, so that nothing is ever looked for beside a
// path cut inside a folder name.
Tu_text ReadModulePath(const ModuleFileNameReader& read);
Tu_text ModulePath();  // ReadModulePath over GetModuleFileNameW
Tu_text ModuleDirectory();
Tu_text ParentDirectory(Tu_text path);
Tu_text PathJoin(Tu_text first, Tu_text second);
Tu_text NormalizePath(Tu_text path);

}  // namespace exlib
