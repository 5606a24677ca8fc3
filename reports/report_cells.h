// Every cell of the results and reliability tables of one analysis, built once and drawn by each
// report in its own way: the analysis view paints them into its grids, the printed report into
// its boxes, the RTF writer into its table rows. Plain C++ (no Qt).
//
// The cell model. A table is rows of six cells, one per `ReportColumn`. A cell is
//   - its text, code page 1252, lines split by "\n" (the reliability headings by "\r\n"); a text
//     that fills only the second line of a two-line row begins with a line feed, and the one
//     count of a one-count screen is "\n%i" so that counts line up with the cutoff lines;
//   - whether it is shaded (RGB(225,225,220) on screen, light grey on paper and in RTF);
//     everything else is plain.
// Fonts, widths, alignment and the order in which the rows are drawn are each report's own.
//
// Results table, `results[row - 1]` for rows 1 to 27:
//   rows 1..26, one per screen in the order of the screen table (ScreenTableRow(row) gives its
//   printed label and category):
//     kDisorder   the on-screen row label (ReportTemplate::rowLabel);
//     kCutoff     the cutoff text, one line per count;
//     kSelf       the Self-report's counts, one per line, shaded when its screen is positive;
//                 empty and plain when the Self-report is absent;
//     kObserver   the same for the Observer-report;
//     kAttained   "YES" and shaded when either present screen is positive, else "NO" and plain:
//                 test `shaded`, never the text;
//     kItemsMet   "[self]", "{observer}" or "[self]; {observer}" from the positive screens'
//                 items, empty when neither is positive.
//   row 27 (kCountRow): "Number of positive screens", an empty cutoff, each report's number of
//     positive screens (shaded; empty and plain when the report is absent), then two empty
//     cells.
// Reliability table, `reliability[0]` and `reliability[1]`:
//   row 0: the title "\r\n\r\nReliability Measure (Omega Statistic)" then the five headings,
//     all six shaded;
//   row 1: "Range: -1 to +1", the Omega cutoff ">=0.07", the Self and the Observer Omega texts
//     (a single blank for an absent report), the reliability-attained text (shaded exactly when
//     reliability is attained) and the comment on reliability.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/analysis.h"
#include "reports/report_template.h"

namespace acv {

enum ReportColumn : int {
  kDisorderColumn,
  kCutoffColumn,
  kSelfColumn,
  kObserverColumn,
  kAttainedColumn,
  kItemsMetColumn,
};
inline constexpr int kReportColumns = 6;

struct ReportCell {
  std::string text;
  bool shaded = false;
  friend bool operator==(const ReportCell&, const ReportCell&) = default;
};

using ReportRow = std::array<ReportCell, kReportColumns>;

struct ReportCells {
  std::array<ReportRow, kResultRows> results;  // rows 1..27 at index row - 1
  std::array<ReportRow, 2> reliability;        // the title row and the values row

  const ReportRow& resultRow(int row) const {
    return results.at(static_cast<std::size_t>(row - 1));
  }
};

// The cells of both tables for `analysis`, by the rules above.
ReportCells BuildReportCells(const Analysis& analysis);

// What every report says of the verification of the analysis's reports, one line for each
// report verified by double entry ("Self-report: Responses verified by double entry (the second
// typing by the same person, 2 differences resolved)"); none when neither is verified.
std::vector<std::string> VerificationLines(const Analysis& analysis);

}  // namespace acv
