#include "reports/report_template.h"

#include "engine/omega.h"

namespace acv {
namespace {

// Labels that fit on one line start with a line feed, so they sit on the second line of the
// two-line row.
constexpr std::array<std::string_view, kResultRows> kRowLabels = {
    "\nGeneralised anxiety disorder",
    "\nObsessive-compulsive disorder",
    "\nPanic disorder",
    "\nPost-traumatic stress disorder",
    "\nSpecific phobia",
    "Attention-deficit/hyperactivity disorder\nhyperactive-impulsive type (#1)",
    "Attention-deficit/hyperactivity disorder\ninattentive type (#1)",
    "Attention-deficit/hyperactivity disorder\ncombined type (#1)",
    "\nConduct disorder (#2)",
    "\nOppositional defiant disorder (#2)",
    "\nExpressive language disorder (#3)",
    "Mixed receptive-expressive language\ndisorder (#3)",
    "\nPhonological disorder",
    "\nDysthymic disorder",
    "\nMajor depressive disorder",
    "\nAnorexia nervosa",
    "\nBulimia nervosa",
    "\nDisorder of written expression",
    "\nMathematics disorder",
    "\nReading disorder",
    "\nAntisocial personality disorder (#2)",
    "Asperger's disorder (#4)\n(Total score also evaluated)",
    "Autistic disorder (#4)\n(Total score also evaluated)",
    "\nTic disorder-motor (#5)",
    "\nTic disorder-vocal (#5)",
    "\nTourette's disorder (#5)",
    "Number of positive screens",
};

constexpr std::array<std::string_view, 2> kReliabilityLabels = {
    "\r\n\r\nReliability Measure (Omega Statistic)", kOmegaRangeText};

constexpr std::array<std::string_view, 5> kReliabilityHeadings = {
    "\r\nOmega\r\nCutoff", "Self-\r\nReport\r\nOmega", "Observer-\r\nReport\r\nOmega",
    "\r\nReliability\r\nAttained", "\r\n\r\nComments on Reliability"};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string_view ReportTemplate::rowLabel(int row) const {
  return kRowLabels.at(static_cast<std::size_t>(row - 1));
}

std::string_view ReportTemplate::cutoffText(int row) const {
  return ScreenTableRow(row).cutoffText;
}

std::string_view ReportTemplate::reliabilityLabel(int index) const {
  return kReliabilityLabels.at(static_cast<std::size_t>(index));
}

std::string_view ReportTemplate::reliabilityHeading(int column) const {
  return kReliabilityHeadings.at(static_cast<std::size_t>(column - 1));
}

std::string ScoreCellText(const ScreenResult& result) {
  std::string text = result.counts.size() == 1 ? "\n" : "";
  for (std::size_t i = 0; i < result.counts.size(); ++i) {
    if (i > 0) {
      text += '\n';
    }
    text += std::to_string(result.counts[i]);
  }
  return text;
}

std::string ItemsMetCellText(std::string_view selfItems, std::string_view observerItems) {
  std::string text;
  if (!selfItems.empty()) {
    text = "[" + std::string(selfItems) + "]";
  }
  if (!observerItems.empty()) {
    text += (text.empty() ? "{" : "; {") + std::string(observerItems) + "}";
  }
  return text;
}

std::string NameWithTitle(std::string_view name, std::string_view genderText) {
  std::string_view title;
  if (genderText.size() > 1) {
    title = EqualsIgnoringCase(genderText, "Male")     ? "Mr"
            : EqualsIgnoringCase(genderText, "Female") ? "Ms"
                                                       : "";
  } else if (genderText.size() == 1) {
    title = EqualsIgnoringCase(genderText, "M")   ? "Mr"
            : EqualsIgnoringCase(genderText, "F") ? "Ms"
                                                  : "";
  }
  return title.empty() ? std::string(name) : std::string(title) + " " + std::string(name);
}

std::string ObserverLineText(std::string_view observerName) {
  return observerName.empty() ? std::string() : "Observer:  " + std::string(observerName);
}

}  // namespace acv
