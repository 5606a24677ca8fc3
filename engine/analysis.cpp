#include "engine/analysis.h"

#include <array>
#include <cstdio>

#include "engine/omega.h"

namespace acv {
namespace {

constexpr std::string_view kNotSpecified = "Not Specified";
constexpr std::string_view kLineBreak = "\r\n";

constexpr std::array<std::string_view, 12> kMonthNames = {
    " January ", " February ", " March ",     " April ",   " May ",      " June ",
    " July ",    " August ",   " September ", " October ", " November ", " December "};

// How one report stands for the reliability texts.
enum class Reliability { kAbsent, kTooFew, kAbove, kBelow };

Reliability Standing(const Analysis& analysis, Report which) {
  if (analysis.IsAbsent(which)) {
    return Reliability::kAbsent;
  }
  const OmegaResult omega = ComputeOmega(analysis.report(which));
  if (omega.text == kOmegaTooFewText) {
    return Reliability::kTooFew;
  }
  return omega.aboveCutoff ? Reliability::kAbove : Reliability::kBelow;
}

// The comment for each pair of standings, Self first.
struct Comment {
  Reliability self;
  Reliability observer;
  std::string_view text;
};

constexpr std::array<Comment, 16> kComments = {{
    {Reliability::kAbsent, Reliability::kAbsent, " "},
    {Reliability::kAbsent, Reliability::kTooFew,
     "Too few Observer-report responses to calculate Omega."},
    {Reliability::kAbsent, Reliability::kAbove, "The Observer-report was above the Omega cutoff."},
    {Reliability::kAbsent, Reliability::kBelow, "The Observer-report was below the Omega cutoff."},
    {Reliability::kTooFew, Reliability::kAbsent,
     "Too few Self-report responses to calculate Omega."},
    {Reliability::kAbove, Reliability::kAbsent, "The Self-report was above the Omega cutoff."},
    {Reliability::kBelow, Reliability::kAbsent, "The Self-report was below the Omega cutoff."},
    {Reliability::kTooFew, Reliability::kTooFew,
     "Too few Self-report and Observer-report responses to calculate Omega."},
    {Reliability::kTooFew, Reliability::kAbove,
     "The Observer-report was above the Omega cutoff. Too few Self-report responses to "
     "calculate Omega."},
    {Reliability::kTooFew, Reliability::kBelow,
     "The Observer-report was below the Omega cutoff. Too few Self-report responses to "
     "calculate Omega."},
    {Reliability::kAbove, Reliability::kTooFew,
     "The Self-report was above the Omega cutoff. Too few Observer-report responses to "
     "calculate Omega."},
    {Reliability::kAbove, Reliability::kAbove,
     "Both the Self-report and Observer-report were above the Omega cutoff"},
    {Reliability::kAbove, Reliability::kBelow, "Only the Self-report was above the Omega cutoff."},
    {Reliability::kBelow, Reliability::kTooFew,
     "The Self-report was below the Omega cutoff. Too few Observer-report responses to "
     "calculate Omega."},
    {Reliability::kBelow, Reliability::kAbove,
     "Only the Observer-report was above the Omega cutoff."},
    {Reliability::kBelow, Reliability::kBelow,
     "Neither the Self-report nor Observer-report were above the Omega cutoff"},
}};

// "07 March 1975" from a stored YYYYMMDD, the day digits as they stand; "Date data error" when
// the text is not eight digits or its month is not 1..12.
std::string DateText(std::string_view stored) {
  const std::optional<CalendarDate> date = ParseDate8(stored);
  if (!date || date->month < 1 || date->month > 12) {
    return "Date data error";
  }
  std::string text(stored.substr(6, 2));
  text.append(kMonthNames[date->month - 1]);
  text.append(stored.substr(0, 4));
  return text;
}

}  // namespace

Report ReportOfType(int reportType) {
  return reportType == kObserverReport ? Report::kObserver : Report::kSelf;
}

bool Analysis::IsSelfAbsent() const {
  return IsAbsent(Report::kSelf);
}

bool Analysis::IsObserverAbsent() const {
  return IsAbsent(Report::kObserver);
}

bool Analysis::IsAbsent(Report which) const {
  return report(which).Text(TextField::kLastName).empty();
}

ScreenResult Analysis::ScreenForReport(int row, Report which) const {
  ScreenResult result = EvaluateScreen(row, report(which));
  if (!result.positive) {
    result.itemsMet.clear();
  }
  return result;
}

std::string Analysis::PositiveScreenCountText(Report which) const {
  if (IsAbsent(which)) {
    return "";
  }
  int positive = 0;
  for (int row = 1; row <= kScreenCount; ++row) {
    positive += ScreenForReport(row, which).positive ? 1 : 0;
  }
  return std::to_string(positive);
}

std::string Analysis::SelfOmegaText() const {
  return IsSelfAbsent() ? " " : ComputeOmega(self_).text;
}

std::string Analysis::ObserverOmegaText() const {
  return IsObserverAbsent() ? " " : ComputeOmega(observer_).text;
}

bool Analysis::ReliabilityAttained() const {
  return (!IsSelfAbsent() && ComputeOmega(self_).aboveCutoff) ||
         (!IsObserverAbsent() && ComputeOmega(observer_).aboveCutoff);
}

std::string Analysis::ReliabilityAttainedText() const {
  if (IsSelfAbsent() && IsObserverAbsent()) {
    return " ";
  }
  return ReliabilityAttained() ? "YES" : "NO";
}

std::string Analysis::ReliabilityCommentText() const {
  const Reliability self = Standing(*this, Report::kSelf);
  const Reliability observer = Standing(*this, Report::kObserver);
  for (const Comment& comment : kComments) {
    if (comment.self == self && comment.observer == observer) {
      return std::string(comment.text);
    }
  }
  return " ";
}

const ResponseRecord* Analysis::DetailsRecord() const {
  if (!IsSelfAbsent()) {
    return &self_;
  }
  if (!IsObserverAbsent()) {
    return &observer_;
  }
  return nullptr;
}

std::string Analysis::DetailText(TextField field) const {
  const ResponseRecord* details = DetailsRecord();
  return details == nullptr ? std::string() : std::string(details->Text(field));
}

std::string Analysis::RespondentNameText() const {
  if (DetailsRecord() == nullptr) {
    return "";
  }
  return FirstNameText() + " " + LastNameText();
}

std::string Analysis::FirstNameText() const {
  return DetailText(TextField::kFirstName);
}

std::string Analysis::LastNameText() const {
  return DetailText(TextField::kLastName);
}

std::string Analysis::ObserverNameText() const {
  return IsObserverAbsent() ? "" : std::string(observer_.Text(TextField::kObserverName));
}

std::string Analysis::AddressText() const {
  std::string text = DetailText(TextField::kStreetAddress);
  std::string separator(kLineBreak);
  for (TextField field : {TextField::kTown, TextField::kState, TextField::kPostcode}) {
    const std::string part = DetailText(field);
    if (part.empty()) {
      continue;
    }
    if (text.empty()) {
      text = part;
    } else {
      text += separator + part;
      separator = "   ";
    }
  }
  const std::string country = DetailText(TextField::kCountry);
  if (!country.empty()) {
    text = text.empty() ? country : text + std::string(kLineBreak) + country;
  }
  return text.empty() ? std::string(kNotSpecified) : text;
}

std::string Analysis::PhoneText() const {
  const std::string phone = DetailText(TextField::kPhone);
  const std::string phone2 = DetailText(TextField::kPhone2);
  if (!phone.empty() && !phone2.empty()) {
    return phone + std::string(kLineBreak) + phone2;
  }
  if (phone.empty() && phone2.empty()) {
    return std::string(kNotSpecified);
  }
  return phone.empty() ? phone2 : phone;
}

std::string Analysis::GenderText() const {
  const ResponseRecord* details = DetailsRecord();
  switch (details == nullptr ? 'U' : details->Gender()) {
    case 'M':
    case 'm':
      return "Male";
    case 'F':
    case 'f':
      return "Female";
    case 'X':
    case 'x':
      return "Other";
    default:
      return std::string(kNotSpecified);
  }
}

std::string Analysis::BirthDateText() const {
  if (DetailsRecord() == nullptr) {
    return "";
  }
  return DateText(DetailText(TextField::kBirthDate));
}

std::string Analysis::CompletionDateText() const {
  if (DetailsRecord() == nullptr) {
    return "";
  }
  return DateText(DetailText(TextField::kCompletionDate));
}

std::string Analysis::AgeText() const {
  const ResponseRecord* details = DetailsRecord();
  if (details == nullptr) {
    return "";
  }
  const std::optional<CalendarDate> birth = details->BirthDate();
  const std::optional<CalendarDate> completed = details->CompletionDate();
  if (!birth || !completed || !IsValidCalendarDate(*birth) || !IsValidCalendarDate(*completed)) {
    return "-1";
  }
  return std::to_string(AgeInYears(*birth, *completed));
}

std::string Analysis::SelfCommentText() const {
  if (IsSelfAbsent()) {
    return "";
  }
  const std::string_view comment = self_.Text(TextField::kComments);
  if (comment.empty()) {
    return "[No additional 'Self-Report' comments were supplied]";
  }
  return "[Self: " + std::string(comment) + "]";
}

std::string Analysis::ObserverCommentText() const {
  if (IsObserverAbsent()) {
    return "";
  }
  const std::string_view comment = observer_.Text(TextField::kComments);
  if (comment.empty()) {
    return "{No additional 'Observer-Report' comments were supplied}";
  }
  return "{Observer: " + std::string(comment) + "}";
}

std::string Analysis::CommentsText() const {
  if (IsSelfAbsent()) {
    return ObserverCommentText();
  }
  if (IsObserverAbsent()) {
    return SelfCommentText();
  }
  return SelfCommentText() + "\r\n\r\n" + ObserverCommentText();
}

}  // namespace acv
