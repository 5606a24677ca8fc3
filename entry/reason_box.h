// "Reason for change" on the last page of both wizards while a stored record is edited: what the
// user types is kept with the change in the file's history. It must be given before an edit
// replaces the stored record; an edit saved as a new record may leave it blank. The saver holds
// the text, and asks the box to take the focus when Finish finds it missing.
#pragma once

#include <QWidget>

class QLineEdit;

namespace acv {

class RecordSaver;

class ReasonBox : public QWidget {
  Q_OBJECT

 public:
  // The box for `saver`'s edit, or null when it saves a new record.
  static ReasonBox* ForEdit(RecordSaver& saver);

  explicit ReasonBox(RecordSaver& saver, QWidget* parent = nullptr);

  QLineEdit* edit() const { return edit_; }

 private:
  QLineEdit* edit_;
};

}  // namespace acv
