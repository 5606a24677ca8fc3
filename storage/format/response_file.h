// A response file (.cvr): a 243-byte header and at most 657 scrambled records of 2,187 bytes.
// `ResponseFile` names both halves of the file layer: it reads as a ResponseFileReader (one
// open, its records in turn), and its writes are those of ResponseFileWriter.
#pragma once

#include <string>
#include <vector>

#include "storage/format/response_file_reader.h"
#include "storage/format/response_file_writer.h"

namespace acv {

class ResponseFile : public ResponseFileReader {
 public:
  using ResponseFileReader::ResponseFileReader;

  static FileStatus WriteRecord(const std::string& name, const StoredRecord& bytes, int* index,
                                int at, WriteJournal* journal = nullptr) {
    return ResponseFileWriter::WriteRecord(name, bytes, index, at, journal);
  }
  static FileStatus AppendRecords(const std::string& name, const std::vector<StoredRecord>& records,
                                  int* firstIndex, WriteJournal* journal = nullptr) {
    return ResponseFileWriter::AppendRecords(name, records, firstIndex, journal);
  }
  static FileStatus ReplaceRecord(const std::string& name, int at, const StoredRecord& expected,
                                  const StoredRecord& bytes, WriteJournal* journal = nullptr) {
    return ResponseFileWriter::ReplaceRecord(name, at, expected, bytes, journal);
  }
  static FileStatus WriteNewFile(const std::string& name, const std::vector<StoredRecord>& records,
                                 WriteJournal* journal = nullptr) {
    return ResponseFileWriter::WriteNewFile(name, records, journal);
  }
};

}  // namespace acv
