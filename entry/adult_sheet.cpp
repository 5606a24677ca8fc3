#include "entry/adult_sheet.h"

#include <algorithm>

#include "entry/file_page.h"
#include "entry/item_page.h"
#include "entry/pages/comments_page.h"
#include "entry/pages/details_page.h"
#include "entry/pages/report_type_page.h"
#include "entry/save_page.h"
#include "storage/text/messages.h"
#include "ui/prompts.h"

namespace acv {
namespace {

QString Caption(int id) {
  return EntryWizard::pageCaption(id, CAdultSheet::kSavePage + 1);
}

QStringList FilePageIntro(bool editing) {
  if (editing) {
    return {CAdultSheet::tr("You are about to edit the responses to the Adult Corvantis "
                            "questionnaire over pages 2 to 24."),
            CAdultSheet::tr("After you have completed editing the ACV, you will be able to save "
                            "your responses to an encrypted data file."),
            CAdultSheet::tr("Where would you like to save the encrypted data for this Adult "
                            "Corvantis?\n(If you are a client / patient completing the Adult "
                            "Corvantis, please click 'Next >' on the bottom right to save to the "
                            "default file.)")};
  }
  return {CAdultSheet::tr("You are about to enter the responses to the Adult Corvantis "
                          "questionnaire over pages 2 to 24."),
          CAdultSheet::tr("After you have completed the ACV, you will be able to save your "
                          "responses to an encrypted data file."),
          CAdultSheet::tr("Where would you like to save the encrypted data for this Adult "
                          "Corvantis?\n(If you are a client or patient completing the Adult "
                          "Corvantis, please click 'Next >' on the bottom right to save to the "
                          "default file.)")};
}

}  // namespace

CAdultSheet::CAdultSheet(Prompts& prompts, ResponseRecord& record, QString& fileName,
                         QWidget* parent)
    : CAdultSheet(prompts, record, fileName, std::nullopt, parent) {}

CAdultSheet::CAdultSheet(Prompts& prompts, ResponseRecord& record, QString& fileName,
                         std::optional<RecordEdit> edit, QWidget* parent)
    : EntryWizard(prompts, record, fileName, std::move(edit), parent) {
  EntryRun& run = this->run();
  setObjectName(run.saver.editing() ? QStringLiteral("CAdultEditSheet")
                                    : QStringLiteral("CAdultSheet"));
  setPage(kFilePage,
          new FilePage(run, prompts, Caption(kFilePage), FilePageIntro(run.saver.editing())));
  setPage(kReportTypePage, new ReportTypePage(record, prompts, Caption(kReportTypePage)));
  setPage(kDetailsPage, new DetailsPage(record, prompts, Caption(kDetailsPage)));
  for (int index = 0; index < kItemPages; ++index) {
    const int id = kFirstItemPage + index;
    setPage(id, new ItemPage(record, run.blanks, Caption(id), 10 * index + 1));
  }
  setPage(kCommentsPage,
          new CommentsPage(record, Caption(kCommentsPage),
                           tr("If you would like to provide any further comments that you think "
                              "may be useful to the health professional, please type them in the "
                              "box below. (Please be brief. There is a limit of 200 characters, "
                              "approximately 30–40 words.)")));
  setPage(kSavePage, new SavePage(run, prompts, Caption(kSavePage)));
  // Wide enough for the statements and the answer columns at the user's font size.
  const int width = std::max(960, fontMetrics().averageCharWidth() * 140);
  resize(width, 720);
}

bool CAdultSheet::validateCurrentPage() {
  const EntryRun& run = this->run();
  const bool dropsMark = currentId() == kSavePage && run.saver.editing() &&
                         run.saver.edit().unedited.GetVerification() &&
                         !run.record.GetVerification();
  if (dropsMark && !prompts().confirm(this, Message(MessageId::kEditDropsVerificationOnScreen),
                                      tr("&Save Without It"), tr("&Do Not Save"), true)) {
    return false;
  }
  return EntryWizard::validateCurrentPage();
}

FilePage* CAdultSheet::filePage() const {
  return static_cast<FilePage*>(page(kFilePage));
}

ReportTypePage* CAdultSheet::reportTypePage() const {
  return static_cast<ReportTypePage*>(page(kReportTypePage));
}

DetailsPage* CAdultSheet::detailsPage() const {
  return static_cast<DetailsPage*>(page(kDetailsPage));
}

ItemPage* CAdultSheet::itemPage(int index) const {
  return static_cast<ItemPage*>(page(kFirstItemPage + index));
}

CommentsPage* CAdultSheet::commentsPage() const {
  return static_cast<CommentsPage*>(page(kCommentsPage));
}

SavePage* CAdultSheet::savePage() const {
  return static_cast<SavePage*>(page(kSavePage));
}

}  // namespace acv
