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

// What a test record holds beyond its type; unnamed fields keep their defaults, e.g.
// TestRecord(kSelfReport, {.last = "Lee", .fill = 2}).
struct TestRecordOptions {
  std::string_view first = {};
  std::string_view last = "Morgan";
  std::string_view birthDate = {};  // YYYYMMDD
  std::string_view completed = {};  // YYYYMMDD; a made-up person's is 12 June 2007
  int fill = kResponseUnset;        // every item answered this
  // Above 0: a made-up person, with an address, a comment, a gender and for an Observer-report
  // an observer, answered from this seed (instead of `fill`).
  int seed = 0;
};

// The one record builder of the tests.
inline ResponseRecord TestRecord(int reportType, const TestRecordOptions& options = {}) {
  ResponseRecord record;
  record.SetReportType(reportType);
  record.SetText(TextField::kFirstName, options.first);
  record.SetText(TextField::kLastName, options.last);
  record.SetText(TextField::kBirthDate, options.birthDate);
  record.SetText(TextField::kCompletionDate,
                 options.completed.empty() && options.seed > 0 ? "20070612" : options.completed);
  if (options.seed <= 0) {
    AnswerEvery(record, [&options](int) { return options.fill; });
    return record;
  }
  record.SetText(TextField::kStreetAddress, "12 Example Street");
  record.SetText(TextField::kComments, "Made-up record, \"quoted\", with a comma");
  if (reportType == kObserverReport) {
    record.SetText(TextField::kObserverName, "Jo Observer");
  }
  record.SetGender('F');
  AnswerEvery(record,
              [&options](int item) { return (item * options.seed + options.seed) % 7 - 1; });
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
