// The stored form of a ResponseRecord: its 720-byte plain image with checksums, scrambled into
// 2,187 bytes.
#pragma once

#include <string>

#include "engine/response_record.h"
#include "storage/format/file_status.h"
#include "storage/format/format.h"
#include "storage/format/verification_mark.h"

namespace acv {

// The plain image of the record as it stands (texts cut to their widths, 0x80 padding, XOR byte,
// little-endian 32-bit sum).
PlainImage EncodePlainImage(const ResponseRecord& record);
// Sets the record from a plain image when both checksums match (returns true); otherwise the
// record is left as it was. `mark`, when given, learns what the verification mark said.
bool DecodePlainImage(const PlainImage& image, ResponseRecord* record, MarkState* mark = nullptr);

// Sets the saved time-stamp to the current local time, then builds and scrambles the image.
StoredRecord BuildImage(ResponseRecord& record);
// The same with a given time-stamp (YYYYMMDDhhmmss).
StoredRecord BuildImage(ResponseRecord& record, const std::string& savedStamp);

// Unscrambles and verifies 2,187 stored bytes: kOk, or kCorruptRecord (the record unchanged).
FileStatus LoadImage(ResponseRecord& record, const std::uint8_t* stored, MarkState* mark = nullptr);

// The local time of `seconds` (since 1970) as YYYYMMDDhhmmss, and the current one.
std::string LocalStamp(std::int64_t seconds);
std::string CurrentStamp();

}  // namespace acv
