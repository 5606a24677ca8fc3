#include "reports/report_cells.h"

#include "engine/omega.h"

namespace acv {
namespace {

ReportCell Plain(std::string_view text) {
  return {std::string(text), false};
}

// A report's score cell of one screen: its counts, shaded when it is positive; empty for an
// absent report.
ReportCell ScoreCell(const ScreenResult& result, bool absent) {
  return absent ? ReportCell{} : ReportCell{ScoreCellText(result), result.positive};
}

ReportRow ScreenRow(const ReportTemplate& texts, const Analysis& analysis, int row) {
  const bool selfAbsent = analysis.IsSelfAbsent();
  const bool observerAbsent = analysis.IsObserverAbsent();
  const ScreenResult self = analysis.ScreenForReport(row, Report::kSelf);
  const ScreenResult observer = analysis.ScreenForReport(row, Report::kObserver);
  const ReportCell selfCell = ScoreCell(self, selfAbsent);
  const ReportCell observerCell = ScoreCell(observer, observerAbsent);
  const bool attained = selfCell.shaded || observerCell.shaded;
  return {Plain(texts.rowLabel(row)),
          Plain(texts.cutoffText(row)),
          selfCell,
          observerCell,
          {std::string(attained ? kAttainedText : kNotAttainedText), attained},
          Plain(ItemsMetCellText(selfAbsent ? "" : self.itemsMet,
                                 observerAbsent ? "" : observer.itemsMet))};
}

ReportRow CountRow(const ReportTemplate& texts, const Analysis& analysis) {
  const auto count = [&](Report which) {
    return analysis.IsAbsent(which) ? ReportCell{}
                                    : ReportCell{analysis.PositiveScreenCountText(which), true};
  };
  return {Plain(texts.rowLabel(kCountRow)), {}, count(Report::kSelf),
          count(Report::kObserver),         {}, {}};
}

}  // namespace

ReportCells BuildReportCells(const Analysis& analysis) {
  const ReportTemplate texts;
  ReportCells cells;
  for (int row = 1; row <= kScreenRows; ++row) {
    cells.results[static_cast<std::size_t>(row - 1)] = ScreenRow(texts, analysis, row);
  }
  cells.results[kCountRow - 1] = CountRow(texts, analysis);

  ReportRow& headings = cells.reliability[0];
  headings[0] = {std::string(texts.reliabilityLabel(0)), true};
  for (int column = 1; column < kReportColumns; ++column) {
    headings[static_cast<std::size_t>(column)] = {std::string(texts.reliabilityHeading(column)),
                                                  true};
  }
  cells.reliability[1] = {Plain(texts.reliabilityLabel(1)),
                          Plain(kOmegaCutoffText),
                          Plain(analysis.SelfOmegaText()),
                          Plain(analysis.ObserverOmegaText()),
                          {analysis.ReliabilityAttainedText(), analysis.ReliabilityAttained()},
                          Plain(analysis.ReliabilityCommentText())};
  return cells;
}

std::vector<std::string> VerificationLines(const Analysis& analysis) {
  std::vector<std::string> lines;
  for (const auto& [report, name] : {std::pair{&analysis.selfReport(), "Self-report: "},
                                     std::pair{&analysis.observerReport(), "Observer-report: "}}) {
    if (report->GetVerification()) {
      lines.push_back(name + VerificationText(report->GetVerification()));
    }
  }
  return lines;
}

}  // namespace acv
