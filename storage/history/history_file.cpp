#include "storage/history/history_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "storage/format/coding.h"
#include "storage/format/format.h"
#include "storage/format/posix_file.h"
#include "storage/history/sha256.h"

namespace acv {
namespace {

constexpr std::size_t kFrameParts = kFrameHeadSize + kFrameTailSize;
constexpr std::size_t kMaxFrame = kMaxPayload + kRecordSize + kFrameParts;

// How long the frame at the start of `bytes` says it is, as far as `bytes` tells: its payload's
// length, the earlier record its payload says follows, and its head and tail.
std::size_t ClaimedLength(std::string_view bytes) {
  const auto* head = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const std::size_t flag = kFrameHeadSize + kEarlierFlagOffset;
  return DecodeFixed32(head) + kFrameParts +
         (bytes.size() > flag && head[flag] == 1 ? kRecordSize : 0);
}

// The whole frame at the start of `bytes` into `frame`: its length, or 0 when there is none.
std::size_t FrameAt(std::string_view bytes, HistoryFrame* frame) {
  if (bytes.size() < kFrameParts) {
    return 0;
  }
  const auto* head = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const std::size_t size = DecodeFixed32(head);
  // No payload is shorter than its fixed part: a run of zero bytes is never taken for a frame.
  if (size < kTextsOffset || size > kMaxPayload || bytes.size() - kFrameParts < size) {
    return 0;
  }
  const std::size_t whole = ClaimedLength(bytes);
  if (bytes.size() < whole || DecodeFixed32(head + whole - 4) != whole) {
    return 0;
  }
  frame->payload = bytes.substr(kFrameHeadSize, size);
  frame->digest = Sha256(frame->payload.data(), size);
  if (std::memcmp(frame->digest.data(), head + whole - kFrameTailSize, kDigestSize) != 0) {
    return 0;
  }
  frame->earlier = bytes.substr(kFrameHeadSize + size, whole - kFrameParts - size);
  return whole;
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
  frames->frames.clear();
  frames->broken = -1;
  frames->end = 0;
  if (bytes.size() < kHistoryTag.size()) {
    return kHistoryTag.substr(0, bytes.size()) == bytes;
  }
  if (bytes.substr(0, kHistoryTag.size()) != kHistoryTag) {
    return false;
  }
  std::size_t at = kHistoryTag.size();
  HistoryFrame frame;
  while (at < bytes.size()) {
    const std::size_t size = FrameAt(bytes.substr(at), &frame);
    if (size == 0) {
      break;
    }
    frames->frames.push_back(frame);
    at += size;
  }
  frames->end = at;
  if (at < bytes.size()) {
    // A torn last entry ends the file inside its frame; a frame that fails but claims no more
    // than the bytes left was written whole and changed since.
    const std::string_view rest = bytes.substr(at);
    const std::size_t claimed = rest.size() < 4 ? rest.size() + 1 : ClaimedLength(rest);
    if (claimed <= rest.size()) {
      frames->broken = static_cast<int>(frames->frames.size());
    }
  }
  return true;
}

bool ReadFrameEndingAt(int fd, long long end, std::string* bytes, HistoryFrame* frame,
                       long long* start) {
  const auto first = static_cast<long long>(kHistoryTag.size());
  std::uint8_t tail[4];
  std::size_t got = 0;
  if (end < first + static_cast<long long>(kFrameParts) ||
      ReadAllAt(fd, tail, sizeof tail, end - 4, &got) != FileStatus::kOk || got != sizeof tail) {
    return false;
  }
  const long long size = DecodeFixed32(tail);
  if (size < static_cast<long long>(kFrameParts) || size > static_cast<long long>(kMaxFrame) ||
      end - size < first) {
    return false;
  }
  bytes->assign(static_cast<std::size_t>(size), '\0');
  if (ReadAllAt(fd, bytes->data(), bytes->size(), end - size, &got) != FileStatus::kOk ||
      got != bytes->size() || FrameAt(*bytes, frame) != bytes->size()) {
    return false;
  }
  *start = end - size;
  return true;
}

MappedHistory::MappedHistory(MappedHistory&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

MappedHistory& MappedHistory::operator=(MappedHistory&& other) noexcept {
  std::swap(data_, other.data_);
  std::swap(size_, other.size_);
  return *this;
}

MappedHistory::~MappedHistory() {
  if (data_ != nullptr) {
    munmap(data_, size_);
  }
}

FileStatus MappedHistory::Map(const std::string& name) {
  int fd = -1;
  std::size_t size = 0;
  FileStatus status = OpenRegularFile(name, O_RDONLY, 0, &fd, &size);
  if (status != FileStatus::kOk) {
    return status;
  }
  if (size > 0) {
    void* data = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (data == MAP_FAILED) {
      status = StatusFromErrno(errno);
    } else {
      *this = MappedHistory();
      data_ = data;
      size_ = size;
    }
  }
  close(fd);
  return status;
}

}  // namespace acv
