// Feeds arbitrary bytes to the reading of a history: splitting them into frames and decoding
// each entry must never go wrong, every frame must lie inside the bytes, and an entry that
// decodes must encode to the payload it came from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/history/history_entry.h"
#include "storage/history/history_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  acv::HistoryFrames frames;
  if (!acv::SplitFrames(bytes, &frames)) {
    return 0;
  }
  if (frames.end > bytes.size()) {
    std::abort();
  }
  for (const acv::HistoryFrame& frame : frames.frames) {
    if (frame.payload.data() < bytes.data() ||
        frame.payload.data() + frame.payload.size() > bytes.data() + bytes.size()) {
      std::abort();
    }
    const std::optional<acv::HistoryEntry> entry = acv::DecodeEntry(frame.payload);
    if (entry && acv::EncodeEntry(*entry) != frame.payload) {
      std::abort();
    }
  }
  return 0;
}
