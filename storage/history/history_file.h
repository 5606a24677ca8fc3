// Reading a history file's frames (history_format.h): where each whole entry lies, and where
// the history stops being readable.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "storage/format/file_status.h"
#include "storage/history/history_format.h"

namespace acv {

// The history beside response file `responseFile`: its name with ".cvh" for ".cvr" (or added).
std::string HistoryNameFor(const std::string& responseFile);

// One whole entry's parts, as views into the bytes it was found in.
struct HistoryFrame {
  std::string_view payload;
  std::string_view earlier;  // the record as it was, or empty
  Digest digest{};           // the payload's hash, as checked
};

struct HistoryFrames {
  std::vector<HistoryFrame> frames;  // each whole entry in file order
  std::size_t end = 0;  // where the last whole entry ends (after the tag when there is none)
  // The position (from 0) of a frame that fails although the file holds all the bytes it
  // claims, or -1: an entry changed by hand, where a write cut short leaves the file ending
  // inside its last frame.
  int broken = -1;
};

// Splits the bytes of a history file into its entries. False when they are not a history (no
// tag), unless they are a cut-off tag or nothing.
bool SplitFrames(std::string_view bytes, HistoryFrames* frames);

// The frame that ends at `end` of the open history `fd`, when a whole one does: `bytes` receives
// it (the views of `frame` point into it), `start` where it begins.
bool ReadFrameEndingAt(int fd, long long end, std::string* bytes, HistoryFrame* frame,
                       long long* start);

// A history file mapped into memory, read-only, for as long as this lives.
class MappedHistory {
 public:
  MappedHistory() = default;
  MappedHistory(MappedHistory&& other) noexcept;
  MappedHistory& operator=(MappedHistory&& other) noexcept;
  ~MappedHistory();

  // Maps the history `name`: kNotFound when there is none.
  FileStatus Map(const std::string& name);
  std::string_view bytes() const { return {static_cast<const char*>(data_), size_}; }

 private:
  void* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace acv
