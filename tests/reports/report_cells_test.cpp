// The cells every report draws and the RTF writer's plain parts, without Qt.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/cp1252.h"
#include "reports/report_cells.h"
#include "reports/report_template.h"
#include "reports/rtf_report.h"
#include "support/record_builder.h"
#include "support/sample_analysis.h"
#include "support/temp_dir.h"

namespace acv {

// Failures print the text and the shading.
void PrintTo(const ReportCell& cell, std::ostream* out) {
  *out << ::testing::PrintToString(cell.text) << (cell.shaded ? " shaded" : " plain");
}

namespace {

using testing::Rate;
using testing::SampleAnalysis;
using testing::TestRecord;

// The items that make screen 1 positive, and those that make screen 15 positive.
constexpr std::initializer_list<int> kAnxietyItems = {40, 54, 98, 111, 125, 143, 176};
constexpr std::initializer_list<int> kDepressionItems = {21, 34, 43, 48, 93, 100, 102, 189, 190};

ReportCell Plain(std::string_view text) {
  return {std::string(text), false};
}
ReportCell Shaded(std::string_view text) {
  return {std::string(text), true};
}

TEST(ReportCellsTest, BothReportsOfTheSample) {
  const ReportCells cells = BuildReportCells(SampleAnalysis());
  const std::string anxiety = "40, 54, 98, 111, 125, 143, 176";
  EXPECT_EQ(
      cells.resultRow(1),
      (ReportRow{Plain("\nGeneralised anxiety disorder"), Plain(">=1\n>=3"), Shaded("2\n5"),
                 Shaded("2\n5"), Shaded("YES"), Plain("[" + anxiety + "]; {" + anxiety + "}")}));
  const ReportRow& negative = cells.resultRow(2);
  EXPECT_FALSE(negative[kSelfColumn].shaded);
  EXPECT_FALSE(negative[kObserverColumn].shaded);
  EXPECT_EQ(negative[kAttainedColumn], Plain("NO"));
  EXPECT_EQ(negative[kItemsMetColumn], Plain(""));
  EXPECT_EQ(cells.resultRow(13)[kSelfColumn], Plain("\n0"));  // a one-count screen
  EXPECT_EQ(cells.resultRow(kCountRow),
            (ReportRow{Plain("Number of positive screens"), {}, Shaded("3"), Shaded("3"), {}, {}}));

  for (const ReportCell& heading : cells.reliability[0]) {
    EXPECT_TRUE(heading.shaded) << heading.text;
  }
  EXPECT_EQ(cells.reliability[0][kDisorderColumn].text,
            "\r\n\r\nReliability Measure (Omega Statistic)");
  EXPECT_EQ(cells.reliability[0][kSelfColumn].text, "Self-\r\nReport\r\nOmega");
  EXPECT_EQ(cells.reliability[1],
            (ReportRow{Plain("Range: -1 to +1"), Plain(">=0.07"), Plain(" 0.83"), Plain(" 0.66"),
                       Shaded("YES"),
                       Plain("Both the Self-report and Observer-report were above the Omega "
                             "cutoff")}));
}

TEST(ReportCellsTest, EachReportCountsOnItsOwnAndAnAbsentOneLeavesItsColumnEmpty) {
  Analysis analysis;
  analysis.selfReport() = TestRecord(kSelfReport, {.fill = 0});
  Rate(analysis.selfReport(), kAnxietyItems, 4);
  analysis.observerReport() = TestRecord(kObserverReport, {.fill = 0});
  Rate(analysis.observerReport(), kDepressionItems, 4);
  ReportCells cells = BuildReportCells(analysis);
  EXPECT_TRUE(cells.resultRow(1)[kSelfColumn].shaded);
  EXPECT_FALSE(cells.resultRow(1)[kObserverColumn].shaded);
  EXPECT_FALSE(cells.resultRow(1)[kObserverColumn].text.empty());
  EXPECT_EQ(cells.resultRow(1)[kItemsMetColumn], Plain("[40, 54, 98, 111, 125, 143, 176]"));
  EXPECT_FALSE(cells.resultRow(15)[kSelfColumn].shaded);
  EXPECT_EQ(cells.resultRow(15)[kAttainedColumn], Shaded("YES"));
  EXPECT_EQ(cells.resultRow(15)[kItemsMetColumn],
            Plain("{21, 34, 43, 48, 93, 100, 102, 189, 190}"));

  analysis.observerReport() = ResponseRecord();
  cells = BuildReportCells(analysis);
  for (int row = 1; row <= kResultRows; ++row) {
    EXPECT_EQ(cells.resultRow(row)[kObserverColumn], ReportCell{}) << "row " << row;
  }
  EXPECT_EQ(cells.resultRow(1)[kAttainedColumn], Shaded("YES"));
  EXPECT_EQ(cells.resultRow(15)[kAttainedColumn], Plain("NO"));
  EXPECT_EQ(cells.resultRow(15)[kItemsMetColumn], Plain(""));
  EXPECT_EQ(cells.reliability[1][kObserverColumn], Plain(" "));

  // Answers that contradict each other on every repeated item: reliability not attained.
  for (const ItemPair& pair : kOmegaPairs) {
    analysis.selfReport().SetResponse(pair.first, 5);
  }
  analysis.selfReport().MarkMetItems();
  EXPECT_EQ(BuildReportCells(analysis).reliability[1][kAttainedColumn], Plain("NO"));
}

TEST(ReportCellsTest, CellTextRules) {
  EXPECT_EQ(NameWithTitle("Alex Morgan", "male"), "Mr Alex Morgan");
  EXPECT_EQ(NameWithTitle("Alex Morgan", "FEMALE"), "Ms Alex Morgan");
  EXPECT_EQ(NameWithTitle("Alex Morgan", "m"), "Mr Alex Morgan");
  EXPECT_EQ(NameWithTitle("Alex Morgan", "F"), "Ms Alex Morgan");
  EXPECT_EQ(NameWithTitle("Alex Morgan", "Not specified"), "Alex Morgan");
  EXPECT_EQ(NameWithTitle("Alex Morgan", "X"), "Alex Morgan");
  EXPECT_EQ(NameWithTitle("Alex Morgan", ""), "Alex Morgan");
  EXPECT_EQ(ObserverLineText(""), "");
  EXPECT_EQ(ObserverLineText("Jo"), "Observer:  Jo");
  EXPECT_EQ(ItemsMetCellText("", ""), "");
  EXPECT_EQ(ItemsMetCellText("1, 2", ""), "[1, 2]");
  EXPECT_EQ(ItemsMetCellText("", "3"), "{3}");
  EXPECT_EQ(ItemsMetCellText("1", "3"), "[1]; {3}");
  ScreenResult one;
  one.counts = {4};
  EXPECT_EQ(ScoreCellText(one), "\n4");
  ScreenResult three;
  three.counts = {1, 0, 2};
  EXPECT_EQ(ScoreCellText(three), "1\n0\n2");
}

// Typed braces and backslashes never open or close a group: the groups nest from the first
// byte to the last, and the cells' texts stand in the tables escaped.
TEST(RtfDocumentTest, TypedTextsNeverBreakTheGroups) {
  Analysis analysis = SampleAnalysis();
  analysis.selfReport().SetText(TextField::kFirstName, Utf8ToCp1252("Zoë }{Al"));
  analysis.selfReport().SetText(TextField::kComments, "}}} C:\\Temp\\ {{");
  analysis.observerReport().SetText(TextField::kObserverName, "\\}Jo{");
  const std::string document = RtfDocument(analysis);
  ASSERT_TRUE(document.starts_with("{\\rtf1\\ansi\\ansicpg1252"));
  int depth = 0;
  for (std::size_t i = 0; i < document.size(); ++i) {
    if (document[i] == '\\') {
      ++i;  // an escaped character or the first letter of a control word
    } else if (document[i] == '{') {
      ++depth;
    } else if (document[i] == '}' && --depth == 0) {
      EXPECT_EQ(document.substr(i + 1), "\r\n") << "the document closes only at its end";
      break;
    }
  }
  EXPECT_EQ(depth, 0);
  for (const char* shown :
       {"Zo\\'eb \\}\\{Al", "\\}\\}\\} C:\\\\Temp\\\\ \\{\\{", "\\\\\\}Jo\\{", "2\\line 5",
        "[40, 54, 98, 111, 125, 143, 176]; \\{40, 54, 98, 111, "
        "125, 143, 176\\}"}) {
    EXPECT_NE(document.find(shown), std::string::npos) << shown;
  }
}

TEST(RtfDocumentTest, TheCommandLineWritesOnlyRtfFilesAndSaysWhyItCouldNot) {
  testing::TempDir dir;
  const Analysis analysis = SampleAnalysis();
  for (const std::string& name :
       {dir.File("report.doc"), dir.File("report"), std::string(".rtf")}) {
    EXPECT_EQ(WriteRtfReportFile(name, analysis), "the report's file name must end in .rtf")
        << name;
  }
  EXPECT_EQ(WriteRtfReportFile(dir.File("report.rtf"), analysis), "");
  EXPECT_EQ(testing::ReadBytes(dir.File("report.rtf")), RtfDocument(analysis));
  EXPECT_NE(WriteRtfReportFile(dir.File("none/report.rtf"), analysis).find("none/report"),
            std::string::npos);
}

}  // namespace
}  // namespace acv
