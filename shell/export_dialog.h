// CAdultExport, "Export Questionnaire File": the response file and the export file, the
// privacy acceptance, and the export itself with its summary.
#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace acv {

class FileNameBox;
class Prompts;

class CAdultExport : public QDialog {
  Q_OBJECT

 public:
  // The names without their extensions, from the settings.
  CAdultExport(Prompts& prompts, const QString& acvFileName, const QString& exportFileName,
               QWidget* parent = nullptr);

  FileNameBox* acvFileBox() const { return acvFile_; }
  FileNameBox* exportFileBox() const { return exportFile_; }
  QCheckBox* privacyBox() const { return privacy_; }
  QPushButton* exportButton() const { return export_; }

  // After an export: the two names it used, for the settings.
  bool exportDone() const { return exportDone_; }
  QString acvFileName() const { return usedAcvName_; }
  QString exportFileName() const { return usedExportName_; }

  // Export: the privacy check, then the export; the dialog closes once it has run.
  void accept() override;

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The ACV box lost the focus: a new file name proposes a new export name.
  void acvNameLeft();

  Prompts& prompts_;
  FileNameBox* acvFile_;
  FileNameBox* exportFile_;
  QCheckBox* privacy_;
  QPushButton* export_;
  QString seenAcvName_;  // the name part of the ACV file name last seen
  bool exportDone_ = false;
  QString usedAcvName_;
  QString usedExportName_;
};

}  // namespace acv
