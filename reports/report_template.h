// The fixed texts of the results and reliability tables, shared by the analysis view, the
// printed report and the RTF report, and the rules that turn one screen into its cell texts.
// Plain C++ (no Qt); texts are code page 1252.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/screens.h"

namespace acv {

inline constexpr int kScreenRows = 26;
inline constexpr int kResultRows = 27;  // 26 screens and the count of positive screens
inline constexpr int kCountRow = 27;

// The Cutoff Attained texts.
inline constexpr std::string_view kAttainedText = "YES";
inline constexpr std::string_view kNotAttainedText = "NO";

class ReportTemplate {
 public:
  // Results row 1..27.
  std::string_view rowLabel(int row) const;
  // Results row 1..26; one line per count the row shows.
  std::string_view cutoffText(int row) const;
  // 0: the reliability table's title, 1: its range.
  std::string_view reliabilityLabel(int index) const;
  // The reliability table's headings of columns 1..5 (row 0).
  std::string_view reliabilityHeading(int column) const;
};

// A score cell: the counts of a screen, one per line ("\n%i", "%i\n%i" or "%i\n%i\n%i").
std::string ScoreCellText(const ScreenResult& result);
// The items-met cell: "[self]; {observer}", either part left out when empty.
std::string ItemsMetCellText(std::string_view selfItems, std::string_view observerItems);
// The name line: "Mr " or "Ms " before the name when the gender text gives a title.
std::string NameWithTitle(std::string_view name, std::string_view genderText);
// "Observer:  NAME", or the empty text for no observer.
std::string ObserverLineText(std::string_view observerName);

}  // namespace acv
