// The on-screen questionnaire wizard "Adult Sheet" (CAdultSheet): 24 pages from the response
// file's name to the save. It fills the record and the file name text its command owns; Finish
// has saved the record when exec() returns Accepted. CAdultEditSheet is the same wizard on a
// stored record being edited: its first page (CAdultP0EDIT) and last page (CAdultP23Edit) show
// "Replace Existing Record", ticked at first, so that Finish writes the record back in its own
// place.
#pragma once

#include "entry/entry_wizard.h"

namespace acv {

class CommentsPage;
class DetailsPage;
class FilePage;
class ItemPage;
class ReportTypePage;
class ResponseRecord;
class SavePage;

class CAdultSheet : public EntryWizard {
  Q_OBJECT

 public:
  static constexpr int kItemPages = 19;
  enum PageId {
    kFilePage,
    kReportTypePage,
    kDetailsPage,
    kFirstItemPage,
    kCommentsPage = kFirstItemPage + kItemPages,
    kSavePage,
  };

  // `fileName` is the response file's name without ".cvr"; the wizard leaves the name it saved
  // under there.
  CAdultSheet(Prompts& prompts, ResponseRecord& record, QString& fileName,
              QWidget* parent = nullptr);
  // `edit` is the stored record being edited, or nothing for a new record.
  CAdultSheet(Prompts& prompts, ResponseRecord& record, QString& fileName,
              std::optional<RecordEdit> edit, QWidget* parent);

  FilePage* filePage() const;
  ReportTypePage* reportTypePage() const;
  DetailsPage* detailsPage() const;
  ItemPage* itemPage(int index) const;
  CommentsPage* commentsPage() const;
  SavePage* savePage() const;

 protected:
  // Before an edit that changed the answers of a verified record is saved, says that the mark
  // goes, and saves only on Yes.
  bool validateCurrentPage() override;
};

class CAdultEditSheet : public CAdultSheet {
  Q_OBJECT

 public:
  // `record` starts as the stored record of `edit`; `fileName` as the name of its file.
  CAdultEditSheet(Prompts& prompts, ResponseRecord& record, QString& fileName,
                  const RecordEdit& edit, QWidget* parent = nullptr)
      : CAdultSheet(prompts, record, fileName, edit, parent) {}
};

}  // namespace acv
