// The paper-entry wizard "Adult Sheet" (CAdultQSheet): five pages from the report type to the
// save, all 190 answers typed into one grid, and beside them the second typing of the grid and
// the resolution of its differences when the responses are verified by double entry. It fills the
// record, the file name text and the analysis its command owns; when exec() returns Accepted the
// record is in the file and, if page 5 asked for it, the analysis holds the record just saved (and
// the person's most recent related report). CAdultQEditSheet is the same wizard on a stored record
// being edited.
#pragma once

#include "entry/entry_wizard.h"

namespace acv {

class Analysis;
class CommentsPage;
class DetailsPage;
class PaperSavePage;
class ReportTypePage;
class ResponseGridPage;
class ResponseRecord;
class SecondTypingPage;
class TypingDifferencesPage;

class CAdultQSheet : public EntryWizard {
  Q_OBJECT

 public:
  enum PageId {
    kReportTypePage,
    kDetailsPage,
    kGridPage,
    kCommentsPage,
    kSavePage,
    // Shown between the grid and the comments, numbered as the grid.
    kSecondTypingPage,
    kDifferencesPage,
  };

  // `fileName` is the response file's name without ".cvr"; the wizard leaves the name it saved
  // under there.
  CAdultQSheet(Prompts& prompts, ResponseRecord& record, QString& fileName, Analysis& analysis,
               QWidget* parent = nullptr);

  ReportTypePage* reportTypePage() const;
  DetailsPage* detailsPage() const;
  ResponseGridPage* gridPage() const;
  CommentsPage* commentsPage() const;
  PaperSavePage* savePage() const;
  SecondTypingPage* secondTypingPage() const;
  TypingDifferencesPage* differencesPage() const;

  // Set from the settings before the run: no record is saved unverified.
  void requireVerification() { run().secondTyping.required = true; }

  int nextId() const override;

  DraftWizard draftWizard() const override { return DraftWizard::kPaper; }

  // `edit` is the stored record being edited, or nothing for a new record.
  CAdultQSheet(Prompts& prompts, ResponseRecord& record, QString& fileName, Analysis& analysis,
               std::optional<RecordEdit> edit, QWidget* parent);

 private:
  // Back is taken unless it would drop a second typing and the user says No.
  bool mayGoBack();
};

class CAdultQEditSheet : public CAdultQSheet {
  Q_OBJECT

 public:
  // `record` starts as the stored record of `edit`; `fileName` as the name of its file.
  CAdultQEditSheet(Prompts& prompts, ResponseRecord& record, QString& fileName, Analysis& analysis,
                   const RecordEdit& edit, QWidget* parent = nullptr)
      : CAdultQSheet(prompts, record, fileName, analysis, edit, parent) {}
};

}  // namespace acv
