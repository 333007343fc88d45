#pragma once
// Titles' names for people: the catalogue keeps them as the build's narrow literals, which are
// Shift-JIS whatever the user's code page.
#include <string>

#include "textlib/tu_text.h"

// The name decoded as Shift-JIS; its wide form when it is not Shift-JIS.
std::u16string TitleDisplayName(const exlib::Tu_text& name);
