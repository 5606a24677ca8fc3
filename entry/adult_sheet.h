// The on-screen questionnaire wizard "Adult Sheet": 24 pages from the response file's name to
// the save. It fills the record and the file name text its command owns; Finish has saved the
// record when exec() returns Accepted.
#pragma once

#include "entry/entry_wizard.h"
#include "entry/pages/blank_items.h"

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

  FilePage* filePage() const;
  ReportTypePage* reportTypePage() const;
  DetailsPage* detailsPage() const;
  ItemPage* itemPage(int index) const;
  CommentsPage* commentsPage() const;
  SavePage* savePage() const;

 private:
  BlankItemsCheck blanks_;
};

}  // namespace acv
