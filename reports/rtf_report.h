// The analysis as a Rich Text Format document for word processors: a title page, the outline,
// the details, the results table, the reliability table and the comments. Plain C++ (no Qt);
// the document is code page 1252 text.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "engine/analysis.h"
#include "storage/format/file_status.h"
#include "storage/text/messages.h"

namespace acv {

inline constexpr std::string_view kRtfSuffix = ".rtf";

// A code page 1252 text as RTF text: "\", "{" and "}" get a backslash; each line break (CR LF,
// CR or LF) becomes \line and a tab \tab; characters above 127 become \'hh; other control
// characters are left out. The whole text is escaped, so nothing can be cut inside an escape.
std::string RtfText(std::string_view text);

// The whole document for `analysis`.
std::string RtfDocument(const Analysis& analysis);

enum class RtfSaveResult {
  kSaved,
  kDeclined,   // the file exists and the user chose not to replace it
  kOpenError,  // `code` says why the file could not be made
  kWriteError  // writing or closing failed; `code` says why, and no file was left behind
};

struct RtfSaveOutcome {
  RtfSaveResult result = RtfSaveResult::kSaved;
  FileStatus code = FileStatus::kOk;
};

// Writes the document to `name` + ".rtf". An existing file is replaced only when
// `replaceExisting` says so, and only once the new document is completely written.
RtfSaveOutcome SaveRtfReport(const Analysis& analysis, const std::string& name,
                             const std::function<bool()>& replaceExisting);

// The message for a save that failed (kOpenError or kWriteError); `name` as typed, without
// ".rtf".
UserMessage RtfFailureMessage(const RtfSaveOutcome& outcome, const std::string& name);

// For the command line: writes the report to `path`, which must end in ".rtf", replacing a file
// there once the new one is whole. The empty text, or what went wrong.
std::string WriteRtfReportFile(const std::string& path, const Analysis& analysis);

// The default report name, without folder: "First_Last_" + "s" (Self-report present) + "o"
// (Observer-report present) + "_" + `today` as YYYYMMDD.
std::string DefaultRtfName(const Analysis& analysis, std::string_view today);

}  // namespace acv
