// CAdultExportPassword, "Export Questionnaire File - Password": the first guard of the CSV
// export. The typed password is checked against the hashes an administrator set and wiped from
// memory after the check.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace acv {

class ExportPasswords;
class Prompts;

class CAdultExportPassword : public QDialog {
  Q_OBJECT

 public:
  CAdultExportPassword(Prompts& prompts, const ExportPasswords& passwords,
                       QWidget* parent = nullptr);

  QLineEdit* passwordBox() const { return password_; }
  QPushButton* okButton() const { return ok_; }

  // OK: closes the dialog when the password is right; otherwise says so and stays open.
  void accept() override;

 private:
  Prompts& prompts_;
  const ExportPasswords& passwords_;
  QLineEdit* password_;
  QPushButton* ok_;
};

}  // namespace acv
