// The main window: menu bar, toolbar, status bar and the analysis view. Every command runs
// modally and acts on its result.
#pragma once

#include <QMainWindow>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "storage/csv/export_passwords.h"
#include "storage/drafts/draft_folder.h"
#include "storage/history/history_entry.h"
#include "storage/records/record_edit.h"

#include "reports/report_printing.h"
#include "shell/acv_settings.h"

class QAction;
class QToolBar;

namespace acv {

class CTesselView;
class Prompts;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit CMainFrame(Prompts& prompts, QWidget* parent = nullptr);

  CTesselView* view() const { return view_; }
  QToolBar* toolBar() const { return toolBar_; }
  // The command of a menu entry, by its object name ("analysis", "print", ...).
  QAction* command(const QString& name) const;
  // Where the export passwords are read: the machine's file, which tests replace.
  void setExportPasswordFile(const std::string& path, uid_t owner) {
    exportPasswordFile_ = path;
    exportPasswordOwner_ = owner;
  }
  // The print and preview dialogs: Qt's own unless a test gives others.
  void setPrintDialogs(PrintDialogs& dialogs) { printDialogs_ = &dialogs; }
  // A response file the program was started with (a double-click on it), its suffix in any case:
  // the Analysis selection opens with its name in the file box and reads that very file. A path
  // that is not a readable response file gets the message the selection dialogs give, naming
  // the path; an empty path does nothing.
  void openAtStart(const QString& path);
  // Offers each unfinished questionnaire in the user's drafts; true when one was resumed (and
  // its wizard has closed again).
  bool offerDrafts();

 public slots:
  void analysisCommand();
  void completeOnScreenCommand();
  void enterResponsesCommand();
  void editCommand();
  void exportCommand();
  void exportFhirCommand();
  void historyCommand();
  void printCommand();
  void printPreviewCommand();
  void saveAsCommand();
  void aboutCommand();
  void webSiteCommand();

 private:
  void createCommands();
  // The CSV export's password rule, which every export of personal data follows: true once the
  // password dialog was accepted.
  bool exportPasswordAccepted();
  void updateCommands();
  // The Analysis selection on response file `fileName` (without ".cvr"); the chosen reports go
  // into the view.
  // `exactFile`, when given, is the whole path the list is read from (see setExactFile).
  void runAnalysis(const QString& fileName, const std::string& exactFile = {});
  // The indexes of the records analysed, and a note in their file's history that `action` took
  // them out (a box when it cannot be written).
  std::vector<int> analysedIndexes() const;
  void noteTakenOut(HistoryAction action);
  // An entry wizard of `kind` on `record` and `fileName` (without ".cvr"): a new record, or the
  // stored one of `edit`; `resumed` is the draft it goes on with. It keeps a draft of its run.
  void runWizard(DraftWizard kind, ResponseRecord record, QString fileName,
                 std::optional<RecordEdit> edit, std::optional<FoundDraft> resumed);

  Prompts& prompts_;
  // The response file and the records of the analysis shown, as the Analysis dialog chose them
  // or a paper copy's save loaded them.
  struct AnalysedRecords {
    std::string file;
    std::array<int, 2> indexes{-1, -1};  // by Report; -1 for a report not shown
  } analysed_;
  SettingsWarning settingsWarning_;  // a refused settings file is reported once
  CTesselView* view_;
  QToolBar* toolBar_ = nullptr;
  std::string exportPasswordFile_{kMachinePasswordFile};
  uid_t exportPasswordOwner_ = 0;  // root
  QtPrintDialogs qtPrintDialogs_;
  PrintDialogs* printDialogs_ = &qtPrintDialogs_;
};

}  // namespace acv
