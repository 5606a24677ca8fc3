#include "ui/file_name_box.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

#include "storage/text/typed_input.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace acv {
namespace {

// Long enough for any path the file system takes.
constexpr int kNameLimit = 4096;

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

FileNameBox::FileNameBox(Prompts& prompts, const FileKind& kind, Browse browse, const QString& name,
                         QWidget* parent)
    : QWidget(parent), prompts_(prompts), kind_(kind), mode_(browse) {
  box_ = new QLineEdit(this);
  box_->setObjectName(QStringLiteral("fileName"));
  box_->setAccessibleName(name);
  box_->setMaxLength(kNameLimit);
  suffix_ = new QLabel(Latin1(kind_.suffix), this);
  suffix_->setObjectName(QStringLiteral("suffix"));
  browse_ = new QPushButton(tr("Bro&wse ..."), this);
  browse_->setObjectName(QStringLiteral("browse"));
  // Named after its box: "Data File: Browse".
  browse_->setAccessibleName(tr("%1: Browse").arg(name));
  browse_->setAutoDefault(false);
  setFocusProxy(box_);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(box_, 1);
  layout->addWidget(suffix_);
  layout->addWidget(browse_);
  connect(browse_, &QPushButton::clicked, this, &FileNameBox::browse);
}

QString FileNameBox::text() const {
  return box_->text();
}

void FileNameBox::setText(const QString& text) {
  box_->setText(text);
}

std::string FileNameBox::fileSystemName() const {
  return fileNameFromQt(box_->text());
}

void FileNameBox::setFileSystemName(std::string_view name) {
  if (name.ends_with(kind_.suffix)) {
    name.remove_suffix(kind_.suffix.size());
  }
  box_->setText(QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size()))));
}

void FileNameBox::browse() {
  if (guard_ && !guard_()) {
    return;
  }
  const QString start = box_->text() + Latin1(kind_.suffix);
  const QString filter = Latin1(kind_.filter);
  const QString chosen = mode_ == Browse::kOpen
                             ? prompts_.openFileName(this, tr("Open"), start, filter)
                             : prompts_.saveFileName(this, tr("Save As"), start, filter);
  if (chosen.isEmpty()) {
    return;
  }
  const std::optional<std::string> stem = StripChosenPath(fileNameFromQt(chosen), kind_.suffix);
  if (!stem) {
    prompts_.show(this, Message(kind_.wrongKind));
    return;
  }
  const QDir folder = QFileInfo(chosen).absoluteDir();
  if (mode_ == Browse::kSave && kind_.savedInExistingFolder && !folder.exists()) {
    prompts_.show(this, Message(MessageId::kFolderMissing),
                  {QDir::toNativeSeparators(folder.path())});
    return;
  }
  setFileSystemName(*stem);
  box_->setFocus();
  emit browsed();
}

}  // namespace acv
