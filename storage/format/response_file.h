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
                                int at) {
    return ResponseFileWriter::WriteRecord(name, bytes, index, at);
  }
  static FileStatus AppendRecords(const std::string& name, const std::vector<StoredRecord>& records,
                                  int* firstIndex) {
    return ResponseFileWriter::AppendRecords(name, records, firstIndex);
  }
  static FileStatus ReplaceRecord(const std::string& name, int at, const StoredRecord& expected,
                                  const StoredRecord& bytes) {
    return ResponseFileWriter::ReplaceRecord(name, at, expected, bytes);
  }
  static FileStatus WriteNewFile(const std::string& name,
                                 const std::vector<StoredRecord>& records) {
    return ResponseFileWriter::WriteNewFile(name, records);
  }
};

}  // namespace acv
