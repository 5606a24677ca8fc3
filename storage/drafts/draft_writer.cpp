#include "storage/drafts/draft_writer.h"

namespace acv {

DraftWriter::DraftWriter(DraftFolder folder, std::string id)
    : folder_(std::move(folder)), id_(std::move(id)), thread_([this] { Run(); }) {}

DraftWriter::~DraftWriter() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void DraftWriter::Submit(std::string bytes) {
  {
    std::lock_guard lock(mutex_);
    if (discarded_) {
      return;
    }
    waiting_ = std::move(bytes);
  }
  wake_.notify_one();
}

FileStatus DraftWriter::Flush() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return !waiting_ && !writing_; });
  return last_;
}

FileStatus DraftWriter::Discard() {
  std::unique_lock lock(mutex_);
  discarded_ = true;
  waiting_.reset();
  idle_.wait(lock, [this] { return !writing_; });
  return folder_.Remove(id_);
}

FileStatus DraftWriter::lastStatus() const {
  std::lock_guard lock(mutex_);
  return last_;
}

void DraftWriter::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return waiting_ || stopping_; });
    if (!waiting_) {
      return;  // stopping, with nothing left to write
    }
    const std::string bytes = std::move(*waiting_);
    waiting_.reset();
    writing_ = true;
    lock.unlock();
    const FileStatus status = folder_.Write(id_, bytes);
    lock.lock();
    writing_ = false;
    last_ = status;
    idle_.notify_all();
  }
}

}  // namespace acv
