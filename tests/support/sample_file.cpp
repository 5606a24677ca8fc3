#include "support/sample_file.h"

#include <QFile>

#include "storage/format.h"
#include "storage/sample_records.h"

namespace acv::testing {

SampleFile::SampleFile(std::vector<ResponseRecord> extra) {
  if (WriteSampleFile(fullName(), std::move(extra)) != FileStatus::kOk) {
    qFatal("The sample response file could not be written");
  }
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
