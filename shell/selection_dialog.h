// What the two selection dialogs share: the person's name and date of birth, the response file,
// loading the list of that person's records, and the checks made before a selection is used.
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "storage/records/record_search.h"
#include "storage/text/messages.h"
#include "ui/date_boxes.h"
#include "ui/file_name_box.h"
#include "ui/prompts.h"

class QDialogButtonBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace acv {

class SelectionDialog : public QDialog {
  Q_OBJECT

 public:
  // The list's selection mode and the OK button's text differ between the dialogs.
  SelectionDialog(Prompts& prompts, const QString& fileName, bool multiSelect,
                  const QString& okText, QWidget* parent);

  // A response file given by its whole path, whose suffix may be written in any case
  // ("SAMPLE.CVR", from the desktop): the box shows `shownName`, and while it holds that name
  // the list is read from `fullName`.
  void setExactFile(const QString& shownName, const std::string& fullName);

  // The response file of the list, without ".cvr" (for the settings) and with it.
  QString fileName() const;
  const std::string& fullFileName() const { return fullFileName_; }

  // The boxes, for keyboard tests and the dialog's own layout.
  QLineEdit* firstNameBox() const { return firstName_; }
  QLineEdit* lastNameBox() const { return lastName_; }
  QLineEdit* dayBox() const { return birthDate_->dayBox(); }
  QLineEdit* monthBox() const { return birthDate_->monthBox(); }
  QLineEdit* yearBox() const { return birthDate_->yearBox(); }
  QLineEdit* fileNameBox() const { return file_->box(); }
  QPushButton* browseButton() const { return file_->browseButton(); }
  QPushButton* loadButton() const { return load_; }
  QPushButton* okButton() const { return ok_; }
  QListWidget* list() const { return list_; }

 protected:
  // Reads the file's index: the analysis dialog reads only; the edit dialog asks to write.
  virtual FileStatus readIndex(const std::string& fullName, RecordIndex* index) = 0;
  // Runs after a list was loaded with matches.
  virtual void listLoaded() {}
  // The OK button: the checks and the reading of the chosen records.
  virtual void acceptSelection() = 0;

  // The matching records, one per list line.
  const std::vector<IndexEntry>& matches() const { return matches_; }
  std::vector<int> selectedRows() const;
  // True when the list was loaded and nothing was typed since, or the user chose to go on.
  bool confirmCriteriaUnchanged();
  void showMessage(const UserMessage& message);
  Prompts& prompts() const { return prompts_; }
  // Where a subclass puts its own controls, above the buttons.
  QVBoxLayout* extraArea() const { return extra_; }

 private:
  struct Criteria {
    QString firstName, lastName, day, month, year, fileName;
    bool operator==(const Criteria&) const = default;
  };
  Criteria typedCriteria() const;
  void loadList();

  Prompts& prompts_;
  QLineEdit* firstName_;
  QLineEdit* lastName_;
  DateBoxes* birthDate_;
  FileNameBox* file_;
  QPushButton* load_;
  QPushButton* ok_;
  QListWidget* list_;
  QVBoxLayout* extra_;
  std::optional<Criteria> loaded_;
  std::vector<IndexEntry> matches_;
  std::string fullFileName_;
  std::optional<std::pair<QString, std::string>> exactFile_;
};

}  // namespace acv
