#pragma once
// This build's titles, in the order of their buttons.
#include "textlib/tu_array.h"
#include "titles/app_base.h"

// Built on the first call and the same list, unchanged, on every later one. The list does not own
// the records.
const exlib::Tu_array<AppBase>* GetAppList();
