// A file-name box: the name typed without its extension, the fixed suffix shown beside it as a
// label (".cvr", ".csv", ".rtf") and a "Browse ..." button. Browse opens a file dialog on the
// typed name plus the suffix; a chosen path of at least five characters that does not end in a
// separator, ends in the suffix (lower case) and has no other "." in the four characters before
// it goes into the box without the suffix; any other path is refused with the kind's message
// (caption "Incorrect File Name") and the box keeps its text, as is a file to be saved in a
// folder that does not exist when the kind asks for one that does.
//
// The box holds the name as the user sees it. The file layer takes names in the file system's
// encoding: `fileSystemName` gives it (QFile::encodeName) and `setFileSystemName` takes one back
// (QFile::decodeName). Only record texts are code page 1252.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <string_view>

#include "storage/format/format.h"
#include "storage/text/messages.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace acv {

class Prompts;

// What a file box holds: the suffix beside it, the file dialog's filter, the message for a
// chosen path of another kind, and whether a file saved by Browse must lie in a folder that
// exists (a response file is made there only when a record is saved).
struct FileKind {
  std::string_view suffix;
  std::string_view filter;
  MessageId wrongKind;
  bool savedInExistingFolder = false;
};

inline constexpr FileKind kResponseFileKind{kResponseFileSuffix, "ACV Files (*.cvr)",
                                            MessageId::kBrowseNotCvr, true};
inline constexpr FileKind kCsvFileKind{".csv", "Comma Separated Variable Files (*.csv)",
                                       MessageId::kBrowseNotCsv};

class FileNameBox : public QWidget {
  Q_OBJECT

 public:
  // kOpen for a file that must exist; kSave for one that may be made or added to (the dialog
  // asks nothing about an existing file).
  enum class Browse { kOpen, kSave };

  // `name` is the box's name for assistive tools ("Data File").
  FileNameBox(Prompts& prompts, const FileKind& kind, Browse browse, const QString& name,
              QWidget* parent = nullptr);

  QLineEdit* box() const { return box_; }
  QLabel* suffixLabel() const { return suffix_; }
  QPushButton* browseButton() const { return browse_; }

  QString text() const;
  void setText(const QString& text);
  // The typed name (without the suffix) in the file system's encoding, for the file layer.
  std::string fileSystemName() const;
  // Shows a name the file layer gave back, without the suffix when it ends in it.
  void setFileSystemName(std::string_view name);
  // The suffix as the file layer takes it.
  std::string_view suffix() const { return kind_.suffix; }

  // Asked before Browse opens its dialog; false opens nothing and changes nothing (a page that
  // must keep its file name shows its own message).
  void setBrowseGuard(std::function<bool()> guard) { guard_ = std::move(guard); }

 signals:
  // Browse put a chosen name into the box.
  void browsed();

 private:
  void browse();

  Prompts& prompts_;
  FileKind kind_;
  Browse mode_;
  QLineEdit* box_;
  QLabel* suffix_;
  QPushButton* browse_;
  std::function<bool()> guard_;
};

}  // namespace acv
