// An analysis: at most one Self-report and one Observer-report of one person, and every text the
// reports show, recomputed from the two records on each request.
#pragma once

#include <string>

#include "engine/response_record.h"
#include "engine/screens.h"

namespace acv {

enum class Report { kSelf, kObserver };

// The report a record of `reportType` is: an Observer-report is kObserver, any other kSelf.
Report ReportOfType(int reportType);

class Analysis {
 public:
  // Both reports absent.
  Analysis() = default;

  // The records; loading them (and deriving their met flags) is the caller's work.
  ResponseRecord& selfReport() { return self_; }
  const ResponseRecord& selfReport() const { return self_; }
  ResponseRecord& observerReport() { return observer_; }
  const ResponseRecord& observerReport() const { return observer_; }
  ResponseRecord& report(Report which) { return which == Report::kSelf ? self_ : observer_; }
  const ResponseRecord& report(Report which) const {
    return which == Report::kSelf ? self_ : observer_;
  }

  // A report is absent when its record's last name is empty.
  bool IsSelfAbsent() const;
  bool IsObserverAbsent() const;
  bool IsAbsent(Report which) const;

  // The screen on that report, with itemsMet emptied when the screen is negative.
  ScreenResult ScreenForReport(int row, Report which) const;
  // Empty when the report is absent; otherwise the number of positive screens.
  std::string PositiveScreenCountText(Report which) const;

  // Omega texts: a single blank for an absent report.
  std::string SelfOmegaText() const;
  std::string ObserverOmegaText() const;
  // True when a present report's Omega is above the cutoff; the text is "YES" exactly then,
  // "NO" otherwise, and a single blank with both reports absent.
  bool ReliabilityAttained() const;
  std::string ReliabilityAttainedText() const;
  std::string ReliabilityCommentText() const;

  // Details, from the Self-report when present, otherwise the Observer-report.
  std::string RespondentNameText() const;
  std::string FirstNameText() const;
  std::string LastNameText() const;
  std::string ObserverNameText() const;  // always from the Observer-report
  std::string AddressText() const;
  std::string PhoneText() const;
  std::string GenderText() const;
  std::string BirthDateText() const;
  std::string CompletionDateText() const;
  std::string AgeText() const;

  std::string SelfCommentText() const;
  std::string ObserverCommentText() const;
  std::string CommentsText() const;

 private:
  // The record the details come from: the Self-report when present, otherwise the
  // Observer-report; none with both absent.
  const ResponseRecord* DetailsRecord() const;
  std::string DetailText(TextField field) const;

  ResponseRecord self_;
  ResponseRecord observer_;
};

}  // namespace acv
