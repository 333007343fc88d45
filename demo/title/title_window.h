#pragma once
// What the demo title's window shows, by control, for whoever reads it from another process.

namespace demotitle {

inline constexpr char16_t kWindowClass[] = u"PackDemoTitle";

// Static text lines of the window: a fixed heading, the program's own full path, and the working
// directory it was started in.
inline constexpr int kHeadingLine = 101;
inline constexpr int kProgramLine = 102;
inline constexpr int kWorkingDirectoryLine = 103;

}  // namespace demotitle
