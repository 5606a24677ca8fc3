// Builds records for the tests.
#pragma once

#include <initializer_list>
#include <string_view>

#include "engine/response_record.h"

namespace acv::testing {

// Sets every item of `record` to `answer(item)` (-1 for a blank).
template <typename Answer>
void AnswerEvery(ResponseRecord& record, Answer answer) {
  for (int item = 1; item <= kItemCount; ++item) {
    record.SetResponse(item, answer(item));
  }
}

// A record of the given type with every item answered `fill` (-1 for blank everywhere).
inline ResponseRecord MakeRecord(int reportType, int fill = 0,
                                 std::string_view lastName = "Morgan") {
  ResponseRecord record;
  record.SetReportType(reportType);
  record.SetText(TextField::kLastName, lastName);
  AnswerEvery(record, [fill](int) { return fill; });
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

// A made-up person's filled-in record, completed on 12 June 2007, its answers drawn from `seed`.
inline ResponseRecord Person(int type, std::string_view first, std::string_view last,
                             std::string_view birthDate, int seed = 1) {
  ResponseRecord record = MakePersonRecord(type, first, last, birthDate, "20070612");
  record.SetText(TextField::kStreetAddress, "12 Example Street");
  record.SetText(TextField::kComments, "Made-up record, \"quoted\", with a comma");
  if (type == kObserverReport) {
    record.SetText(TextField::kObserverName, "Jo Observer");
  }
  record.SetGender('F');
  AnswerEvery(record, [seed](int item) { return (item * seed + seed) % 7 - 1; });
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
