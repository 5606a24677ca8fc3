#include "shell/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <cctype>
#include <iterator>
#include <memory>
#include <set>

#include "engine/dates.h"
#include "engine/response_record.h"
#include "entry/adult_q_sheet.h"
#include "entry/adult_sheet.h"
#include "entry/paper_save_page.h"
#include "reports/analysis_view.h"
#include "reports/rtf_report.h"
#include "reports/save_as_dialog.h"
#include "shell/about_dialog.h"
#include "shell/acv_settings.h"
#include "shell/adult_an.h"
#include "shell/adult_edit.h"
#include "shell/draft_offer.h"
#include "shell/export_dialog.h"
#include "shell/export_password_dialog.h"
#include "shell/fhir_export.h"
#include "shell/history_dialog.h"
#include "storage/fhir/fhir_files.h"
#include "storage/format/format.h"
#include "storage/history/data_taken_out.h"
#include "storage/history/history_review.h"
#include "storage/records/record_edit.h"
#include "storage/records/record_search.h"
#include "storage/text/messages.h"
#include "ui/product.h"
#include "ui/prompts.h"
#include "ui/screen_fit.h"
#include "ui/text.h"

namespace acv {
namespace {

// The analysis options of the paper wizards' last page, from the settings.
ViewAfterFinish StoredChoice(const AcvSettings& settings) {
  return {settings.viewAnalysis(), settings.alsoViewRelatedAnalysis()};
}

// After Finish in a paper wizard: the options and the file name go into the settings, and the
// view shows the analysis the last page loaded when it was asked to (true then).
bool FinishPaperWizard(CTesselView& view, AcvSettings& settings, const PaperSavePage& page,
                       const QString& fileName, const Analysis& analysis) {
  const ViewAfterFinish choice = page.analysisChoice();
  settings.setViewAnalysis(choice.view);
  if (choice.view) {
    settings.setAlsoViewRelatedAnalysis(choice.related);
  }
  settings.setAcvFileName(fileName);
  settings.write();
  if (choice.view) {
    view.setAnalysis(analysis);
  }
  return choice.view;
}

using Handler = void (CMainFrame::*)();

// The menu entries in menu order. A command without a handler is not available in this
// version; `needsReport` commands work only while an analysis with a report is shown.
struct Command {
  const char* menu;
  const char* name;
  const char* text;
  const char* shortcut;
  const char* statusTip;
  const char* toolTip;
  const char* icon;
  Handler handler;
  bool needsReport;
};

const Command kCommands[] = {
    {"&File", "export", "&Export a Questionnaire File ...", "",
     "Export a questionnaire file to a comma separated text file", "Export a Questionnaire File",
     nullptr, &CMainFrame::exportCommand, false},
    {"&File", "print", "&Print ...", "Ctrl+P", "Print the analysis report", "Print", "print",
     &CMainFrame::printCommand, true},
    {"&File", "printPreview", "Print Pre&view ...", "",
     "Display the full pages of the analysis report", "Print Preview", nullptr,
     &CMainFrame::printPreviewCommand, true},
    {"&File", "saveAs", "Save As ...", "", "Save the analysis report as a .rtf file",
     "Save As ... a .rtf file", "save-as", &CMainFrame::saveAsCommand, true},
    {"&File", "exportFhir", "Export as F&HIR ...", "",
     "Export the analysis and its report as HL7 FHIR R4 for a health record", "Export as FHIR",
     nullptr, &CMainFrame::exportFhirCommand, true},
    {"&File", "history", "Histor&y ...", "",
     "Show the changes the response file's history keeps of the records analysed", "History",
     nullptr, &CMainFrame::historyCommand, true},
    {"&File", "exit", "E&xit", "", "Quit the application", "Exit", nullptr, nullptr, false},
    {"&ACV", "completeOnScreen", "Complete on sc&reen ...", "Ctrl+R",
     "Wizard to enter responses on the screen", "ACV Complete on screen", "complete-on-screen",
     &CMainFrame::completeOnScreenCommand, false},
    {"&ACV", "enterResponses", "&Enter responses ...", "Ctrl+E",
     "Wizard to enter responses from a sheet", "ACV Enter responses", "enter-responses",
     &CMainFrame::enterResponsesCommand, false},
    {"&ACV", "analysis", "&Analysis ...", "Ctrl+A", "Display the analysis of an ACV record",
     "ACV Analysis", "analysis", &CMainFrame::analysisCommand, false},
    {"&ACV", "edit", "E&dit ...", "", "Edit a stored ACV record", "ACV Edit", nullptr,
     &CMainFrame::editCommand, false},
    {"&Help", "about", "&About Adult Corvantis ...", "",
     "Display program information, version number and credits", "About", "about",
     &CMainFrame::aboutCommand, false},
    {"&Help", "webSite", "Adult Corvantis on the &Web ...", "",
     "Open the Adult Corvantis web site in your browser", "Web Site", "web-site",
     &CMainFrame::webSiteCommand, false},
};

// The name a report file is offered under, without its suffix: the report's usual name in the
// folder of the last analysed file.
QString ReportFileStart(const AcvSettings& settings, const Analysis& analysis) {
  const QString last = settings.analysisFileName();
  const QString folder =
      last.left(qMax(last.lastIndexOf(QLatin1Char('/')), last.lastIndexOf(QLatin1Char('\\'))) + 1);
  return folder + toQt(DefaultRtfName(analysis, FormatDate8(Today())));
}

// The toolbar, in order; an empty name is a gap.
const char* const kToolBar[] = {
    "completeOnScreen", "enterResponses", "", "analysis", "", "print", "saveAs", "", "about",
    "webSite"};

}  // namespace

CMainFrame::CMainFrame(Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), prompts_(prompts), settingsWarning_(prompts, this) {
  setObjectName(QStringLiteral("CMainFrame"));
  setWindowTitle(toQt(product::kName));
  setWindowIcon(QIcon(QStringLiteral(":/artwork/icon.svg")));
  view_ = new CTesselView(this);
  setCentralWidget(view_);
  createCommands();
  statusBar()->showMessage(tr("Ready"));
  connect(view_, &CTesselView::analysisChanged, this, &CMainFrame::updateCommands);
  // Whatever else changes the analysis shown, its records are no longer those last chosen.
  connect(view_, &CTesselView::analysisChanged, this, [this] { analysed_ = {}; });
  updateCommands();
  resize(880, 575);
  FitToScreen(*this);
}

void CMainFrame::createCommands() {
  QMenu* menu = nullptr;
  QString menuTitle;
  for (const Command& entry : kCommands) {
    const QString title = QString::fromLatin1(entry.menu);
    if (title != menuTitle) {
      if (title == QStringLiteral("&Help")) {
        // The View menu sits before Help.
        QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
        viewMenu->setObjectName(QStringLiteral("viewMenu"));
        toolBar_ = new QToolBar(tr("Toolbar"), this);
        toolBar_->setObjectName(QStringLiteral("toolBar"));
        toolBar_->setMovable(false);
        addToolBar(Qt::TopToolBarArea, toolBar_);
        QAction* toggle = toolBar_->toggleViewAction();
        toggle->setObjectName(QStringLiteral("toolBarToggle"));
        toggle->setText(tr("&Toolbar"));
        toggle->setStatusTip(tr("Show or hide the toolbar"));
        viewMenu->addAction(toggle);
      }
      menu = menuBar()->addMenu(tr(entry.menu));
      menu->setObjectName(QString::fromLatin1(entry.name) + QStringLiteral("Menu"));
      menuTitle = title;
    }
    if (QString::fromLatin1(entry.name) == QStringLiteral("exit")) {
      menu->addSeparator();
    }
    auto* action = new QAction(tr(entry.text), this);
    action->setObjectName(QString::fromLatin1(entry.name));
    action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
    action->setStatusTip(tr(entry.statusTip));
    action->setToolTip(tr(entry.toolTip));
    if (entry.icon != nullptr) {
      action->setIcon(
          QIcon(QStringLiteral(":/artwork/icons/%1.svg").arg(QLatin1String(entry.icon))));
    }
    action->setProperty("needsReport", entry.needsReport);
    if (entry.handler != nullptr) {
      connect(action, &QAction::triggered, this, entry.handler);
    } else if (QString::fromLatin1(entry.name) == QStringLiteral("exit")) {
      connect(action, &QAction::triggered, this, &QWidget::close);
    } else if (!entry.needsReport) {
      action->setEnabled(false);  // not available in this version
    }
    menu->addAction(action);
  }
  for (const char* name : kToolBar) {
    if (*name == '\0') {
      toolBar_->addSeparator();
    } else {
      toolBar_->addAction(command(QString::fromLatin1(name)));
    }
  }
}

QAction* CMainFrame::command(const QString& name) const {
  return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void CMainFrame::updateCommands() {
  const bool report = view_->hasReport();
  for (QAction* action : findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (action->property("needsReport").toBool()) {
      action->setEnabled(report);
    }
  }
  setWindowTitle(toQt(product::kName));
}

void CMainFrame::analysisCommand() {
  runAnalysis(AcvSettings(&settingsWarning_).acvFileName());
}

void CMainFrame::openAtStart(const QString& path) {
  if (path.isEmpty()) {
    return;
  }
  // The desktop hands over names as they are on disk, the suffix in any case ("SAMPLE.CVR"):
  // the file is read by the name given, and every message names it so.
  const std::string chosen = fileNameFromQt(QFileInfo(path).absoluteFilePath());
  const std::string given =
      chosen.substr(chosen.size() - std::min(chosen.size(), kResponseFileSuffix.size()));
  const bool cvr = std::ranges::equal(given, kResponseFileSuffix, [](char typed, char suffix) {
    return std::tolower(static_cast<unsigned char>(typed)) == suffix;
  });
  const std::optional<std::string> stem =
      cvr ? StripChosenPath(chosen, given) : std::optional<std::string>();
  if (!stem) {
    prompts_.show(this, Message(MessageId::kBrowseNotCvr));
    return;
  }
  RecordIndex index;
  const FileStatus status = BuildRecordIndex(chosen, true, &index);
  if (status != FileStatus::kOk) {
    prompts_.show(this, OpenedFileMessage(status, std::string(kNameMark)), {fileNameToQt(chosen)});
    return;
  }
  runAnalysis(fileNameToQt(*stem), chosen);
}

void CMainFrame::runAnalysis(const QString& fileName, const std::string& exactFile) {
  AcvSettings settings(&settingsWarning_);
  CAdultAn dialog(prompts_, fileName, this);
  if (!exactFile.empty()) {
    dialog.setExactFile(fileName, exactFile);
  }
  if (dialog.exec() != QDialog::Accepted) {
    return;
  }
  settings.setAcvFileName(dialog.fileName());
  settings.write();
  view_->setAnalysis(dialog.analysis());
  analysed_ = {dialog.fullFileName(), dialog.chosenIndexes()};
}

bool CMainFrame::offerDrafts() {
  std::optional<FoundDraft> chosen = OfferDrafts(prompts_, this, DraftFolder::ForUser());
  if (!chosen) {
    return false;
  }
  // Taken out before the draft is handed on whole: the run starts from copies of its own.
  const DraftWizard kind = chosen->draft.wizard;
  ResponseRecord record = chosen->draft.record;
  QString fileName = QString::fromStdString(chosen->draft.fileName);
  std::optional<RecordEdit> edit = chosen->draft.edit;
  runWizard(kind, std::move(record), std::move(fileName), std::move(edit), std::move(chosen));
  return true;
}

void CMainFrame::runWizard(DraftWizard kind, ResponseRecord record, QString fileName,
                           std::optional<RecordEdit> edit, std::optional<FoundDraft> resumed) {
  view_->dropAnalysis();
  AcvSettings settings(&settingsWarning_);
  const bool editing = edit.has_value();
  // Runs the wizard, keeping a draft of its run; true when it ended with Finish.
  const auto run = [&](EntryWizard& wizard) {
    if (resumed) {
      wizard.resume(DraftFolder::ForUser(), std::move(*resumed));
    } else {
      wizard.keepDraft(DraftFolder::ForUser());
    }
    FitToScreen(wizard);
    return wizard.exec() == QDialog::Accepted;
  };
  if (kind == DraftWizard::kPaper) {
    record.SetEntryMethod(kEnteredFromPaper);
    Analysis analysis;
    const std::unique_ptr<CAdultQSheet> sheet =
        edit ? std::make_unique<CAdultQEditSheet>(prompts_, record, fileName, analysis, *edit, this)
             : std::make_unique<CAdultQSheet>(prompts_, record, fileName, analysis, this);
    sheet->savePage()->setInitialChoice(StoredChoice(settings));
    if (settings.requireDoubleEntry()) {
      sheet->requireVerification();
    }
    if (run(*sheet)) {
      if (editing) {
        settings.setEditLayout(EditLayout::kPaper);
      }
      const PaperSavePage& page = *sheet->savePage();
      if (FinishPaperWizard(*view_, settings, page, fileName, analysis)) {
        // The records shown are in the file just written, as if the Analysis dialog chose them.
        analysed_ = {page.lastSave().fileName, page.analysedIndexes()};
      }
    }
  } else {
    record.SetEntryMethod(kEnteredOnScreen);
    const std::unique_ptr<CAdultSheet> sheet =
        edit ? std::make_unique<CAdultEditSheet>(prompts_, record, fileName, *edit, this)
             : std::make_unique<CAdultSheet>(prompts_, record, fileName, this);
    if (run(*sheet)) {
      settings.setAcvFileName(fileName);
      if (editing) {
        settings.setEditLayout(EditLayout::kOnScreen);
      }
      settings.write();
    }
  }
  view_->update();
}

void CMainFrame::completeOnScreenCommand() {
  if (!offerDrafts()) {
    runWizard(DraftWizard::kOnScreen, ResponseRecord(),
              AcvSettings(&settingsWarning_).acvFileName(), std::nullopt, std::nullopt);
  }
}

void CMainFrame::enterResponsesCommand() {
  if (!offerDrafts()) {
    runWizard(DraftWizard::kPaper, ResponseRecord(), AcvSettings(&settingsWarning_).acvFileName(),
              std::nullopt, std::nullopt);
  }
}

void CMainFrame::editCommand() {
  if (offerDrafts()) {
    return;
  }
  AcvSettings settings(&settingsWarning_);
  CAdultEdit dialog(prompts_, settings.acvFileName(), settings.editLayout(), this);
  if (dialog.exec() != QDialog::Accepted) {
    return;
  }
  settings.setEditLayout(dialog.editLayout());
  settings.setAcvFileName(dialog.fileName());
  settings.write();
  // Read again with the stored bytes, which a replace checks are still there.
  RecordEdit edit;
  if (RecordEdit::Open(dialog.fullFileName(), dialog.recordIndex(), &edit) != FileStatus::kOk) {
    prompts_.show(this, Message(MessageId::kReadError));
    return;
  }
  const ResponseRecord record = edit.unedited;
  runWizard(
      dialog.editLayout() == EditLayout::kPaper ? DraftWizard::kPaper : DraftWizard::kOnScreen,
      record, dialog.fileName(), std::move(edit), std::nullopt);
}

void CMainFrame::printCommand() {
  if (!view_->hasReport()) {
    return;
  }
  switch (PrintAnalysis(view_->analysis(), *printDialogs_, prompts_, this)) {
    case Printed::kOnPaper:
      noteTakenOut(HistoryAction::kReportPrinted);
      break;
    case Printed::kAsPdf:
      noteTakenOut(HistoryAction::kReportPdf);
      break;
    case Printed::kNothing:
      break;
  }
}

void CMainFrame::printPreviewCommand() {
  if (view_->hasReport()) {
    PreviewAnalysis(view_->analysis(), *printDialogs_, this);
  }
}

void CMainFrame::saveAsCommand() {
  if (!view_->hasReport()) {
    prompts_.show(this, Message(MessageId::kNoAnalysisSelection));
    return;
  }
  AcvSettings settings(&settingsWarning_);
  const Analysis& analysis = view_->analysis();
  CAnalysis_Save_As dialog(prompts_, analysis, ReportFileStart(settings, analysis), this);
  if (dialog.exec() == QDialog::Accepted) {
    settings.setAnalysisFileName(dialog.savedName());
    settings.write();
    noteTakenOut(HistoryAction::kReportRtf);
  }
}

bool CMainFrame::exportPasswordAccepted() {
  const ExportPasswords passwords(exportPasswordFile_, exportPasswordOwner_);
  if (!passwords.refusal().empty()) {
    prompts_.show(this, Message(MessageId::kExportPasswordRefused, {passwords.refusal()}));
    return false;
  }
  if (!passwords.AnySet()) {
    prompts_.show(this, Message(MessageId::kNoExportPassword));
    return false;
  }
  CAdultExportPassword password(prompts_, passwords, this);
  return password.exec() == QDialog::Accepted;
}

void CMainFrame::exportCommand() {
  if (!exportPasswordAccepted()) {
    return;
  }
  AcvSettings settings(&settingsWarning_);
  CAdultExport dialog(prompts_, settings.acvFileName(), settings.exportFileName(), this);
  dialog.exec();
  if (dialog.exportDone()) {
    settings.setAcvFileName(dialog.acvFileName());
    settings.setExportFileName(dialog.exportFileName());
    settings.write();
  }
}

void CMainFrame::exportFhirCommand() {
  if (!view_->hasReport()) {
    prompts_.show(this, Message(MessageId::kNoAnalysisSelection));
    return;
  }
  if (!exportPasswordAccepted()) {
    return;
  }
  const AcvSettings settings(&settingsWarning_);
  // A report is amended when the history shows its record edited; one not read from a file (by
  // the Analysis dialog, or after a paper copy was saved) is exported as it stands.
  const std::set<int> edited =
      analysed_.file.empty() ? std::set<int>() : fhir::EditedRecords(analysed_.file);
  const std::array<bool, 2> amended = {edited.contains(analysed_.indexes[0]),
                                       edited.contains(analysed_.indexes[1])};
  const bool exported = ExportAnalysisAsFhir(
      prompts_, view_->analysis(), amended,
      ReportFileStart(settings, view_->analysis()) + QStringLiteral(".json"), this);
  if (exported) {
    noteTakenOut(HistoryAction::kExportedFhir);
  }
}

std::vector<int> CMainFrame::analysedIndexes() const {
  std::vector<int> shown;
  std::copy_if(analysed_.indexes.begin(), analysed_.indexes.end(), std::back_inserter(shown),
               [](int index) { return index >= 0; });
  return shown;
}

void CMainFrame::noteTakenOut(HistoryAction action) {
  // An analysis not read from a file (by the Analysis dialog, or after a paper copy was saved)
  // has no file to note it in.
  if (!analysed_.file.empty() && !RecordDataTakenOut(analysed_.file, action, analysedIndexes())) {
    prompts_.show(this, Message(MessageId::kTakeOutNotNoted, {std::string(kNameMark)}),
                  {fileNameToQt(analysed_.file)});
  }
}

void CMainFrame::historyCommand() {
  if (!view_->hasReport() || analysed_.file.empty()) {
    prompts_.show(this, Message(MessageId::kNoAnalysisSelection));
    return;
  }
  HistoryReview review;
  if (const FileStatus status = ReviewHistory(analysed_.file, &review); status != FileStatus::kOk) {
    prompts_.show(this, OpenedFileMessage(status, std::string(kNameMark)),
                  {fileNameToQt(analysed_.file)});
    return;
  }
  HistoryDialog dialog(review, analysedIndexes(), this);
  dialog.exec();
}

void CMainFrame::aboutCommand() {
  AboutDialog about(this);
  about.exec();
}

void CMainFrame::webSiteCommand() {
  if (!prompts_.openWebAddress(toQt(product::kWebAddress))) {
    UserMessage message = Message(MessageId::kWebSiteNotOpened);
    message.caption = product::kName;
    message.text += product::kWebAddress;
    prompts_.show(this, message);
  }
}

}  // namespace acv
