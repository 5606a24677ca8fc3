#include "reports/rtf_report.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>
#include <vector>

#include "reports/report_cells.h"
#include "storage/format/file_status.h"
#include "storage/format/whole_file_writer.h"
#include "storage/text/messages.h"
#include "ui/product.h"

namespace acv {
namespace {

// Measures are in twips. The two tables share their column edges.
constexpr std::array<int, 6> kResultEdges = {3119, 4111, 5103, 6237, 7371, 10773};
constexpr std::array<int, 4> kDetailEdges = {1133, 5102, 6945, 10455};

constexpr std::string_view kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\\deflang3081\\deflangfe3081\r\n"
    "{\\fonttbl{\\f0\\froman\\fcharset0\\fprq2 Times New Roman;}"
    "{\\f2\\fmodern\\fcharset0\\fprq1 Courier New;}"
    "{\\f36\\froman\\fcharset0\\fprq2 Garamond;}"
    "{\\f37\\froman\\fcharset238\\fprq2 Times New Roman CE;}"
    "{\\f38\\froman\\fcharset204\\fprq2 Times New Roman Cyr;}"
    "{\\f40\\froman\\fcharset161\\fprq2 Times New Roman Greek;}"
    "{\\f47\\fmodern\\fcharset238\\fprq1 Courier New CE;}"
    "{\\f48\\fmodern\\fcharset204\\fprq1 Courier New Cyr;}"
    "{\\f397\\froman\\fcharset238\\fprq2 Garamond CE;}"
    "{\\f398\\froman\\fcharset204\\fprq2 Garamond Cyr;}}\r\n"
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue255;"
    "\\red0\\green255\\blue0;\\red255\\green0\\blue255;\\red255\\green0\\blue0;"
    "\\red255\\green255\\blue0;\\red255\\green255\\blue255;\\red0\\green0\\blue128;"
    "\\red0\\green128\\blue128;\\red0\\green128\\blue0;\\red128\\green0\\blue128;"
    "\\red128\\green0\\blue0;\\red128\\green128\\blue0;\\red128\\green128\\blue128;"
    "\\red192\\green192\\blue192;\\red153\\green153\\blue153;\\red255\\green255\\blue255;"
    "\\red230\\green230\\blue230;}\r\n"
    "{\\stylesheet{\\ql\\widctlpar\\fs24\\lang3081 \\snext0 Normal;}\r\n"
    "{\\s1\\ql\\keepn\\widctlpar\\outlinelevel0\\b\\fs16 \\sbasedon0 \\snext0 heading 1;}\r\n"
    "{\\s2\\ql\\keepn\\widctlpar\\outlinelevel1\\b\\fs20\\cf8 \\sbasedon0 \\snext0 heading 2;}\r\n"
    "{\\s3\\ql\\keepn\\widctlpar\\outlinelevel2\\b\\fs20 \\sbasedon0 \\snext0 heading 3;}\r\n"
    "{\\*\\cs10 \\additive Default Paragraph Font;}\r\n"
    "{\\s15\\ql\\widctlpar\\tqc\\tx4320\\tqr\\tx8640\\fs24 \\sbasedon0 \\snext15 header;}\r\n"
    "{\\s16\\ql\\widctlpar\\tqc\\tx4320\\tqr\\tx8640\\fs24 \\sbasedon0 \\snext16 footer;}\r\n"
    "{\\*\\ts11\\tsrowd\\trftsWidthB3\\trpaddl108\\trpaddr108\\trpaddfl3\\trpaddfr3"
    "\\tscellwidthfts0\\tsvertalt\\ql\\fs20 \\snext11 \\ssemihidden Normal Table;}\r\n"
    "{\\*\\ts12\\tsrowd\\trbrdrt\\brdrs\\brdrw10\\trbrdrl\\brdrs\\brdrw10\\trbrdrb\\brdrs"
    "\\brdrw10\\trbrdrr\\brdrs\\brdrw10\\trbrdrh\\brdrs\\brdrw10\\trbrdrv\\brdrs\\brdrw10"
    "\\trpaddl108\\trpaddr108\\trpaddfl3\\trpaddfr3\\ql\\fs20 \\sbasedon11 \\snext12 Table "
    "Grid;}}\r\n"
    "{\\info{\\title Strictly Confidential}{\\author VELT}{\\operator VELT}}\r\n"
    "\\paperw11907\\paperh16840\\margl851\\margr709\\margb1985\\widowctrl\\ftnbj\\aenddoc"
    "\\formshade\\viewkind1\\viewscale100\r\n"
    "\\sectd\\pgwsxn11907\\pghsxn16840\\marglsxn851\\margrsxn709\\margbsxn1985\\headery709"
    "\\footery709\\titlepg\\sectdefaultcl\r\n";

// The footer of every page after the first.
constexpr std::string_view kFooterStart =
    "{\\footer \\pard\\plain \\s16\\qc\\widctlpar\\tqc\\tx4320\\tqr\\tx8640\\f36\\fs22 "
    "{\\i Adult Corvantis} Report Form\\par\r\n"
    "\\pard\\plain \\s16\\qc\\widctlpar\\brdrb\\brdrs\\brdrw10\\brsp20 \\fs8 \\par\r\n"
    "\\pard\\plain \\s16\\qc\\widctlpar\\fs20 {\\field{\\*\\fldinst { PAGE }}{\\fldrslt "
    "{2}}}\\par\r\n"
    "\\pard\\plain \\s16\\ql\\widctlpar\\fs20 ";
constexpr std::string_view kFooterEnd = "\\par}\r\n";

constexpr std::string_view kOutline =
    "\\pard\\plain \\qc\\widctlpar\\fs24 {\\b BRIEF OUTLINE OF THE }{\\b\\i ACV}\\par\r\n"
    "\\pard\\plain \\qj\\widctlpar\\sb120\\sa120\\fs22 The {\\i Adult Corvantis} ({\\i ACV}) is "
    "an instrument comprising screening criteria for 23 of the most common disorders found in "
    "adults.\\par\r\n"
    "The screening criteria of the {\\i ACV} closely resemble the diagnostic criteria listed in "
    "the {\\i Diagnostic and Statistical Manual of Mental Disorders-Fourth Edition-Text "
    "Revision} ({\\i DSM-IV-TR}; APA, 2000).\\par\r\n"
    "It is important to note that a positive screen for any of the disorders does not indicate "
    "a formal diagnosis. It merely indicates that the individual has met sufficient criteria for "
    "a disorder to warrant further investigation by an appropriate professional.\\par\r\n"
    "\\pard\\plain \\qc\\widctlpar\\fs24 \\par {\\b\\i ACV}{\\b  RESULTS}\\par\r\n"
    "\\pard\\plain \\ql\\widctlpar\\fs24 \\par\r\n";

// A table cell: its paragraphs, plain code page 1252 text with "\n" between the lines of one.
struct Cell {
  std::vector<std::string> paragraphs;
  bool centred = false;
  bool shaded = false;  // light grey
  bool dark = false;    // black with white bold text
  bool bold = false;
};

// A table row; a `spanned` row merges its cells into the first, so that it keeps the table's
// columns and the table stays one table.
struct Row {
  std::vector<Cell> cells;
  bool spanned = false;
};

// Where a word processor puts the rows, estimated from above. LibreOffice does not repeat a
// header row (it ignores \trhdr), so the results table is written in page-sized parts that each
// start with the header row, and the parts are cut where these estimates say a page is full.
// Each estimate errs on the large side, so a page may end a little early rather than a part run
// over it. Measures are in twips.
constexpr int kTableLeft = -108;
constexpr int kCellPadding = 108;
constexpr int kPageBody = 16840 - 1440 - 1985;  // A4 less the default top and our bottom margin
constexpr int kLineHeight = 240;                // a line of 10-point text takes 230
constexpr int kRowRule = 20;                    // the borders of a row
constexpr int kParagraphHeight = 300;           // the empty 12-point paragraph after a table
constexpr int kOutlineHeight = 3800;  // page 2 down to the details (the outline takes 3600)

// The width of a 10-point character: the digits as 1/2 em (as in every Times face), the narrow
// ones as 1/3 em, capitals and the widest small letters as 7/9 em, the rest as 5/9 em.
int CharWidth(unsigned char c) {
  if (c >= '0' && c <= '9') {
    return 100;
  }
  if (std::string_view(" ,.;:'!|()[]-/iljtfrI").find(static_cast<char>(c)) !=
      std::string_view::npos) {
    return 67;
  }
  if ((c >= 'A' && c <= 'Z') || c == 'm' || c == 'w' || c == '@' || c == '%' || c >= 0x80) {
    return 156;
  }
  return 111;
}

// The pieces of `text` between each `separator` (one piece more than there are separators).
std::vector<std::string_view> Pieces(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(separator, start);
    pieces.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) {
      return pieces;
    }
    start = end + 1;
  }
}

// The lines `text` fills in a column `width` wide, each of its lines broken between words.
int EstimatedLines(std::string_view text, int width) {
  int lines = 0;
  for (const std::string_view line : Pieces(text, '\n')) {
    ++lines;
    int used = -1;  // nothing on the line yet
    for (const std::string_view word : Pieces(line, ' ')) {
      int wide = 0;
      for (const char c : word) {
        wide += CharWidth(static_cast<unsigned char>(c));
      }
      if (used >= 0 && used + CharWidth(' ') + wide <= width) {
        used += CharWidth(' ') + wide;
        continue;
      }
      lines += used >= 0 ? 1 : 0;
      lines += std::max(0, wide - 1) / width;  // a word wider than the column is broken
      used = wide - std::max(0, wide - 1) / width * width;
    }
  }
  return std::max(lines, 1);
}

int RowHeight(const Row& row, const std::vector<int>& edges) {
  int lines = 1;
  int left = kTableLeft;
  for (std::size_t i = 0; i < row.cells.size(); ++i) {
    const int right = row.spanned ? edges.back() : edges[i];
    int cellLines = 0;
    for (const std::string& paragraph : row.cells[i].paragraphs) {
      cellLines += EstimatedLines(paragraph, right - left - 2 * kCellPadding);
    }
    lines = std::max(lines, cellLines);
    left = right;
  }
  return lines * kLineHeight + kRowRule;
}

// The cell properties of the bordered tables.
std::string Borders() {
  return "\\clbrdrt\\brdrs\\brdrw10 \\clbrdrl\\brdrs\\brdrw10 \\clbrdrb\\brdrs\\brdrw10 "
         "\\clbrdrr\\brdrs\\brdrw10 ";
}

// One row of a table from -108, its cells' right edges `edges`. `header` repeats it at the top
// of every page the table runs over (where the word processor does so); `paragraphProperties`
// are added to each of its paragraphs.
std::string TableRow(const Row& row, const std::vector<int>& edges, bool borders,
                     bool header = false, std::string_view paragraphProperties = {}) {
  std::string rtf = "\\trowd \\irow0\\trgaph108\\trleft-108\\trkeep";
  rtf += header ? "\\trhdr" : "";
  rtf += "\\trpaddl108\\trpaddr108\\trpaddfl3\\trpaddfr3\r\n";
  for (std::size_t i = 0; i < row.cells.size(); ++i) {
    rtf += row.spanned ? (i == 0 ? "\\clmgf" : "\\clmrg") : "";
    rtf += "\\clvertalt";
    rtf += borders ? Borders() : std::string();
    if (row.cells[i].dark) {
      rtf += "\\clcbpat1";
    } else if (row.cells[i].shaded) {
      rtf += "\\clcbpat19";
    }
    rtf += "\\cellx" + std::to_string(edges[i]) + "\r\n";
  }
  for (const Cell& cell : row.cells) {
    rtf += "\\pard\\plain \\intbl\\widctlpar";
    rtf += paragraphProperties;
    rtf += cell.centred ? "\\qc" : "\\ql";
    rtf += "\\fs20";
    rtf += cell.dark ? "\\cf8\\b" : (cell.bold ? "\\b" : "");
    rtf += " ";
    for (std::size_t i = 0; i < cell.paragraphs.size(); ++i) {
      rtf += (i == 0 ? "" : "\\par ") + RtfText(cell.paragraphs[i]);
    }
    rtf += "\\cell\r\n";
  }
  rtf += "\\pard\\plain \\intbl\\widctlpar";
  rtf += paragraphProperties;
  rtf += "\\fs20 \\row\r\n";
  return rtf;
}

std::vector<int> Edges(std::span<const int> edges) {
  return {edges.begin(), edges.end()};
}

// `text`'s lines split at each CR LF; at most `count`, missing ones empty.
std::vector<std::string> Lines(std::string_view text, std::size_t count) {
  std::vector<std::string> lines;
  while (lines.size() < count) {
    const std::size_t end = text.find("\r\n");
    lines.emplace_back(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 2);
  }
  return lines;
}

std::string TitlePage() {
  std::string page =
      "\\pard\\plain \\qc\\widctlpar\\fs24 \\par\\par\\par\\par\r\n"
      "{\\b\\ul\\cf17 Strictly Confidential}\\par\\par\\par\\par\r\n"
      "\\trowd \\irow0\\trgaph108\\trleft1276\\trkeep\r\n"
      "\\clvertalc\\clcbpat1\\cellx9072\r\n"
      "\\pard\\plain \\intbl\\qc\\widctlpar\\sb240\\f36\\fs48\\b\\cf8 Adult Corvantis\\par\r\n"
      "\\pard\\plain \\intbl\\qc\\widctlpar\\sa240\\f36\\fs32\\b\\cf8 Report Form\\cell\r\n"
      "\\pard\\plain \\intbl\\widctlpar\\fs24 \\row\r\n"
      "\\pard\\plain \\qc\\widctlpar\\fs24 \\par\\par\\par\r\n";
  page += "{\\b " + RtfText(product::kCreditLine) + "}\\par\\par\\par\\par\r\n";
  page += "{\\f36 " + RtfText(product::kWebAddress) + "}\\par\\par\\par\r\n";
  page += "\\pard\\plain \\ql\\widctlpar\\fs24 \\page\r\n";
  return page;
}

// The paragraph that ends a table.
constexpr std::string_view kAfterTable = "\\pard\\plain \\ql\\widctlpar\\fs24 \\par\r\n";

std::vector<Row> DetailsRows(const Analysis& analysis) {
  const auto label = [](std::string_view text) {
    return Cell{{std::string(text)}, false, false, false, true};
  };
  const auto value = [](std::string text) { return Cell{{std::move(text)}}; };
  return {
      {{label("Name:"), value(analysis.RespondentNameText()), label("Gender:"),
        value(analysis.GenderText())}},
      {{label("Address:"), Cell{Lines(analysis.AddressText(), 3)}, label("Date of Birth:"),
        value(analysis.BirthDateText())}},
      {{label("Phone:"), Cell{Lines(analysis.PhoneText(), 2)}, label("Age at Completion:"),
        value(analysis.AgeText())}},
      {{label("Observer:"), value(analysis.ObserverNameText()), label("Completion Date:"),
        value(analysis.CompletionDateText())}},
  };
}

// Under the details, one row across the table for the verification, when a report has one.
std::vector<Row> VerificationRows(const Analysis& analysis) {
  std::vector<std::string> lines = VerificationLines(analysis);
  if (lines.empty()) {
    return {};
  }
  return {{{Cell{std::move(lines)}, Cell{}, Cell{}, Cell{}}, true}};
}

// The printed report's label of screen `row`: the attention-deficit labels without their comma,
// the pervasive developmental ones with their second line.
std::string RtfReportLabel(int row) {
  const ScreenInfo& screen = ScreenTableRow(row);
  std::string label(screen.label);
  if (const std::size_t comma = label.find("disorder, "); comma != std::string::npos) {
    label.erase(comma + 8, 1);
  }
  if (screen.category == "PERVASIVE DEVELOPMENTAL DISORDERS") {
    label += "\n(Total score also evaluated)";
  }
  return label;
}

// The category headings as this document writes them.
std::string_view RtfCategory(std::string_view category) {
  return category == "ATTENTION DEFICIT and DISRUPTIVE BEHAVIOUR DISORDERS"
             ? "ATTENTION-DEFICIT and DISRUPTIVE BEHAVIOUR DISORDERS"
             : category;
}

// A cell text of several lines without a leading empty line.
std::string LinesCell(std::string_view text) {
  if (text.starts_with('\n')) {
    text.remove_prefix(1);
  }
  return std::string(text);
}

// The results table below `top`, the height already taken on its first page. A category
// heading is kept on the page of its first screen.
std::string ResultsTable(const ReportCells& cells, int top) {
  const std::vector<int> edges = Edges(kResultEdges);
  const auto heading = [](std::string text) { return Cell{{std::move(text)}, true, false, true}; };
  const Row header = {{heading("Disorder\n# Indicates mutually exclusive screens"),
                       heading("Positive Screen Cutoff"), heading("Self-Report Score"),
                       heading("Observer-Report Score"), heading("\nCutoff Attained"),
                       heading("Positive Screen Items Met\n[Self Report Items met]\n{Observer "
                               "Report Items met}")}};
  std::vector<Row> rows;
  std::string_view category;
  for (int row = 1; row <= kScreenCount; ++row) {
    const ScreenInfo& screen = ScreenTableRow(row);
    if (screen.category != category) {
      category = screen.category;
      std::vector<Cell> title(kResultEdges.size(), Cell{{""}, false, true, false, true});
      title[0].paragraphs = {std::string(RtfCategory(category))};
      rows.push_back({title, true});
    }
    const ReportRow& cell = cells.resultRow(row);
    const auto centred = [&](ReportColumn column) {
      return Cell{{LinesCell(cell[column].text)}, true, cell[column].shaded};
    };
    rows.push_back(
        {{Cell{{RtfReportLabel(row)}}, centred(kCutoffColumn), centred(kSelfColumn),
          centred(kObserverColumn), centred(kAttainedColumn), Cell{{cell[kItemsMetColumn].text}}}});
  }
  Row count;
  for (const ReportCell& cell : cells.resultRow(kCountRow)) {
    count.cells.push_back({{cell.text}, !count.cells.empty(), true, false, true});
  }
  rows.push_back(count);

  std::string table = TableRow(header, edges, true, true);
  int used = top + RowHeight(header, edges);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    int needed = RowHeight(rows[i], edges);
    if (rows[i].spanned) {  // a category heading, which needs room for its first screen too
      needed += RowHeight(rows[i + 1], edges);
    }
    if (used + needed > kPageBody) {
      // The part ends; a paragraph that starts a page starts the next one.
      table += "\\pard\\plain \\ql\\widctlpar\\pagebb\\fs2 \\par\r\n";
      table += TableRow(header, edges, true, true);
      used = RowHeight(header, edges);
    }
    table += TableRow(rows[i], edges, true);
    used += RowHeight(rows[i], edges);
  }
  return table + std::string(kAfterTable);
}

// The reliability table; its header row is kept on the page of its values.
std::string ReliabilityTable(const ReportCells& cells) {
  const std::vector<int> edges = Edges(kResultEdges);
  const auto heading = [](std::string text, bool centred) {
    return Cell{{std::move(text)}, centred, false, true};
  };
  std::string table = TableRow(
      {{heading("\nReliability Measure\n(Omega Statistic)", false), heading("\nOmega Cutoff", true),
        heading("Self- Report Omega", true), heading("Observer- Report Omega", true),
        heading("\nReliability Attained", true), heading("\n\nComments on Reliability", false)}},
      edges, true, true, "\\keepn");
  const ReportRow& values = cells.reliability[1];
  const auto centred = [&](ReportColumn column) {
    return Cell{{values[column].text}, true, values[column].shaded};
  };
  // This document gives the cutoff as ">0.07".
  table += TableRow(
      {{Cell{{values[kDisorderColumn].text}}, Cell{{">0.07"}, true}, centred(kSelfColumn),
        centred(kObserverColumn), centred(kAttainedColumn), Cell{{values[kItemsMetColumn].text}}}},
      edges, true);
  return table + std::string(kAfterTable);
}

std::string Comments(const Analysis& analysis) {
  return "\\pard\\plain \\ql\\widctlpar\\fs24 {\\b Comments:}\\par\r\n"
         "\\pard\\plain \\ql\\widctlpar\\sa120\\fs18 " +
         RtfText(analysis.SelfCommentText()) + "\\par\r\n" +
         RtfText(analysis.ObserverCommentText()) + "\\par\r\n";
}

}  // namespace

std::string RtfText(std::string_view text) {
  std::string rtf;
  rtf.reserve(text.size() + 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\\' || c == '{' || c == '}') {
      rtf += '\\';
      rtf += static_cast<char>(c);
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
        ++i;
      }
      rtf += "\\line ";
    } else if (c == '\t') {
      rtf += "\\tab ";
    } else if (c >= 0x80) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\'%02x", c);
      rtf += escaped;
    } else if (c >= 0x20 && c != 0x7f) {
      rtf += static_cast<char>(c);
    }
  }
  return rtf;
}

std::string RtfDocument(const Analysis& analysis) {
  std::string document(kHeader);
  document += kFooterStart;
  document += RtfText(product::kCreditLine);
  document += kFooterEnd;
  document += TitlePage();
  document += kOutline;
  const std::vector<int> detailEdges = Edges(kDetailEdges);
  int top = kOutlineHeight + kParagraphHeight;
  std::vector<Row> details = DetailsRows(analysis);
  for (Row& row : VerificationRows(analysis)) {
    details.push_back(std::move(row));
  }
  for (const Row& row : details) {
    document += TableRow(row, detailEdges, false);
    top += RowHeight(row, detailEdges);
  }
  document += kAfterTable;
  const ReportCells cells = BuildReportCells(analysis);
  document += ResultsTable(cells, top);
  document += ReliabilityTable(cells);
  document += Comments(analysis);
  document += "}\r\n";
  return document;
}

RtfSaveOutcome SaveRtfReport(const Analysis& analysis, const std::string& name,
                             const std::function<bool()>& replaceExisting) {
  const std::string fileName = name + std::string(kRtfSuffix);
  WholeFileWriter file;
  FileStatus opened = file.Open(fileName, false);
  if (opened == FileStatus::kFileExists) {
    if (!replaceExisting()) {
      return {RtfSaveResult::kDeclined, FileStatus::kOk};
    }
    opened = file.Open(fileName, true);
  }
  if (opened != FileStatus::kOk) {
    return {RtfSaveResult::kOpenError, opened};
  }
  // The document's own line ends are CR LF; the file adds them line by line.
  const std::string document = RtfDocument(analysis);
  std::string_view rest = document;
  while (!rest.empty()) {
    const std::size_t end = rest.find("\r\n");
    if (const FileStatus written = file.WriteLine(rest.substr(0, end));
        written != FileStatus::kOk) {
      return {RtfSaveResult::kWriteError, written};  // the file abandons the new document
    }
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
  }
  if (const FileStatus committed = file.Commit(); committed != FileStatus::kOk) {
    return {RtfSaveResult::kWriteError, committed};
  }
  return {RtfSaveResult::kSaved, FileStatus::kOk};
}

UserMessage RtfFailureMessage(const RtfSaveOutcome& outcome, const std::string& name) {
  return outcome.result == RtfSaveResult::kWriteError ? RtfWriteFailureMessage(outcome.code, name)
                                                      : RtfSaveFailureMessage(outcome.code, name);
}

std::string WriteRtfReportFile(const std::string& path, const Analysis& analysis) {
  if (path.size() <= kRtfSuffix.size() || !path.ends_with(kRtfSuffix)) {
    return "the report's file name must end in .rtf";
  }
  const std::string name = path.substr(0, path.size() - kRtfSuffix.size());
  const RtfSaveOutcome outcome = SaveRtfReport(analysis, name, [] { return true; });
  return outcome.result == RtfSaveResult::kSaved ? std::string()
                                                 : RtfFailureMessage(outcome, name).text;
}

std::string DefaultRtfName(const Analysis& analysis, std::string_view today) {
  std::string name = analysis.FirstNameText() + "_" + analysis.LastNameText() + "_";
  name += analysis.IsSelfAbsent() ? "" : "s";
  name += analysis.IsObserverAbsent() ? "" : "o";
  return name + "_" + std::string(today);
}

}  // namespace acv
