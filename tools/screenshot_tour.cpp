// Takes the screenshots a reviewer looks at: the welcome page, the analysis selection dialog with
// a person's records listed, the analysis of the sample file, top and bottom, the Save As and
// export dialogs, the history of a corrected record, the paper-entry grid and the edit pages, and
// the on-screen questionnaire's pages at the normal and a larger font. Run it under a real X server
// (scripts/screenshots) to see what a user sees.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "engine/dates.h"
#include "engine/response_record.h"
#include "entry/adult_q_sheet.h"
#include "entry/adult_sheet.h"
#include "entry/pages/details_page.h"
#include "entry/paper_save_page.h"
#include "entry/response_grid_page.h"
#include "entry/save_page.h"
#include "reports/analysis_view.h"
#include "reports/rtf_report.h"
#include "reports/save_as_dialog.h"
#include "shell/adult_an.h"
#include "shell/export_dialog.h"
#include "shell/export_password_dialog.h"
#include "shell/history_dialog.h"
#include "shell/main_frame.h"
#include "storage/csv/export_passwords.h"
#include "storage/records/record_edit.h"
#include "storage/records/record_search.h"
#include "storage/records/record_store.h"
#include "storage/records/sample_records.h"
#include "ui/artwork.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace {

void Save(QWidget& widget, const QString& folder, const char* name) {
  QApplication::processEvents();
  const QString path = folder + QStringLiteral("/") + QLatin1String(name) + QStringLiteral(".png");
  if (!widget.grab().save(path)) {
    std::fprintf(stderr, "screenshot_tour: cannot write %s\n", qPrintable(path));
  }
  std::printf("%s\n", qPrintable(path));
}

// A Self-report of the sample's Alex Morgan, not yet answered.
acv::ResponseRecord AlexMorganSelfReport() {
  acv::ResponseRecord record;
  record.SetReportType(acv::kSelfReport);
  record.SetText(acv::TextField::kFirstName, "Alex");
  record.SetText(acv::TextField::kLastName, "Morgan");
  record.SetText(acv::TextField::kBirthDate, "19750307");
  return record;
}

// The on-screen wizard at its opening size, walked with Next as a respondent would on a record
// already answered: page 1, the details page, the item page with the longest statements, and
// page 24 in normal mode and in ChooseFileMode. `suffix` tells the font sizes apart.
void TourOnScreenEntry(const QString& folder, const QString& stem, const QString& suffix) {
  acv::QtPrompts prompts;
  acv::ResponseRecord record = AlexMorganSelfReport();
  record.SetText(acv::TextField::kCompletionDate, acv::FormatDate8(acv::Today()));
  int longest = 0;
  std::size_t longestText = 0;
  for (int page = 0; page < acv::CAdultSheet::kItemPages; ++page) {
    std::size_t text = 0;
    for (int item = 10 * page + 1; item <= 10 * page + 10; ++item) {
      text += record.GetItemText(item).size();
      record.SetResponse(item, item % 6);
    }
    if (text > longestText) {
      longest = page;
      longestText = text;
    }
  }
  QString fileName = stem;
  acv::CAdultSheet sheet(prompts, record, fileName);
  sheet.show();
  Save(sheet, folder, qPrintable(QStringLiteral("10-entry-page1") + suffix));
  for (int id = acv::CAdultSheet::kFilePage; id < acv::CAdultSheet::kSavePage; ++id) {
    if (id == acv::CAdultSheet::kDetailsPage) {
      Save(sheet, folder, qPrintable(QStringLiteral("11-entry-details") + suffix));
    } else if (id == acv::CAdultSheet::kFirstItemPage + longest) {
      Save(sheet, folder, qPrintable(QStringLiteral("12-entry-items") + suffix));
    }
    sheet.next();
  }
  Save(sheet, folder, qPrintable(QStringLiteral("13-entry-page24") + suffix));
  sheet.savePage()->setChooseFileMode(true);
  Save(sheet, folder, qPrintable(QStringLiteral("13-entry-page24-choose-file") + suffix));
}

// The paper wizard with a record typed in up to item 150: the grid and page 5.
void TourPaperEntry(const QString& folder, const QString& stem) {
  acv::QtPrompts prompts;
  acv::ResponseRecord record = AlexMorganSelfReport();
  for (int item = 1; item <= acv::kItemCount; ++item) {
    record.SetResponse(item, item <= 150 ? item % 6 : -1);
  }
  QString fileName = stem;
  acv::Analysis analysis;
  acv::CAdultQSheet sheet(prompts, record, fileName, analysis);
  sheet.savePage()->setInitialChoice({true, true});
  sheet.show();
  sheet.next();
  sheet.next();
  Save(sheet, folder, "20-paper-grid");
  sheet.gridPage()->leaveBack();  // keeps the blanks without asking
  for (int item = 151; item <= acv::kItemCount; ++item) {
    record.SetResponse(item, 0);
  }
  sheet.gridPage()->activate();
  sheet.next();
  sheet.next();
  Save(sheet, folder, "21-paper-page5");
}

// The edit wizards on the sample's first record: the on-screen layout's first page and its last
// page after a failed save, and the paper layout's last page.
void TourEdit(const QString& folder, const QString& stem) {
  acv::QtPrompts prompts;
  acv::RecordEdit edit;
  if (acv::RecordEdit::Open((stem + QStringLiteral(".cvr")).toStdString(), 0, &edit) !=
      acv::FileStatus::kOk) {
    qFatal("The sample record could not be opened for editing");
  }
  acv::ResponseRecord record = edit.unedited;
  QString fileName = stem;
  acv::CAdultEditSheet sheet(prompts, record, fileName, edit);
  sheet.detailsPage()->setClock([] { return acv::CalendarDate{2026, 12, 1}; });
  sheet.show();
  Save(sheet, folder, "22-edit-page1");
  for (int id = acv::CAdultSheet::kFilePage; id < acv::CAdultSheet::kSavePage; ++id) {
    sheet.next();
  }
  sheet.savePage()->setChooseFileMode(true);
  Save(sheet, folder, "23-edit-page24-choose-file");

  acv::ResponseRecord paperRecord = edit.unedited;
  QString paperName = stem;
  acv::Analysis analysis;
  acv::CAdultQEditSheet paper(prompts, paperRecord, paperName, analysis, edit);
  paper.detailsPage()->setClock([] { return acv::CalendarDate{2026, 12, 1}; });
  paper.show();
  for (int id = acv::CAdultQSheet::kReportTypePage; id < acv::CAdultQSheet::kSavePage; ++id) {
    paper.next();
  }
  Save(paper, folder, "24-paper-edit-page5");
}

// File > History for Alex Morgan's records, after one of them was corrected.
void TourHistory(const QString& folder, const QString& stem, QWidget& frame) {
  const std::string file = (stem + QStringLiteral(".cvr")).toStdString();
  acv::RecordIndex index;
  if (acv::BuildRecordIndex(file, true, &index) != acv::FileStatus::kOk) {
    qFatal("The sample file could not be indexed");
  }
  std::vector<int> alex;
  for (const acv::IndexEntry& entry : acv::FindPerson(index, "Alex", "Morgan", "19750307")) {
    alex.push_back(entry.fileIndex);
  }
  acv::ResponseRecord record;
  acv::StoredRecord stored{};
  if (alex.empty() || acv::ReadRecord(file, alex[0], &record, acv::MetFlags::kLeave, &stored) !=
                          acv::FileStatus::kOk) {
    qFatal("Alex Morgan's record could not be read");
  }
  record.SetText(acv::TextField::kComments, "Sleeps badly since the move");
  if (acv::ReplaceRecord(file, alex[0], stored, record,
                         {acv::HistoryAction::kEditReplaced, "Comment copied from the paper form"})
          .status != acv::FileStatus::kOk) {
    qFatal("Alex Morgan's record could not be corrected");
  }
  acv::HistoryReview review;
  if (acv::ReviewHistory(file, &review) != acv::FileStatus::kOk) {
    qFatal("The sample file's history could not be read");
  }
  acv::HistoryDialog history(review, alex, &frame);
  history.show();
  Save(history, folder, "9-history");
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  acv::InitArtwork();
  const QString folder =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("out/screenshots");
  QDir().mkpath(folder);

  QTemporaryDir data;
  const QString stem = data.filePath(QStringLiteral("sample"));
  if (acv::WriteSampleFile((stem + QStringLiteral(".cvr")).toStdString()) != acv::FileStatus::kOk) {
    qFatal("The sample response file could not be written");
  }

  acv::QtPrompts prompts;
  acv::CMainFrame frame(prompts);
  frame.show();
  Save(frame, folder, "1-welcome");

  acv::CAdultAn dialog(prompts, stem, &frame);
  dialog.show();
  dialog.firstNameBox()->setText(QStringLiteral("Alex"));
  dialog.lastNameBox()->setText(QStringLiteral("Morgan"));
  dialog.dayBox()->setText(QStringLiteral("07"));
  dialog.monthBox()->setText(QStringLiteral("03"));
  dialog.yearBox()->setText(QStringLiteral("1975"));
  dialog.loadButton()->click();
  dialog.list()->selectAll();
  Save(dialog, folder, "2-select-analysis");
  dialog.okButton()->click();
  frame.view()->setAnalysis(dialog.analysis());
  Save(frame, folder, "3-analysis-top");

  frame.resize(1000, 900);
  frame.view()->verticalScrollBar()->setValue(frame.view()->verticalScrollBar()->maximum());
  Save(frame, folder, "4-analysis-bottom");
  Save(*frame.view()->form(), folder, "5-analysis-form");

  const acv::Analysis& analysis = frame.view()->analysis();
  acv::CAnalysis_Save_As saveAs(
      prompts, analysis,
      data.filePath(acv::toQt(acv::DefaultRtfName(analysis, acv::FormatDate8(acv::Today())))),
      &frame);
  saveAs.show();
  Save(saveAs, folder, "6-save-as");
  const acv::ExportPasswords none(data.filePath(QStringLiteral("none")).toStdString());
  acv::CAdultExportPassword password(prompts, none, &frame);
  password.show();
  Save(password, folder, "7-export-password");
  acv::CAdultExport exporting(prompts, stem, data.filePath(QStringLiteral("export")), &frame);
  exporting.show();
  Save(exporting, folder, "8-export");
  TourHistory(folder, stem, frame);

  TourPaperEntry(folder, stem);
  TourEdit(folder, stem);
  TourOnScreenEntry(folder, stem, QString());
  QFont larger = QApplication::font();
  larger.setPointSizeF(larger.pointSizeF() * 1.5);
  QApplication::setFont(larger);
  TourOnScreenEntry(folder, stem, QStringLiteral("-large-font"));
  return 0;
}
