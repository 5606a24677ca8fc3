#include "gui/support/sample_file.h"

#include <QFile>

#include "storage/format.h"
#include "storage/record_image.h"
#include "storage/response_file.h"
#include "storage/sample_records.h"

namespace acv::testing {

SampleFile::SampleFile(std::vector<ResponseRecord> extra) {
  std::vector<ResponseRecord> records = SampleRecords();
  records.insert(records.end(), extra.begin(), extra.end());
  std::vector<StoredRecord> stored;
  for (std::size_t i = 0; i < records.size(); ++i) {
    stored.push_back(BuildImage(records[i], "202611301015" + std::to_string(10 + i)));
  }
  int first = -1;
  ResponseFile::AppendRecords(fullName(), stored, &first);
}

QString SampleFile::stem() const {
  return dir_.filePath(QStringLiteral("sample"));
}

std::string SampleFile::fullName() const {
  return (stem() + QStringLiteral(".cvr")).toStdString();
}

void SampleFile::damageRecord(int index) const {
  QFile file(QString::fromStdString(fullName()));
  file.open(QIODevice::ReadWrite);
  const qint64 at = static_cast<qint64>(kFileHeaderSize + kRecordSize * index + 50);
  file.seek(at);
  char byte = 0;
  file.getChar(&byte);
  file.seek(at);
  file.putChar(static_cast<char>(byte ^ 0x40));
}

}  // namespace acv::testing
