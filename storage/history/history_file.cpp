#include "storage/history/history_file.h"

#include "storage/format/coding.h"
#include "storage/format/commit_mark.h"
#include "storage/format/format.h"
#include "storage/format/posix_file.h"
#include "storage/history/history_format.h"

namespace acv {
namespace {

// The payload of a whole frame at the start of `bytes`, or nothing.
bool FrameAt(std::string_view bytes, std::string_view* payload) {
  if (bytes.size() < kFrameHeadSize + kFrameTailSize) {
    return false;
  }
  const auto* head = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const std::size_t size = DecodeFixed32(head);
  // No payload is shorter than its fixed part: a run of zero bytes is never taken for a frame.
  if (size < kTextsOffset || size > kMaxPayload ||
      bytes.size() - kFrameHeadSize - kFrameTailSize < size ||
      DecodeFixed32(head + kFrameHeadSize + size) != size ||
      Crc32(head + kFrameHeadSize, size) != DecodeFixed32(head + 4)) {
    return false;
  }
  *payload = bytes.substr(kFrameHeadSize, size);
  return true;
}

}  // namespace

std::string HistoryNameFor(const std::string& responseFile) {
  const std::size_t suffix = kResponseFileSuffix.size();
  if (responseFile.size() > suffix &&
      responseFile.compare(responseFile.size() - suffix, suffix, kResponseFileSuffix) == 0) {
    return responseFile.substr(0, responseFile.size() - suffix) + std::string(kHistorySuffix);
  }
  return responseFile + std::string(kHistorySuffix);
}

bool SplitFrames(std::string_view bytes, HistoryFrames* frames) {
  *frames = HistoryFrames();
  if (bytes.size() < kHistoryTag.size()) {
    return kHistoryTag.substr(0, bytes.size()) == bytes;
  }
  if (bytes.substr(0, kHistoryTag.size()) != kHistoryTag) {
    return false;
  }
  std::size_t at = kHistoryTag.size();
  std::string_view payload;
  while (at < bytes.size() && FrameAt(bytes.substr(at), &payload)) {
    frames->payloads.push_back(payload);
    at += kFrameHeadSize + payload.size() + kFrameTailSize;
  }
  frames->end = at;
  if (at < bytes.size()) {
    // A torn last entry ends the file inside its frame; a frame that fails but claims no more
    // than the bytes left was written whole and changed since.
    const auto* head = reinterpret_cast<const std::uint8_t*>(bytes.data() + at);
    const std::size_t left = bytes.size() - at;
    const std::size_t claimed =
        left < 4 ? left + 1 : DecodeFixed32(head) + kFrameHeadSize + kFrameTailSize;
    if (claimed <= left) {
      frames->broken = static_cast<int>(frames->payloads.size());
    }
  }
  return true;
}

bool ReadFrameEndingAt(int fd, long long end, std::string* payload, long long* start) {
  const long long first = static_cast<long long>(kHistoryTag.size());
  std::uint8_t tail[kFrameTailSize];
  std::size_t got = 0;
  if (end < first + static_cast<long long>(kFrameHeadSize + kFrameTailSize) ||
      ReadAllAt(fd, tail, sizeof tail, end - kFrameTailSize, &got) != FileStatus::kOk ||
      got != sizeof tail) {
    return false;
  }
  const long long size = DecodeFixed32(tail);
  const long long frameStart = end - size - static_cast<long long>(kFrameHeadSize + kFrameTailSize);
  if (size > static_cast<long long>(kMaxPayload) || frameStart < first) {
    return false;
  }
  std::string frame(static_cast<std::size_t>(end - frameStart), '\0');
  std::string_view whole;
  if (ReadAllAt(fd, frame.data(), frame.size(), frameStart, &got) != FileStatus::kOk ||
      got != frame.size() || !FrameAt(frame, &whole)) {
    return false;
  }
  *payload = std::string(whole);
  *start = frameStart;
  return true;
}

}  // namespace acv
