#include "support/sample_file.h"

#include "storage/records/sample_records.h"
#include "support/temp_dir.h"

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
  DamageRecordIn(fullName(), index);
}

}  // namespace acv::testing
