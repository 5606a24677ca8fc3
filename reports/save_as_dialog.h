// CAnalysis_Save_As, "Analysis - Save As": the RTF report's file name and the acceptance of
// responsibility for the privacy of the unencrypted file; OK writes the report.
#pragma once

#include <QDialog>

#include "engine/analysis.h"

class QCheckBox;
class QPushButton;

namespace acv {

class FileNameBox;
class Prompts;
struct UserMessage;

class CAnalysis_Save_As : public QDialog {
  Q_OBJECT

 public:
  // `name` is the file name offered, without ".rtf".
  CAnalysis_Save_As(Prompts& prompts, const Analysis& analysis, const QString& name,
                    QWidget* parent = nullptr);

  FileNameBox* fileBox() const { return file_; }
  QCheckBox* privacyBox() const { return privacy_; }
  QPushButton* okButton() const { return ok_; }

  // The name the report was saved under (without ".rtf"), once it was.
  QString savedName() const { return savedName_; }

  // OK: the checks, then the report is written; the dialog closes only once it is saved.
  void accept() override;

 private:
  void refuse(const UserMessage& message);

  Prompts& prompts_;
  const Analysis& analysis_;
  FileNameBox* file_;
  QCheckBox* privacy_;
  QPushButton* ok_;
  QString savedName_;
};

}  // namespace acv
