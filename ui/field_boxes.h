// The text boxes of the entry pages and the selection dialogs. A box takes only characters a
// record can store (code page 1252, without the byte the file pads fields with) and no more than
// its field holds, one byte a character; a multi-line box counts a line break as the two bytes
// "\r\n" it is stored as.
#pragma once

#include <QPlainTextEdit>
#include <QValidator>
#include <string>
#include <string_view>

#include "engine/response_record.h"

class QLineEdit;

namespace acv {

// The hint a box of stored text shows when the mouse rests on it.
QString CodePageHint();
// Gives `area` (a page) the hint as its accessible description when a box of stored text is in
// it, and none otherwise: a screen reader hears it once for the page, not at every box.
void DescribeStorableText(QWidget* area);

// Gives `box` the keyboard focus as Tab does, its text selected, so that what is typed next
// replaces it (Tab alone selects nothing in a box that has the focus already).
void FocusSelected(QLineEdit* box);

// True for a character a record text can hold.
bool IsStorableCharacter(QChar c);

class StorableTextValidator : public QValidator {
  Q_OBJECT

 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

// A single-line box of at most `width` characters, with the validator and the hint.
QLineEdit* NewFieldBox(QWidget* parent, const QString& objectName, int width);
inline QLineEdit* NewFieldBox(QWidget* parent, const QString& objectName, TextField field) {
  return NewFieldBox(parent, objectName, FieldWidth(field));
}

// A multi-line box whose stored form ("\r\n" line breaks) fits `width` bytes. Enter starts a new
// line; Tab moves the focus.
class FieldTextEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  FieldTextEdit(int width, QWidget* parent = nullptr);

  // The text as a record stores it, and back.
  std::string storedText() const;
  void setStoredText(std::string_view text);

 private:
  // Drops what cannot be stored and cuts what was just typed or pasted to fit.
  void keepStorable();

  int width_;
  bool adjusting_ = false;
};

}  // namespace acv
