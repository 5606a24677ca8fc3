#include "entry/adult_q_sheet.h"

#include <QAbstractButton>

#include "storage/records/record_edit.h"
#include "storage/text/messages.h"
#include "ui/prompts.h"

#include "entry/pages/comments_page.h"
#include "entry/pages/details_page.h"
#include "entry/pages/report_type_page.h"
#include "entry/paper_save_page.h"
#include "entry/response_grid_page.h"
#include "entry/second_typing_page.h"
#include "entry/typing_differences_page.h"

namespace acv {
namespace {

QString Caption(int id) {
  return EntryWizard::pageCaption(id, CAdultQSheet::kSavePage + 1);
}

}  // namespace

CAdultQSheet::CAdultQSheet(Prompts& prompts, ResponseRecord& record, QString& fileName,
                           Analysis& analysis, QWidget* parent)
    : CAdultQSheet(prompts, record, fileName, analysis, std::nullopt, parent) {}

CAdultQSheet::CAdultQSheet(Prompts& prompts, ResponseRecord& record, QString& fileName,
                           Analysis& analysis, std::optional<RecordEdit> edit, QWidget* parent)
    : EntryWizard(prompts, record, fileName, std::move(edit), parent) {
  EntryRun& run = this->run();
  setObjectName(run.saver.editing() ? QStringLiteral("CAdultQEditSheet")
                                    : QStringLiteral("CAdultQSheet"));
  setPage(kReportTypePage, new ReportTypePage(record, prompts, Caption(kReportTypePage)));
  setPage(kDetailsPage, new DetailsPage(record, prompts, Caption(kDetailsPage)));
  const ResponseRecord* unedited = run.saver.editing() ? &run.saver.edit().unedited : nullptr;
  setPage(kGridPage, new ResponseGridPage(record, run.blanks, run.secondTyping, prompts,
                                          Caption(kGridPage), unedited));
  // The edit of a verified record is verified again unless the user says otherwise.
  run.secondTyping.wanted = unedited != nullptr && unedited->GetVerification().has_value();
  setPage(kCommentsPage,
          new CommentsPage(record, Caption(kCommentsPage),
                           tr("Please enter additional comments in the box below.  (Please be "
                              "brief.  There is a limit of 200 characters, approximately 30–40 "
                              "words.)")));
  setPage(kSavePage, new PaperSavePage(run, analysis, prompts, Caption(kSavePage)));
  setPage(kSecondTypingPage, new SecondTypingPage(run, prompts, Caption(kGridPage)));
  setPage(kDifferencesPage, new TypingDifferencesPage(run, prompts, Caption(kGridPage)));
  numberAs(kSecondTypingPage, kGridPage);
  numberAs(kDifferencesPage, kGridPage);
  // The size of the main window, where the grid is readable without scrolling sideways.
  resize(880, 575);
  // Back from the second typing drops it: not without asking.
  QAbstractButton* back = button(QWizard::BackButton);
  disconnect(back, &QAbstractButton::clicked, this, nullptr);
  connect(back, &QAbstractButton::clicked, this, [this] {
    if (mayGoBack()) {
      QWizard::back();
    }
  });
}

bool CAdultQSheet::mayGoBack() {
  // No is the default: a stray Enter keeps what was typed.
  return currentId() != kSecondTypingPage || !secondTypingPage()->typedAnything() ||
         prompts().confirm(this, Message(MessageId::kDropSecondTyping), tr("&Yes, Go Back"),
                           tr("&No"), false);
}

int CAdultQSheet::nextId() const {
  const SecondTyping& typing = run().secondTyping;
  switch (currentId()) {
    case kGridPage: {
      // An edit that changed nothing of a verified record's answers keeps its mark as it is.
      const bool nothingToType =
          typing.changes && typing.changes->items.empty() && !typing.changes->birthDate;
      return (typing.wanted || typing.required) && !nothingToType ? kSecondTypingPage
                                                                  : kCommentsPage;
    }
    case kSecondTypingPage:
      return typing.differences.empty() ? kCommentsPage : kDifferencesPage;
    case kDifferencesPage:
      return kCommentsPage;
    case kSavePage:
      return -1;
    default:
      return QWizard::nextId();
  }
}

ReportTypePage* CAdultQSheet::reportTypePage() const {
  return static_cast<ReportTypePage*>(page(kReportTypePage));
}

DetailsPage* CAdultQSheet::detailsPage() const {
  return static_cast<DetailsPage*>(page(kDetailsPage));
}

ResponseGridPage* CAdultQSheet::gridPage() const {
  return static_cast<ResponseGridPage*>(page(kGridPage));
}

CommentsPage* CAdultQSheet::commentsPage() const {
  return static_cast<CommentsPage*>(page(kCommentsPage));
}

PaperSavePage* CAdultQSheet::savePage() const {
  return static_cast<PaperSavePage*>(page(kSavePage));
}

SecondTypingPage* CAdultQSheet::secondTypingPage() const {
  return static_cast<SecondTypingPage*>(page(kSecondTypingPage));
}

TypingDifferencesPage* CAdultQSheet::differencesPage() const {
  return static_cast<TypingDifferencesPage*>(page(kDifferencesPage));
}

}  // namespace acv
