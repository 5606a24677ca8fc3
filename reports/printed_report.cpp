#include "reports/printed_report.h"

#include <array>

#include <QPainter>
#include <QStringList>

#include "engine/analysis.h"
#include "reports/printed_report_texts.h"
#include "reports/report_cells.h"
#include "reports/report_page.h"
#include "reports/report_template.h"
#include "ui/product.h"
#include "ui/text.h"

namespace acv {
namespace {

// The results tables of pages 2 to 5: left edge and the widths of the six columns (Disorder,
// Positive Screen Cutoff, Self-Report Score, Observer-Report Score, Cutoff Attained, Positive
// Screen Items Met).
constexpr double kTableLeft = 0.5;
constexpr std::array<double, 6> kColumnWidths = {2.25, 0.725, 0.725, 0.725, 0.725, 2.0};
constexpr double kTableRight = kTableLeft + 2.25 + 4 * 0.725 + 2.0;

constexpr double kHeaderRowHeight = 0.5;
constexpr double kCategoryRowHeight = 0.3;

// The left edge of column `column`.
double ColumnLeft(std::size_t column) {
  double left = kTableLeft;
  for (std::size_t i = 0; i < column; ++i) {
    left += kColumnWidths[i];
  }
  return left;
}

const std::array<const char*, 6> kColumnHeaders = {
    "\r\nDisorder\r\n# indicates mutually exclusive screens",
    "Positive\r\nScreen\r\nCutoff",
    "Self-\r\nReport\r\nScore",
    "Observer-\r\nReport\r\nScore",
    "\r\nCutoff Attained",
    "Positive Screen Items Met\r\n[Self-Report Items Met]\r\n{Observer-Report Items Met}",
};

// Where each screen's row sits: its page, top and height in inches. A category row of its own
// precedes the first screen of each category, directly above it.
struct RowPlace {
  int page;
  int row;
  double top;
  double height;
};

constexpr RowPlace kRowPlaces[] = {
    {2, 1, 5.9, 0.8},  {2, 2, 6.7, 0.8},  {2, 3, 7.5, 0.8},  {2, 4, 8.3, 1.0},  {2, 5, 9.3, 0.8},
    {3, 6, 1.8, 0.8},  {3, 7, 2.6, 0.8},  {3, 8, 3.4, 0.8},  {3, 9, 4.2, 0.6},  {3, 10, 4.8, 1.0},
    {3, 11, 6.1, 0.7}, {3, 12, 6.8, 0.7}, {3, 13, 7.5, 0.6}, {3, 14, 8.4, 0.8}, {3, 15, 9.2, 0.8},
    {4, 16, 1.8, 0.6}, {4, 17, 2.4, 0.6}, {4, 18, 3.3, 0.8}, {4, 19, 4.1, 0.8}, {4, 20, 4.9, 0.8},
    {4, 21, 6.0, 0.6}, {4, 22, 6.9, 1.0}, {4, 23, 7.9, 1.0}, {5, 24, 1.8, 0.8}, {5, 25, 2.6, 0.8},
    {5, 26, 3.4, 0.8},
};

// The column-header row's top on each results page.
double HeaderRowTop(int page) {
  return page == 2 ? 5.1 : 1.0;
}

// One line of `text` per stacked part of a cell.
QStringList Lines(const std::string& text) {
  return toQt(text).split(QLatin1Char('\n'));
}

// The printed label of a screen: the screen table's, with the second line some on-screen
// labels carry ("(Total score also evaluated)").
QString PrintedLabel(int row, const ReportCell& onScreen) {
  QString label = toQt(ScreenTableRow(row).label);
  if (const auto note = onScreen.text.find("\n("); note != std::string::npos) {
    label += toQt(onScreen.text.substr(note));
  }
  return label;
}

Fill Shade(bool shaded) {
  return shaded ? Fill::kLightGrey : Fill::kNone;
}

void DrawFooter(ReportPage& page, int number) {
  const bool resultsPage = number < kFirstReadingPage;
  if (resultsPage) {
    page.PrintAt(10.2, 0, kCentre | kSingleLine, 8, QStringLiteral("Adult Corvantis Report Form "));
  }
  page.DrawLine(10.4, 0.5, 10.4, 7.75, 1);
  page.PrintAt(10.45, 0, kCentre | kSingleLine, 8, QString::number(number));
  page.PrintAt(10.6, resultsPage ? 0.5 : 0, (resultsPage ? kPlain : kCentre) | kSingleLine, 8,
               toQt(product::kCreditLine));
}

void DrawColumnHeaders(ReportPage& page, double top) {
  for (std::size_t column = 0; column < kColumnWidths.size(); ++column) {
    const double left = ColumnLeft(column);
    const ReportBox box = page.AddBox(top, left, top + kHeaderRowHeight,
                                      left + kColumnWidths[column], Fill::kLightGrey);
    page.PrintInBox(box, 0.05, 0, kBold | kCentre, 9, QString::fromLatin1(kColumnHeaders[column]));
  }
}

void DrawCategoryRow(ReportPage& page, double top, std::string_view category) {
  const ReportBox box =
      page.AddBox(top, kTableLeft, top + kCategoryRowHeight, kTableRight, Fill::kLightGrey);
  page.PrintInBox(box, 0.1, 0.1, kBold | kSingleLine | kVCentre, 10, toQt(category));
}

// A cell divided into two or three stacked parts, one line of `lines` printed in each; or, for
// a one-value row's count (`once`), its value printed once near the top of the divided cell.
void DrawStackedCell(ReportPage& page, double top, std::size_t column, double height, int parts,
                     const ReportCell& content, bool once = false) {
  const Fill fill = Shade(content.shaded);
  const QStringList lines = Lines(content.text);
  const double left = ColumnLeft(column);
  const double width = kColumnWidths[column];
  const ReportBox cell = page.AddBox(top, left, top + height, left + width, fill);
  std::array<ReportBox, 3> part = {cell, cell, cell};
  for (int i = 1; i < parts; ++i) {
    const double partTop = height * i / parts;
    part[static_cast<std::size_t>(i)] = page.AddSubBox(
        cell, partTop, 0, i + 1 < parts ? height * (i + 1) / parts : height, width, fill);
  }
  // The first value sits a little below the cell's top; the others at their part's top, the
  // second of three a little lower.
  const std::array<double, 3> rows = {parts == 3 ? 0.15 : 0.1, parts == 3 ? 0.075 : 0, 0};
  if (once) {
    page.PrintInBox(cell, rows[0], 0, kBold | kCentre, 8, lines.join(QString()));
    return;
  }
  for (int i = 0; i < parts && i < lines.size(); ++i) {
    const auto at = static_cast<std::size_t>(i);
    page.PrintInBox(part[at], rows[at], 0, kBold | kCentre, 8, lines[i]);
  }
}

void DrawResultRow(ReportPage& page, const RowPlace& place, const ReportRow& cells) {
  const double top = place.top;
  const double bottom = top + place.height;
  const QStringList cutoff = Lines(cells[kCutoffColumn].text);
  const int parts = cutoff.size() == 3 ? 3 : 2;
  const bool oneValue = cutoff.front().isEmpty();
  const double textRow = oneValue ? 0.1 : 0.15;

  const ReportBox disorder = page.AddBox(top, ColumnLeft(0), bottom, ColumnLeft(1), Fill::kNone);
  page.PrintInBox(disorder, textRow, 0.1, kBold | kVCentre, 8,
                  PrintedLabel(place.row, cells[kDisorderColumn]));
  for (const std::size_t column : {kCutoffColumn, kSelfColumn, kObserverColumn}) {
    DrawStackedCell(page, top, column, place.height, parts, cells[column],
                    oneValue && column != kCutoffColumn);
  }
  const ReportCell& attained = cells[kAttainedColumn];
  const ReportBox attainedBox =
      page.AddBox(top, ColumnLeft(4), bottom, ColumnLeft(5), Shade(attained.shaded));
  page.PrintInBox(attainedBox, 0, 0, kBold | kCentre | kSingleLine | kVCentre, 8,
                  toQt(attained.text));
  const ReportBox items = page.AddBox(top, ColumnLeft(5), bottom, kTableRight, Fill::kNone);
  page.PrintInBox(items, parts == 3 ? 0.15 : 0.1, 0.1, kBold | kVCentre, 8,
                  toQt(cells[kItemsMetColumn].text));
}

void DrawResultsTable(ReportPage& page, int pageNumber, const ReportCells& cells) {
  DrawColumnHeaders(page, HeaderRowTop(pageNumber));
  std::string_view category;
  for (const RowPlace& place : kRowPlaces) {
    const std::string_view rowCategory = ScreenTableRow(place.row).category;
    if (place.page == pageNumber) {
      if (rowCategory != category) {
        DrawCategoryRow(page, place.top - kCategoryRowHeight, rowCategory);
      }
      DrawResultRow(page, place, cells.resultRow(place.row));
    }
    category = rowCategory;
  }
}

// A summary row of page 5: six boxes, shaded throughout for the count row and the reliability
// headings, plain for the reliability values.
void DrawSummaryRow(ReportPage& page, double top, double height, const ReportRow& cells,
                    bool shaded) {
  for (std::size_t column = 0; column < kColumnWidths.size(); ++column) {
    const double left = ColumnLeft(column);
    const ReportBox box = page.AddBox(top, left, top + height, left + kColumnWidths[column],
                                      shaded ? Fill::kLightGrey : Fill::kNone);
    const QString text = toQt(cells[column].text);
    if (column == 0 || column + 1 == kColumnWidths.size()) {
      page.PrintInBox(box, 0.05, 0.1, kBold | kVCentre, 9, text);
    } else {
      page.PrintInBox(box, 0.05, 0, kBold | kCentre | kVCentre, 9, text);
    }
  }
}

void DrawCoverPage(ReportPage& page) {
  const double below = page.PrintAt(1.0, 0, kBold | kUnderline | kCentre | kSingleLine, 12,
                                    QStringLiteral("Strictly Confidential"));
  page.DrawBitmapFile(1.9, 2.81, 4.15, 5.17, QString::fromLatin1(kLogoPicture));
  page.DrawBitmapFile(4.8, 0.77, 6.11, 7.27, QString::fromLatin1(kReportFormPicture));
  page.SetFontFace(QStringLiteral("Garamond"));
  page.PrintAt(below + 5.75, 0, kBold | kCentre | kSingleLine, 12, toQt(product::kCreditLine));
}

struct DetailPair {
  const char* label;
  double top, left, bottom, right;  // the label box; the value box follows it on the right
  double valueLeft, valueRight;
  double roomBottom;  // the top of the next box below the value: the room its text may fill
};

// The last pair of each column has room down to the results table's column headers.
constexpr double kDetailsFoot = 5.1;

constexpr DetailPair kDetailPairs[] = {
    {"Name:", 3, 0.5, 3.25, 1.22, 1.25, 3.9, 3.4},
    {"Address:", 3.4, 0.5, 3.75, 1.22, 1.25, 3.9, 4},
    {"Phone:", 4, 0.5, 4.25, 1.22, 1.25, 3.9, 4.5},
    {"Observer:", 4.5, 0.5, 4.75, 1.22, 1.25, 3.9, kDetailsFoot},
    {"Gender:", 3, 4, 3.25, 5.22, 5.25, 7.4, 3.4},
    {"Date of Birth:", 3.4, 4, 3.65, 5.22, 5.25, 7.4, 3.8},
    {"Age at Completion:", 3.8, 4, 4.05, 5.22, 5.25, 7.4, 4.2},
    {"Completion Date:", 4.2, 4, 4.45, 5.22, 5.25, 7.4, kDetailsFoot},
};

// Where the line on the verification by double entry starts, below the completion date.
constexpr double kVerificationTop = 4.5;

// The observer's pair is left out when the analysis names no observer.
constexpr std::size_t kObserverPair = 3;

constexpr const char* kOutlineLines[] = {
    "The Adult Corvantis (ACV) is an instrument comprising screening criteria for 23 of the most "
    "common disorders found in adults.",
    "The screening criteria of the ACV closely resemble the diagnostic criteria listed in the "
    "Diagnostic and Statistical Manual of Mental",
    "Disorders-Fourth Edition-Text Revision (DSM-IV-TR; American Psychiatric Association 2000).  ",
    "It is important to note that a positive screen for any of the disorders does not indicate a "
    "formal diagnosis. It merely indicates that the",
    "individual has met sufficient criteria for a disorder to warrant further investigation by an "
    "appropriate health professional.",
};
constexpr std::array<double, 5> kOutlineRows = {1.2, 1.5, 1.65, 1.95, 2.1};

void DrawDetailsPage(ReportPage& page, const Analysis& analysis, const ReportCells& cells) {
  const ReportBox outline = page.AddBox(0, 0.5, 3, 7.4, Fill::kNone);
  const ReportBox outlineHeading = page.AddBox(0.8, 0.5, 1.1, 7.4, Fill::kLightGrey);
  page.PrintInBox(outlineHeading, 0.07, 0, kBold | kCentre | kSingleLine, 9,
                  QStringLiteral("BRIEF OUTLINE OF THE ACV"));
  for (std::size_t i = 0; i < kOutlineRows.size(); ++i) {
    page.PrintInBox(outline, kOutlineRows[i], 0.1, kSingleLine, 9,
                    QString::fromLatin1(kOutlineLines[i]));
  }
  const ReportBox resultsHeading = page.AddBox(2.5, 0.5, 2.8, 7.4, Fill::kLightGrey);
  page.PrintInBox(resultsHeading, 0.07, 0, kBold | kCentre | kSingleLine, 9,
                  QStringLiteral("ACV RESULTS"));

  const std::string observer = analysis.ObserverNameText();
  const std::array<std::string, std::size(kDetailPairs)> values = {
      NameWithTitle(analysis.RespondentNameText(), analysis.GenderText()),
      analysis.AddressText(),
      analysis.PhoneText(),
      observer,
      analysis.GenderText(),
      analysis.BirthDateText(),
      analysis.AgeText(),
      analysis.CompletionDateText(),
  };
  for (std::size_t i = 0; i < values.size(); ++i) {
    const DetailPair& pair = kDetailPairs[i];
    if (i == kObserverPair && observer.empty()) {
      continue;
    }
    const ReportBox label =
        page.AddBox(pair.top, pair.left, pair.bottom, pair.right, Fill::kLightGrey);
    page.PrintInBox(label, 0, 0.01, kBold | kSingleLine | kVCentre, 9,
                    QString::fromLatin1(pair.label));
    page.AddBox(pair.top, pair.valueLeft, pair.bottom, pair.valueRight, Fill::kNone);
    // Not clipped: a value of several lines runs on below its frame, and is made smaller only
    // when it would reach the next box beneath.
    const ReportBox room{pair.top, pair.valueLeft, pair.roomBottom, pair.valueRight};
    page.PrintInBox(room, 0.02, 0.05, kPlain, 9, toQt(values[i]));
  }
  // Beside the details, below the completion date: the verification by double entry, if any.
  QStringList verified;
  for (const std::string& line : VerificationLines(analysis)) {
    verified << toQt(line);
  }
  if (!verified.isEmpty()) {
    const ReportBox verification{kVerificationTop, 4, kDetailsFoot, 7.4};
    page.PrintInBox(verification, 0, 0.01, kItalic, 7, verified.join(QLatin1Char('\n')));
  }
  DrawResultsTable(page, 2, cells);
}

void DrawSummaryPage(ReportPage& page, const Analysis& analysis, const ReportCells& cells) {
  DrawResultsTable(page, 5, cells);
  DrawSummaryRow(page, 4.2, 0.25, cells.resultRow(kCountRow), true);
  DrawSummaryRow(page, 4.8, 0.6, cells.reliability[0], true);
  DrawSummaryRow(page, 5.4, 0.85, cells.reliability[1], false);
  page.PrintAt(6.7, 0.5, kBold | kSingleLine, 12, QStringLiteral("Comments:"));
  // The comments keep clear of the footer.
  const ReportBox comments{6.9, 0.5, 10.1, kTableRight};
  page.PrintInBox(comments, 0, 0, kPlain, 12, toQt(analysis.CommentsText()));
}

// The reading pages' texts end above the footer; a small gap opens the box and follows each
// underlined heading.
constexpr double kReadingFlowBottom = 10.35;
constexpr double kReadingGap = 0.04;

void DrawReadingPage(ReportPage& page, int number) {
  const ReadingPage& text = ReadingPageText(number);
  const ReportBox heading = page.AddBox(0.7, 0.5, 1.0, 7.4, Fill::kLightGrey);
  page.PrintInBox(heading, 0.05, 0, kBold | kCentre | kSingleLine, 12,
                  QString::fromUtf8(text.heading));
  const ReportBox box = page.AddBox(1.0, 0.5, 10.8, 7.4, Fill::kNone);
  // The texts flow down the box, clear of the footer at its foot.
  const ReportBox flow{box.top, box.left, kReadingFlowBottom, box.right};
  double row = kReadingGap;
  for (const ReadingParagraph& paragraph : text.paragraphs) {
    switch (paragraph.kind) {
      case ReadingParagraph::kHeading:
        row = page.PrintInBox(flow, row, 0.1, kBold | kUnderline, text.headingPoints,
                              QString::fromUtf8(paragraph.text)) +
              kReadingGap;
        break;
      case ReadingParagraph::kTitle:
        row = page.PrintInBox(flow, row, 0.1, kBold, text.titlePoints,
                              QString::fromUtf8(paragraph.text));
        break;
      case ReadingParagraph::kBody:
        row = page.PrintInBox(flow, row, 0.1, kPlain, text.bodyPoints,
                              QString::fromUtf8(paragraph.text));
        row = page.PrintInBox(flow, row, 0.1, kPlain, text.spacerPoints, QStringLiteral("\r\n"));
        break;
    }
  }
}

}  // namespace

void PrintReportPage(int page, QPainter& painter, const Analysis& analysis) {
  if (page < 1 || page > kReportPageCount) {
    return;
  }
  ReportPage reportPage(painter);
  const ReportCells cells = BuildReportCells(analysis);
  switch (page) {
    case 1:
      DrawCoverPage(reportPage);
      return;
    case 2:
      DrawDetailsPage(reportPage, analysis, cells);
      break;
    case 3:
    case 4:
      DrawResultsTable(reportPage, page, cells);
      break;
    case 5:
      DrawSummaryPage(reportPage, analysis, cells);
      break;
    default: {
      const QString previous = reportPage.SetFontFace(QStringLiteral("Arial"));
      DrawReadingPage(reportPage, page);
      reportPage.SetFontFace(previous);
      break;
    }
  }
  DrawFooter(reportPage, page);
}

}  // namespace acv
