// Prompts for tests: records every message box and answers questions and file dialogs from
// queues the test fills beforehand.
#pragma once

#include <QList>
#include <QQueue>
#include <QString>

#include "ui/prompts.h"

namespace acv::testing {

class FakePrompts : public Prompts {
 public:
  struct Shown {
    QString caption;
    QString text;
    Icon icon;
  };
  struct Asked {
    QString caption;
    QString text;
    QString acceptText;
    QString rejectText;
    bool acceptIsDefault;
  };

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

  // What was shown, in order; captions alone for short checks.
  QList<Shown> shown;
  QStringList captions() const;
  QList<Asked> asked;
  // The boxes of choices shown (as questions, the buttons in acceptText joined by "|"), and the
  // indexes to choose, in order; an unexpected box gets its last button.
  QList<Asked> choices;
  QQueue<int> chosen;
  // The answers to give, in order; an unexpected question answers "no" and is recorded.
  QQueue<bool> answers;
  // The paths file dialogs return ("" for cancel), and the caption, start and filter they were
  // given.
  QQueue<QString> chosenFiles;
  QStringList fileDialogCaptions;
  QStringList fileDialogStarts;
  QStringList fileDialogFilters;
  QStringList openedAddresses;
  bool webAddressOpens = true;
};

}  // namespace acv::testing
