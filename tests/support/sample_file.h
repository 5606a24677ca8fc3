// Response files for the window's tests, made through the storage layer.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "engine/response_record.h"

namespace acv::testing {

// A temporary folder holding "sample.cvr": the sample records, saved at fixed times
// (record i at 2026-11-30 10:15 and 10 + i seconds), followed by `extra`.
class SampleFile {
 public:
  explicit SampleFile(std::vector<ResponseRecord> extra = {});

  // Without ".cvr", as typed into the dialogs, and with it.
  QString stem() const;
  std::string fullName() const;
  QString folder() const { return dir_.path(); }

  // Flips a bit inside record `index`, so that it fails its checksum.
  void damageRecord(int index) const;

 private:
  QTemporaryDir dir_;
};

}  // namespace acv::testing
