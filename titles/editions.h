#pragma once
// The pack's editions: which catalogue titles a launcher shows, in button order, and with which
// window template. Each program is built for one edition (PACK_EDITION in the build).
#include <array>
#include <cstddef>
#include <cstdint>

#include "titles/app_base.h"

enum class EditionId { kAll, kKavor, kNuva, kTrell };

struct Edition {
  EditionId id;
  const char* name;  // the edition's folder and build name: "all", "kavor", "nuva", "trell"
  int32_t template_id;
  AppBase* const* titles;  // in button order; the catalogue's records, not owned
  size_t title_count;

  AppBase* const* begin() const { return titles; }
  AppBase* const* end() const { return titles + title_count; }
};

constexpr size_t kEditionCount = 4;

// In EditionId order.
const std::array<Edition, kEditionCount>& Editions();

// The edition this program was built for; its titles are what GetAppList() lists.
const Edition& BuildEdition();

// Defined by the one edition library that each program links.
extern const EditionId kBuildEdition;
