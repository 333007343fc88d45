#pragma once
// The catalogue: every title the pack knows, one static record each, in catalogue order.
#include <array>
#include <cstddef>

#include "titles/app_base.h"

constexpr std::size_t kCatalogueSize = 21;

// Row 1 first. The records live for the whole run.
const std::array<AppBase*, kCatalogueSize>& CatalogueRecords();
