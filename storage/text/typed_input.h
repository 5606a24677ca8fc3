// The rules for what the user types before a record is looked up or saved: the date boxes'
// focus-out tidying, the date-of-birth check of the selection dialogs and `acv list`, the
// mandatory details of a questionnaire, a typed response-file name, and a path chosen in a file
// dialog.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/dates.h"
#include "engine/response_record.h"

namespace acv {

// Focus-out rules of the date boxes: the normalised text (possibly empty).
std::string NormaliseDayText(std::string_view text);
std::string NormaliseMonthText(std::string_view text);
std::string CompleteYearText(std::string_view text, int currentYear);

enum class BirthDateCheck { kOk, kEmpty, kInvalid, kUnder18 };
// Checks the three boxes against `today`; on kOk `date` receives the date of birth.
BirthDateCheck CheckBirthDate(std::string_view day, std::string_view month, std::string_view year,
                              const CalendarDate& today, CalendarDate* date);

// The mandatory details of a questionnaire, in the order the details page checks them: both
// names; the date of birth typed whole, a real date, and an assessed age today; the date of
// completion typed whole, a real date, this year or last, and at the youngest assessed age.
enum class DetailsCheck {
  kOk,
  kNoFirstName,
  kNoLastName,
  kNoBirthDate,
  kBirthDateInvalid,
  kAgeOutOfRange,
  kNoCompletionDate,
  kCompletionInvalid,
  kCompletionOutOfRange,
  kUnder18AtCompletion,
};
// A date as typed: whether every part of it is there, and the date it is when it is one.
struct TypedDate {
  bool whole = false;
  std::optional<CalendarDate> date;
};
// The date of birth's part of those rules, and with `completed` known its age at completion.
DetailsCheck CheckBirth(const TypedDate& birth, const std::optional<CalendarDate>& completed,
                        const CalendarDate& today);
DetailsCheck CheckDetails(bool firstNamed, bool lastNamed, const TypedDate& birth,
                          const TypedDate& completion, const CalendarDate& today);
// The same rules on what `record` holds, as a save checks them whatever way its run came.
DetailsCheck CheckRecordDetails(const ResponseRecord& record, const CalendarDate& today);

enum class FileNameCheck { kOk, kEmpty, kHasExtension };
// A typed response-file name: kOk with `fullName` the name with ".cvr" (a name already ending
// in ".cvr" kept as it is); a name that is only a folder, or too short, is kHasExtension.
FileNameCheck ResolveResponseFileName(std::string_view typed, std::string* fullName);

// A path chosen in a file dialog: the path without `suffix` (".cvr" or ".csv") when it is at
// least five characters, does not end in a separator, ends in `suffix` and has no other "." in
// the four characters before it; nothing otherwise.
std::optional<std::string> StripChosenPath(std::string_view path, std::string_view suffix);

}  // namespace acv
