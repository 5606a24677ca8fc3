// "Select ACV Response for Analysis": one Self-report and/or one Observer-report of a person.
#pragma once

#include "engine/analysis.h"
#include "shell/selection_dialog.h"

namespace acv {

class CAdultAn : public SelectionDialog {
  Q_OBJECT

 public:
  CAdultAn(Prompts& prompts, const QString& fileName, QWidget* parent = nullptr);

  // The chosen reports, once the dialog was accepted.
  const Analysis& analysis() const { return analysis_; }

 protected:
  FileStatus readIndex(const std::string& fullName, RecordIndex* index) override;
  void acceptSelection() override;

 private:
  Analysis analysis_;
};

}  // namespace acv
