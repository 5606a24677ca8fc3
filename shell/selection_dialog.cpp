#include "shell/selection_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/dates.h"
#include "storage/format/format.h"
#include "storage/text/messages.h"
#include "ui/buddy_label.h"
#include "ui/field_boxes.h"
#include "ui/key_rules.h"
#include "ui/prompts.h"
#include "ui/screen_fit.h"
#include "ui/text.h"
#include "ui/wait_cursor.h"

namespace acv {

SelectionDialog::SelectionDialog(Prompts& prompts, const QString& fileName, bool multiSelect,
                                 const QString& okText, QWidget* parent)
    : QDialog(parent), prompts_(prompts) {
  InstallKeyRules();
  FitOnShow(*this);
  firstName_ = NewFieldBox(this, QStringLiteral("firstName"), TextField::kFirstName);
  lastName_ = NewFieldBox(this, QStringLiteral("lastName"), TextField::kLastName);
  birthDate_ = new DateBoxes(tr("Date Of Birth"), this);
  file_ = new FileNameBox(prompts_, kResponseFileKind, FileNameBox::Browse::kOpen, tr("Data File"),
                          this);
  file_->setText(fileName);
  load_ = new QPushButton(tr("&Load/Reload Matching ACV Records"), this);
  load_->setObjectName(QStringLiteral("load"));
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("records"));
  list_->setAccessibleName(tr("Matching ACV records"));
  list_->setSelectionMode(multiSelect ? QAbstractItemView::MultiSelection
                                      : QAbstractItemView::SingleSelection);
  list_->setMinimumSize(460, 140);

  auto* privacy = new QLabel(
      tr("Enter the person's name and date of birth and the ACV file, then load the matching "
         "records.\nFor data privacy reasons a lookup facility has not been provided."));
  privacy->setTextFormat(Qt::PlainText);
  privacy->setWordWrap(true);

  auto* form = new QFormLayout;
  form->addRow(BuddyLabel(tr("&First Name:"), firstName_), firstName_);
  form->addRow(BuddyLabel(tr("La&st Name:"), lastName_), lastName_);
  auto* birthLabel = new QLabel(tr("&Date Of Birth:"));
  birthLabel->setBuddy(birthDate_->dayBox());
  form->addRow(birthLabel, birthDate_);
  auto* fileLabel = new QLabel(tr("Data F&ile:"));
  fileLabel->setBuddy(file_->box());
  form->addRow(fileLabel, file_);

  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(okText, QDialogButtonBox::AcceptRole);
  ok_->setObjectName(QStringLiteral("ok"));
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  cancel->setObjectName(QStringLiteral("cancel"));
  load_->setDefault(false);
  load_->setAutoDefault(false);
  ok_->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(privacy);
  layout->addLayout(form);
  layout->addWidget(load_, 0, Qt::AlignLeft);
  auto* listLabel = new QLabel(tr("Matchin&g records:"));
  listLabel->setBuddy(list_);
  layout->addWidget(listLabel);
  layout->addWidget(list_, 1);
  extra_ = new QVBoxLayout;
  layout->addLayout(extra_);
  layout->addWidget(buttons);

  connect(load_, &QPushButton::clicked, this, &SelectionDialog::loadList);
  connect(ok_, &QPushButton::clicked, this, [this] { acceptSelection(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  // The first click of a double-click on a selected line of a multiple-selection list takes it
  // out of the selection; the double-click means that line.
  connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    item->setSelected(true);
    acceptSelection();
  });
  firstName_->setFocus();
}

void SelectionDialog::setExactFile(const QString& shownName, const std::string& fullName) {
  file_->setText(shownName);
  exactFile_.emplace(shownName, fullName);
}

QString SelectionDialog::fileName() const {
  return loaded_ ? loaded_->fileName : QString();
}

SelectionDialog::Criteria SelectionDialog::typedCriteria() const {
  return {firstName_->text(), lastName_->text(), dayBox()->text(),
          monthBox()->text(), yearBox()->text(), file_->text()};
}

void SelectionDialog::showMessage(const UserMessage& message) {
  prompts_.show(this, message);
}

void SelectionDialog::loadList() {
  // A button pressed with its shortcut takes no focus, so the date boxes may not have had
  // their focus-out rule yet.
  birthDate_->normalise();
  const auto fail = [&](const UserMessage& message, QLineEdit* box) {
    showMessage(message);
    box->setFocus();
    box->selectAll();
  };
  if (firstName_->text().isEmpty() || lastName_->text().isEmpty()) {
    fail(Message(MessageId::kNamesMandatory),
         firstName_->text().isEmpty() ? firstName_ : lastName_);
    return;
  }
  CalendarDate birth;
  const BirthDateCheck birthCheck = CheckBirthDate(birthDate_->dayText(), birthDate_->monthText(),
                                                   birthDate_->yearText(), Today(), &birth);
  if (birthCheck != BirthDateCheck::kOk) {
    fail(BirthDateMessage(birthCheck), birthCheck == BirthDateCheck::kEmpty
                                           ? birthDate_->firstEmptyBox()
                                       : birthCheck == BirthDateCheck::kUnder18 ? yearBox()
                                                                                : dayBox());
    return;
  }
  // The dialogs take the name without its extension: ".cvr" typed too is refused, as any other.
  const std::string typed = file_->fileSystemName();
  std::string fullName;
  const bool exact = exactFile_ && exactFile_->first == file_->text();
  if (exact) {
    fullName = exactFile_->second;
  }
  const FileNameCheck nameCheck = exact ? FileNameCheck::kOk
                                  : typed.ends_with(kResponseFileSuffix)
                                      ? FileNameCheck::kHasExtension
                                      : ResolveResponseFileName(typed, &fullName);
  if (nameCheck != FileNameCheck::kOk) {
    fail(FileNameMessage(nameCheck), fileNameBox());
    return;
  }

  list_->clear();
  matches_.clear();
  loaded_.reset();
  RecordIndex index;
  FileStatus status;
  {
    WaitCursor wait;
    status = readIndex(fullName, &index);
  }
  if (status != FileStatus::kOk) {
    prompts_.show(this, SelectionOpenMessage(status, std::string(kNameMark)), {file_->text()});
    fileNameBox()->setFocus();
    return;
  }
  fullFileName_ = fullName;
  loaded_ = typedCriteria();
  matches_ =
      FindPerson(index, fromQt(firstName_->text()), fromQt(lastName_->text()), FormatDate8(birth));
  if (index.corruptCount > 0) {
    showMessage(CorruptRecordsMessage(index.corruptCount));
  }
  if (matches_.empty()) {
    showMessage(Message(MessageId::kNoMatch));
    return;
  }
  for (const IndexEntry& entry : matches_) {
    QString line = toQt(ListLine(entry));
    // The record's verification beside the line as specified, in a few words.
    if (entry.verification) {
      line += tr("   (verified by double entry)");
    }
    auto* item = new QListWidgetItem(line, list_);
    item->setToolTip(toQt(VerificationText(entry.verification)));
  }
  list_->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  list_->setFocus();
  listLoaded();
}

std::vector<int> SelectionDialog::selectedRows() const {
  std::vector<int> rows;
  for (int row = 0; row < list_->count(); ++row) {
    if (list_->item(row)->isSelected()) {
      rows.push_back(row);
    }
  }
  return rows;
}

bool SelectionDialog::confirmCriteriaUnchanged() {
  if (loaded_ && *loaded_ == typedCriteria()) {
    return true;
  }
  return prompts_.confirm(this, Message(MessageId::kChangedCriteria), tr("Continue"), tr("Cancel"),
                          true);
}

}  // namespace acv
