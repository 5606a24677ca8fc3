// The report-type page: Self-report or Observer-report, and the observer's details. Shared by
// the on-screen wizard (page 2 of 24) and the paper wizard (page 1 of 5).
#pragma once

#include "entry/pages/entry_page.h"

class QLineEdit;
class QRadioButton;

namespace acv {

class FieldTextEdit;
class Prompts;
class ResponseRecord;

class ReportTypePage : public EntryPage {
  Q_OBJECT

 public:
  ReportTypePage(ResponseRecord& record, Prompts& prompts, const QString& caption,
                 QWidget* parent = nullptr);

  void activate() override;
  // Checks the choice and the observer name, then writes the page into the record.
  bool validatePage() override;
  void keep() override;

  QRadioButton* selfButton() const { return self_; }
  QRadioButton* observerButton() const { return observer_; }
  QLineEdit* observerNameBox() const { return observerName_; }
  QLineEdit* relationshipBox() const { return relationship_; }
  FieldTextEdit* contactBox() const { return contact_; }

 private:
  // Self-report: the observer boxes are emptied and made read-only, and disabled so that Tab
  // passes them by; Observer-report: editable.
  void showReportType(bool observer);

  ResponseRecord& record_;
  Prompts& prompts_;
  QRadioButton* self_;
  QRadioButton* observer_;
  QLineEdit* observerName_;
  QLineEdit* relationship_;
  FieldTextEdit* contact_;
};

}  // namespace acv
