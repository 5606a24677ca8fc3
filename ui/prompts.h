// Every message box and file dialog of the window goes through this interface, so that tests can
// answer them. Texts are always shown as plain text.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace acv {

struct UserMessage;

class Prompts {
 public:
  enum class Icon { kStop, kInformation, kExclamation };

  virtual ~Prompts() = default;

  // A modal box with an OK button.
  virtual void message(QWidget* parent, const QString& caption, const QString& text, Icon icon) = 0;
  // A modal box with two buttons; true when the first (`acceptText`) was chosen.
  virtual bool ask(QWidget* parent, const QString& caption, const QString& text,
                   const QString& acceptText, const QString& rejectText, bool acceptIsDefault) = 0;
  // A modal box with a button for each of `buttons` (the first the default, the last also
  // Escape and the close button); the index of the one chosen.
  virtual int choose(QWidget* parent, const QString& caption, const QString& text,
                     const QStringList& buttons) = 0;
  // File dialogs; the empty text when cancelled. `filter` is a Qt name filter such as
  // "ACV Files (*.cvr)". The save dialog asks nothing about an existing file: response files
  // are added to, and a caller that would replace a file asks through `ask` itself.
  virtual QString openFileName(QWidget* parent, const QString& caption, const QString& start,
                               const QString& filter) = 0;
  virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& start,
                               const QString& filter) = 0;
  // Opens a web address in the user's browser; false when that could not be done.
  virtual bool openWebAddress(const QString& address) = 0;

  // A message of the table (storage/text/messages.h) with its caption, text and icon; the
  // marks left in its text are filled from `names` in order, after the conversion from code
  // page 1252, so that a name need not fit it.
  void show(QWidget* parent, const UserMessage& message, const QStringList& names = {});
  // A question of the table; true when the first button was chosen.
  bool confirm(QWidget* parent, const UserMessage& question, const QString& acceptText,
               const QString& rejectText, bool acceptIsDefault);
};

// The production implementation, with Qt's own boxes and dialogs.
class QtPrompts : public Prompts {
 public:
  void message(QWidget* parent, const QString& caption, const QString& text, Icon icon) override;
  bool ask(QWidget* parent, const QString& caption, const QString& text, const QString& acceptText,
           const QString& rejectText, bool acceptIsDefault) override;
  int choose(QWidget* parent, const QString& caption, const QString& text,
             const QStringList& buttons) override;
  QString openFileName(QWidget* parent, const QString& caption, const QString& start,
                       const QString& filter) override;
  QString saveFileName(QWidget* parent, const QString& caption, const QString& start,
                       const QString& filter) override;
  bool openWebAddress(const QString& address) override;
};

}  // namespace acv
