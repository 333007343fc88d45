#pragma once
// The brand a title belongs to, by its record's class.
#include "titles/app_base.h"

// As the launcher's group boxes name them: "KAVOR", "Nuva" or "TRELL"; empty for no brand.
const char* BrandName(const AppBase& title);
