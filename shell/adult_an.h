// "Select ACV Response for Analysis": one Self-report and/or one Observer-report of a person.
#pragma once

#include <array>

#include "engine/analysis.h"
#include "shell/selection_dialog.h"

namespace acv {

class CAdultAn : public SelectionDialog {
  Q_OBJECT

 public:
  CAdultAn(Prompts& prompts, const QString& fileName, QWidget* parent = nullptr);

  // The chosen reports, once the dialog was accepted.
  const Analysis& analysis() const { return analysis_; }
  // Their indexes in the file, by Report; -1 for a report not chosen.
  const std::array<int, 2>& chosenIndexes() const { return chosenIndexes_; }

 protected:
  FileStatus readIndex(const std::string& fullName, RecordIndex* index) override;
  void acceptSelection() override;

 private:
  Analysis analysis_;
  std::array<int, 2> chosenIndexes_{-1, -1};
};

}  // namespace acv
