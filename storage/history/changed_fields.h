// The names of the fields in which two stored records differ, for a history entry: never what
// they hold.
#pragma once

#include <string>

#include "storage/format/format.h"

namespace acv {

// "lastName, item 12, verification": the text fields by their names, the responses by item,
// then gender, reportType, entryMethod and verification; "unreadable" when either record fails
// its checksums.
std::string ChangedFields(const StoredRecord& before, const StoredRecord& after);

}  // namespace acv
