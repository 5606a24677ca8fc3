// Builds records for the tests.
#pragma once

#include <initializer_list>
#include <string_view>

#include "engine/response_record.h"

namespace acv::testing {

// A record of the given type with every item answered `fill` (-1 for blank everywhere).
inline ResponseRecord MakeRecord(int reportType, int fill = 0,
                                 std::string_view lastName = "Morgan") {
  ResponseRecord record;
  record.SetReportType(reportType);
  record.SetText(TextField::kLastName, lastName);
  for (int item = 1; item <= kItemCount; ++item) {
    record.SetResponse(item, fill);
  }
  return record;
}

// One person's record of the given type, completed on `completed` (YYYYMMDD), nothing answered.
inline ResponseRecord MakePersonRecord(int reportType, std::string_view firstName,
                                       std::string_view lastName, std::string_view birthDate,
                                       std::string_view completed) {
  ResponseRecord record;
  record.SetReportType(reportType);
  record.SetText(TextField::kFirstName, firstName);
  record.SetText(TextField::kLastName, lastName);
  record.SetText(TextField::kBirthDate, birthDate);
  record.SetText(TextField::kCompletionDate, completed);
  return record;
}

// Rates the given items `value` and derives the met flags again.
inline void Rate(ResponseRecord& record, std::initializer_list<int> items, int value) {
  for (int item : items) {
    record.SetResponse(item, value);
  }
  record.MarkMetItems();
}

}  // namespace acv::testing
