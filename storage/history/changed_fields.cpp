#include "storage/history/changed_fields.h"

#include "storage/format/field_names.h"
#include "storage/format/record_image.h"

namespace acv {
namespace {

void Add(std::string* names, const std::string& name) {
  if (!names->empty()) {
    names->append(", ");
  }
  names->append(name);
}

}  // namespace

std::string ChangedFields(const StoredRecord& before, const StoredRecord& after) {
  ResponseRecord was;
  ResponseRecord now;
  if (LoadImage(was, before.data()) != FileStatus::kOk ||
      LoadImage(now, after.data()) != FileStatus::kOk) {
    return "unreadable";
  }
  std::string names;
  for (const auto& [field, name] : kTextFieldNames) {
    if (was.Text(field) != now.Text(field)) {
      Add(&names, name);
    }
  }
  for (int item = 1; item <= kItemCount; ++item) {
    if (was.StoredResponse(item) != now.StoredResponse(item)) {
      Add(&names, "item " + std::to_string(item));
    }
  }
  const std::pair<bool, const char*> others[] = {
      {was.Gender() != now.Gender(), "gender"},
      {was.ReportType() != now.ReportType(), "reportType"},
      {was.EntryMethod() != now.EntryMethod(), "entryMethod"},
      {was.GetVerification() != now.GetVerification(), "verification"},
  };
  for (const auto& [differs, name] : others) {
    if (differs) {
      Add(&names, name);
    }
  }
  return names;
}

}  // namespace acv
