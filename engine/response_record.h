// One completed questionnaire: the respondent's details, the report type, the observer's details,
// the comments, the entry method, the saved time-stamp and the 190 responses.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/dates.h"
#include "engine/item_bank.h"

namespace acv {

// Report types as held in memory.
inline constexpr int kSelfReport = 0;
inline constexpr int kObserverReport = 1;
inline constexpr int kReportTypeUnset = -1;

// Stored response values besides the ratings 0..5.
inline constexpr int kResponseBlank = 7;
inline constexpr int kResponseUnset = -1;

// Entry methods.
inline constexpr char kEnteredOnScreen = '0';
inline constexpr char kEnteredFromPaper = '1';

// The text fields, in the order in which they are stored.
enum class TextField {
  kFirstName,
  kLastName,
  kStreetAddress,
  kTown,
  kState,
  kPostcode,
  kPhone,
  kPhone2,
  kCountry,
  kEmail,
  kBirthDate,       // YYYYMMDD
  kSavedStamp,      // YYYYMMDDhhmmss, local time of the last write of the record
  kCompletionDate,  // YYYYMMDD
  kObserverName,
  kObserverRelationship,
  kObserverContact,
  kComments,
};
inline constexpr int kTextFieldCount = 17;

// Width in bytes of each text field, indexed by TextField.
inline constexpr std::array<int, kTextFieldCount> kTextFieldWidth = {
    20, 20, 40, 20, 3, 10, 14, 14, 20, 40, 8, 14, 8, 20, 20, 60, 200};

inline constexpr int FieldWidth(TextField field) {
  return kTextFieldWidth[static_cast<int>(field)];
}

// How the responses and the date of birth of a paper copy were checked by typing them a second
// time and resolving every difference against the paper.
struct Verification {
  bool byAnotherPerson = false;  // the second typing was declared to be by another person
  int differencesResolved = 0;
  friend bool operator==(const Verification&, const Verification&) = default;
};

// What a clinician is told of a record's verification before trusting its analysis:
// "Responses verified by double entry (the second typing by the same person, 2 differences
// resolved)"; the empty text for a record never verified.
std::string VerificationText(const std::optional<Verification>& verification);

class ResponseRecord {
 public:
  // A new record: every text empty, gender 'U', report type unset, entered on screen, every
  // response never set.
  ResponseRecord();
  // Puts the record back as new, keeping the room its texts had (for reading many in turn).
  void Clear();

  // Text fields. A stored text never exceeds its field's width: SetText cuts it there, and at
  // the first zero byte. A date of birth set to another value drops the verification.
  std::string_view Text(TextField field) const;
  void SetText(TextField field, std::string_view text);

  // 'M', 'F', 'X' or 'U'; returns 0, or -1 (nothing stored) for any other code.
  char Gender() const { return gender_; }
  int SetGender(char code);
  // Stores any byte as read from a file; readers treat unknown codes as not specified.
  void RestoreGender(char code) { gender_ = code; }

  // kSelfReport, kObserverReport or kReportTypeUnset; SetReportType returns 0, or -1 for any
  // other type (nothing stored).
  int ReportType() const { return report_type_; }
  int SetReportType(int type);
  // Sets the type as decoded from a file, unknown included.
  void RestoreReportType(int type) { report_type_ = type; }

  // '0' on screen, '1' from paper; any other character stores '0'.
  char EntryMethod() const { return entry_method_; }
  void SetEntryMethod(char method);

  // 0 on success; -3 when the report type is not set, -1 for an item outside 1..190, -2 for a
  // value other than 0..5 or -1 (nothing stored). -1 is stored as a blank (7). A response set to
  // another answer (or from an answer to a blank) drops the verification.
  int SetResponse(int item, int value);
  // The stored value when it is 0..5, otherwise -1.
  int GetResponse(int item) const;
  // '0'..'5' for a stored rating, otherwise a blank.
  char GetResponseChar(int item) const;
  // The response as it is typed in a box: "0".."5", or nothing for a blank (the reverse of
  // ParsePaperResponse).
  std::string ResponseText(int item) const;
  // The stored value as it stands (0..5, 7, -1, or a four-bit value read from a file).
  int StoredResponse(int item) const;
  // Puts a value read from a file in place, unchecked. Item must be 1..190.
  void RestoreResponse(int item, int value) {
    if (IsItemNumber(item)) {
      responses_[item] = value;
    }
  }

  // The value typed for one item on the paper-entry pages: "0".."5" give that number, any other
  // text (the empty text included) gives -1.
  static int ParsePaperResponse(std::string_view text);

  // Recomputes every met flag from the responses.
  void MarkMetItems();
  bool IsMet(int item) const;

  // The item's wording in the record's own report type (Self wording while unset).
  std::string_view GetItemText(int item) const;

  // The date fields parsed; nothing when the text is not exactly 8 (or 14) digits.
  std::optional<CalendarDate> BirthDate() const;
  std::optional<CalendarDate> CompletionDate() const;
  std::optional<TimeStamp> SavedStamp() const;

  // Set while the responses and the date of birth are as they were verified by double entry;
  // nothing for a record never verified. Not compared by IsSameAs.
  const std::optional<Verification>& GetVerification() const { return verification_; }
  void SetVerification(const std::optional<Verification>& verification) {
    verification_ = verification;
  }

  // Field by field comparison (texts exactly, gender, report type and responses, where every
  // value outside 0..5 counts as blank); neither the entry method nor the saved time-stamp is
  // compared.
  bool IsSameAs(const ResponseRecord& other) const;

 private:
  std::array<std::string, kTextFieldCount> text_;
  // Set by Clear.
  char gender_;
  int report_type_;
  char entry_method_;
  std::array<int, kItemSlots> responses_;
  std::array<int, kItemSlots> met_;
  std::optional<Verification> verification_;
};

}  // namespace acv
