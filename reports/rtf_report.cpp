#include "reports/rtf_report.h"

#include <array>
#include <cstdio>
#include <span>
#include <vector>

#include "reports/report_cells.h"
#include "storage/csv_file.h"
#include "storage/file_status.h"
#include "storage/messages.h"
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

// A results-table cell: its text is already RTF.
struct Cell {
  std::string rtf;
  bool centred = false;
  bool shaded = false;  // light grey
  bool dark = false;    // black with white bold text
  bool bold = false;
};

// The cell properties of the bordered tables.
std::string Borders() {
  return "\\clbrdrt\\brdrs\\brdrw10 \\clbrdrl\\brdrs\\brdrw10 \\clbrdrb\\brdrs\\brdrw10 "
         "\\clbrdrr\\brdrs\\brdrw10 ";
}

// One row of a table from -108, its cells' right edges `edges`. `header` repeats it at the
// top of every page the table runs over; `spanned` merges its cells into the first, so that the
// row keeps the table's columns and the table stays one table.
std::string TableRow(const std::vector<Cell>& cells, const std::vector<int>& edges, bool borders,
                     bool header = false, bool spanned = false) {
  std::string row = "\\trowd \\irow0\\trgaph108\\trleft-108\\trkeep";
  row += header ? "\\trhdr" : "";
  row += "\\trpaddl108\\trpaddr108\\trpaddfl3\\trpaddfr3\r\n";
  for (std::size_t i = 0; i < cells.size(); ++i) {
    row += spanned ? (i == 0 ? "\\clmgf" : "\\clmrg") : "";
    row += "\\clvertalt";
    row += borders ? Borders() : std::string();
    if (cells[i].dark) {
      row += "\\clcbpat1";
    } else if (cells[i].shaded) {
      row += "\\clcbpat19";
    }
    row += "\\cellx" + std::to_string(edges[i]) + "\r\n";
  }
  for (const Cell& cell : cells) {
    row += "\\pard\\plain \\intbl\\widctlpar";
    row += cell.centred ? "\\qc" : "\\ql";
    row += "\\fs20";
    row += cell.dark ? "\\cf8\\b" : (cell.bold ? "\\b" : "");
    row += " " + cell.rtf + "\\cell\r\n";
  }
  row += "\\pard\\plain \\intbl\\widctlpar\\fs20 \\row\r\n";
  return row;
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

std::string DetailsTable(const Analysis& analysis) {
  const auto label = [](std::string_view text) { return Cell{"\\b " + std::string(text)}; };
  const auto value = [](std::string_view text) { return Cell{RtfText(text)}; };
  const auto paragraphs = [](const std::vector<std::string>& lines) {
    std::string rtf;
    for (const std::string& line : lines) {
      rtf += (rtf.empty() ? "" : "\\par ") + RtfText(line);
    }
    return Cell{rtf};
  };
  const std::vector<int> edges = Edges(kDetailEdges);
  std::string table;
  table += TableRow({label("Name:"), value(analysis.RespondentNameText()), label("Gender:"),
                     value(analysis.GenderText())},
                    edges, false);
  table += TableRow({label("Address:"), paragraphs(Lines(analysis.AddressText(), 3)),
                     label("Date of Birth:"), value(analysis.BirthDateText())},
                    edges, false);
  table += TableRow({label("Phone:"), paragraphs(Lines(analysis.PhoneText(), 2)),
                     label("Age at Completion:"), value(analysis.AgeText())},
                    edges, false);
  table += TableRow({label("Observer:"), value(analysis.ObserverNameText()),
                     label("Completion Date:"), value(analysis.CompletionDateText())},
                    edges, false);
  return table + "\\pard\\plain \\ql\\widctlpar\\fs24 \\par\r\n";
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

// A cell text of several lines ("\n" between them) as RTF lines, without a leading empty line.
std::string LinesCell(std::string_view text) {
  if (text.starts_with('\n')) {
    text.remove_prefix(1);
  }
  return RtfText(text);
}

std::string ResultsTable(const ReportCells& cells) {
  const std::vector<int> edges = Edges(kResultEdges);
  std::string table = TableRow(
      {{"Disorder\\line # Indicates mutually exclusive screens", true, false, true},
       {"Positive Screen Cutoff", true, false, true},
       {"Self-Report Score", true, false, true},
       {"Observer-Report Score", true, false, true},
       {"\\line Cutoff Attained", true, false, true},
       {"Positive Screen Items Met\\line [Self Report Items met]\\line \\{Observer Report Items "
        "met\\}",
        true, false, true}},
      edges, true, true);
  std::string_view category;
  for (int row = 1; row <= kScreenCount; ++row) {
    const ScreenInfo& screen = ScreenTableRow(row);
    if (screen.category != category) {
      category = screen.category;
      std::vector<Cell> heading(kResultEdges.size(), Cell{"", false, true, false, true});
      heading[0].rtf = RtfText(RtfCategory(category));
      table += TableRow(heading, edges, true, false, true);
    }
    const ReportRow& cell = cells.resultRow(row);
    const auto centred = [&](ReportColumn column) {
      return Cell{LinesCell(cell[column].text), true, cell[column].shaded};
    };
    table += TableRow({{RtfText(RtfReportLabel(row))},
                       centred(kCutoffColumn),
                       centred(kSelfColumn),
                       centred(kObserverColumn),
                       centred(kAttainedColumn),
                       {RtfText(cell[kItemsMetColumn].text)}},
                      edges, true);
  }
  std::vector<Cell> count;
  for (const ReportCell& cell : cells.resultRow(kCountRow)) {
    count.push_back({RtfText(cell.text), count.size() > 0, true, false, true});
  }
  table += TableRow(count, edges, true);
  return table + "\\pard\\plain \\ql\\widctlpar\\fs24 \\par\r\n";
}

std::string ReliabilityTable(const ReportCells& cells) {
  const std::vector<int> edges = Edges(kResultEdges);
  std::string table =
      TableRow({{"\\line Reliability Measure\\line (Omega Statistic)", false, false, true},
                {"\\line Omega Cutoff", true, false, true},
                {"Self- Report Omega", true, false, true},
                {"Observer- Report Omega", true, false, true},
                {"\\line Reliability Attained", true, false, true},
                {"\\line\\line Comments on Reliability", false, false, true}},
               edges, true, true);
  const ReportRow& values = cells.reliability[1];
  const auto centred = [&](ReportColumn column) {
    return Cell{RtfText(values[column].text), true, values[column].shaded};
  };
  // This document gives the cutoff as ">0.07".
  table += TableRow({{RtfText(values[kDisorderColumn].text)},
                     {">0.07", true},
                     centred(kSelfColumn),
                     centred(kObserverColumn),
                     centred(kAttainedColumn),
                     {RtfText(values[kItemsMetColumn].text)}},
                    edges, true);
  return table + "\\pard\\plain \\ql\\widctlpar\\fs24 \\par\r\n";
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
  document += DetailsTable(analysis);
  const ReportCells cells = BuildReportCells(analysis);
  document += ResultsTable(cells);
  document += ReliabilityTable(cells);
  document += Comments(analysis);
  document += "}\r\n";
  return document;
}

RtfSaveOutcome SaveRtfReport(const Analysis& analysis, const std::string& name,
                             const std::function<bool()>& replaceExisting) {
  const std::string fileName = name + std::string(kRtfSuffix);
  CsvFile file;
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

std::string WriteRtfReportFile(const std::string& path, const Analysis& analysis) {
  if (path.size() <= kRtfSuffix.size() || !path.ends_with(kRtfSuffix)) {
    return "the report's file name must end in .rtf";
  }
  const std::string name = path.substr(0, path.size() - kRtfSuffix.size());
  const RtfSaveOutcome outcome = SaveRtfReport(analysis, name, [] { return true; });
  return outcome.result == RtfSaveResult::kSaved ? std::string()
                                                 : RtfSaveFailureMessage(outcome.code, name).text;
}

std::string DefaultRtfName(const Analysis& analysis, std::string_view today) {
  std::string name = analysis.FirstNameText() + "_" + analysis.LastNameText() + "_";
  name += analysis.IsSelfAbsent() ? "" : "s";
  name += analysis.IsObserverAbsent() ? "" : "o";
  return name + "_" + std::string(today);
}

}  // namespace acv
