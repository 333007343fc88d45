#pragma once
#include "platform/win32_api.h"
#include "textlib/tu_text.h"
// The pack's list of installed titles (its key and value in contract/pack_contract.h): title ids
// joined by ",". An item names a title only when equal to its id (case and blanks count).

// Whether an item of the list equals the id; a list that cannot be read holds nothing.
bool PackageListContains(const exlib::Tu_text& title_id);
// False when the list exists but could not be read; a missing list is an empty one.
bool PackageListReadable();
// Appends the id (after a "," unless the list is empty) and writes the list back; a list that
// exists but cannot be read is left alone. No result.
void AppendToPackageList(const exlib::Tu_text& title_id);
// Drops every item equal to the id and writes the rest back in order, or deletes the value when
// nothing is left; false when the list could not be read or written.
bool RemoveFromPackageList(const exlib::Tu_text& title_id);
