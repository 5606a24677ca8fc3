#include "engine/response_record.h"

#include <algorithm>

namespace acv {
namespace {

bool IsRating(int value) {
  return value >= 0 && value <= 5;
}

}  // namespace

std::string VerificationText(const std::optional<Verification>& verification) {
  if (!verification) {
    return {};
  }
  const int count = verification->differencesResolved;
  std::string text = "Responses verified by double entry (the second typing by ";
  text += verification->byAnotherPerson ? "another person, " : "the same person, ";
  text += count == 0 ? std::string("no difference") : std::to_string(count);
  text += count == 1 ? " difference" : (count == 0 ? "" : " differences");
  return text + " resolved)";
}

ResponseRecord::ResponseRecord() {
  Clear();
}

void ResponseRecord::Clear() {
  for (std::string& text : text_) {
    text.clear();
  }
  gender_ = 'U';
  report_type_ = kReportTypeUnset;
  entry_method_ = kEnteredOnScreen;
  responses_.fill(kResponseUnset);
  met_.fill(0);
  verification_.reset();
}

std::string_view ResponseRecord::Text(TextField field) const {
  return text_[static_cast<int>(field)];
}

void ResponseRecord::SetText(TextField field, std::string_view text) {
  text = text.substr(0, std::min(text.find('\0'), text.size()));
  text = text.substr(0, std::min<std::size_t>(text.size(), FieldWidth(field)));
  std::string& stored = text_[static_cast<int>(field)];
  if (field == TextField::kBirthDate && stored != text) {
    verification_.reset();
  }
  stored.assign(text);
}

int ResponseRecord::SetGender(char code) {
  if (code != 'M' && code != 'F' && code != 'X' && code != 'U') {
    return -1;
  }
  gender_ = code;
  return 0;
}

int ResponseRecord::SetReportType(int type) {
  if (type != kSelfReport && type != kObserverReport) {
    return -1;
  }
  report_type_ = type;
  return 0;
}

void ResponseRecord::SetEntryMethod(char method) {
  entry_method_ = method == kEnteredFromPaper ? kEnteredFromPaper : kEnteredOnScreen;
}

int ResponseRecord::SetResponse(int item, int value) {
  if (report_type_ != kSelfReport && report_type_ != kObserverReport) {
    return -3;
  }
  if (!IsItemNumber(item)) {
    return -1;
  }
  if (!IsRating(value) && value != kResponseUnset) {
    return -2;
  }
  // Every value outside 0..5 is the same blank as far as the verification goes.
  if (GetResponse(item) != value) {
    verification_.reset();
  }
  responses_[item] = IsRating(value) ? value : kResponseBlank;
  return 0;
}

int ResponseRecord::GetResponse(int item) const {
  if (!IsItemNumber(item)) {
    return -1;
  }
  return IsRating(responses_[item]) ? responses_[item] : -1;
}

char ResponseRecord::GetResponseChar(int item) const {
  const int value = GetResponse(item);
  return value < 0 ? ' ' : static_cast<char>('0' + value);
}

std::string ResponseRecord::ResponseText(int item) const {
  const char response = GetResponseChar(item);
  return response == ' ' ? std::string() : std::string(1, response);
}

int ResponseRecord::StoredResponse(int item) const {
  return IsItemNumber(item) ? responses_[item] : kResponseUnset;
}

int ResponseRecord::ParsePaperResponse(std::string_view text) {
  if (text.size() == 1 && text[0] >= '0' && text[0] <= '5') {
    return text[0] - '0';
  }
  return -1;
}

void ResponseRecord::MarkMetItems() {
  for (int item = 0; item < kItemSlots; ++item) {
    const int value = responses_[item];
    met_[item] = (item != 0 && value > 2 && value < 7) ? 1 : 0;
  }
  for (int item : kLowThresholdItems) {
    if (responses_[item] == 2) {
      met_[item] = 1;
    }
  }
}

bool ResponseRecord::IsMet(int item) const {
  return IsItemNumber(item) && met_[item] > 0;
}

std::string_view ResponseRecord::GetItemText(int item) const {
  return report_type_ == kObserverReport ? ItemBank::Observer(item) : ItemBank::Self(item);
}

std::optional<CalendarDate> ResponseRecord::BirthDate() const {
  return ParseDate8(Text(TextField::kBirthDate));
}

std::optional<CalendarDate> ResponseRecord::CompletionDate() const {
  return ParseDate8(Text(TextField::kCompletionDate));
}

std::optional<TimeStamp> ResponseRecord::SavedStamp() const {
  return ParseStamp14(Text(TextField::kSavedStamp));
}

bool ResponseRecord::IsSameAs(const ResponseRecord& other) const {
  if (gender_ != other.gender_ || report_type_ != other.report_type_) {
    return false;
  }
  // The saved time-stamp tells when, not what: a save stamps it before writing.
  for (int field = 0; field < kTextFieldCount; ++field) {
    if (field != static_cast<int>(TextField::kSavedStamp) && text_[field] != other.text_[field]) {
      return false;
    }
  }
  for (int item = 1; item <= kItemCount; ++item) {
    if (GetResponse(item) != other.GetResponse(item)) {
      return false;
    }
  }
  return true;
}

}  // namespace acv
