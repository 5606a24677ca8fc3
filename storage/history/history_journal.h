// The history's side of a write to a response file: the entries of the write appended to the
// history beside the file and flushed under the file's lock before the file commits
// (history_format.h gives the order of writes). Handed to the writer of the response file:
//
//   HistoryJournal journal(name, {HistoryAction::kNewRecord, reason});
//   ResponseFile::WriteRecord(name, bytes, &index, kAppend, &journal);
//
// A history that cannot be opened, read or written refuses the write (kHistoryUnusable), so that
// the file never changes without its entries; one another program is adding to at that moment
// refuses it as in use (kSharingViolation).
#pragma once

#include <string>

#include "storage/format/response_file_writer.h"
#include "storage/history/history_entry.h"

namespace acv {

class HistoryJournal final : public WriteJournal {
 public:
  HistoryJournal(const std::string& responseFile, ChangeNote note);
  HistoryJournal(const HistoryJournal&) = delete;
  HistoryJournal& operator=(const HistoryJournal&) = delete;
  ~HistoryJournal();  // closes the history, releasing its lock

  FileStatus Record(const PlannedWrite& write) override;
  FileStatus MakeLasting(int fd) override;
  void Withdraw() override;
  // Seals the write's entries with a kCommitted entry, not flushed: the next write's flush takes
  // it too, and without it (a crash first) the hashes tell what happened.
  void Committed() override;

 private:
  // Opens and locks the history, making it with the response file's access (never more than
  // owner read-write and group read) when there is none.
  FileStatus Open();
  // Cuts off a torn last entry and the trailing entries whose change never committed;
  // `previous` gets the hash of the last entry kept (zero for none).
  FileStatus Settle(const PlannedWrite& write, Digest* previous);
  // Entries stamped with who, where, what program and when.
  HistoryEntry Stamped(HistoryAction action) const;

  std::string responseFile_;
  std::string name_;
  ChangeNote note_;
  std::string user_;  // who and where, for every entry
  std::string host_;
  std::string program_;  // and with what
  int fd_ = -1;
  bool created_ = false;
  long long length_ = 0;  // the history's length as this write found it, once settled
  long long end_ = 0;     // and with this write's entries
  Digest last_{};         // the hash of this write's last entry
};

}  // namespace acv
