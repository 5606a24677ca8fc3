// Reading a history file's frames (history_format.h): where each whole entry lies, and where
// the history stops being readable.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "storage/format/file_status.h"

namespace acv {

// The history beside response file `responseFile`: its name with ".cvh" for ".cvr" (or added).
std::string HistoryNameFor(const std::string& responseFile);

struct HistoryFrames {
  std::vector<std::string_view> payloads;  // each whole entry in file order
  std::size_t end = 0;  // where the last whole entry ends (after the tag when there is none)
  // The position (from 0) of a frame that fails although the file holds all the bytes it
  // claims, or -1: an entry changed by hand, where a write cut short leaves the file ending
  // inside its last frame.
  int broken = -1;
};

// Splits the bytes of a history file into its entries. False when they are not a history (no
// tag), unless they are a cut-off tag or nothing.
bool SplitFrames(std::string_view bytes, HistoryFrames* frames);

// The payload of the frame that ends at `end` of the open history `fd`, when a whole one does:
// `start` receives where it begins.
bool ReadFrameEndingAt(int fd, long long end, std::string* payload, long long* start);

}  // namespace acv
