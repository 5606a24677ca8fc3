// A person typed into the selection dialogs (Analysis and Edit) as a user types one, and the
// Analysis dialog answered as a user does: the person typed in, the list loaded, every report on
// it chosen and analysed.
#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "shell/adult_an.h"
#include "shell/selection_dialog.h"
#include "support/dialogs.h"

namespace acv::testing {

// Types a person's details into the dialog's boxes, cleared first; Alex Morgan's unless told.
inline void TypePerson(SelectionDialog& dialog, const QString& first = QStringLiteral("alex"),
                       const QString& last = QStringLiteral("MORGAN"), const QString& day = "7",
                       const QString& month = "3", const QString& year = "1975") {
  for (QLineEdit* box : {dialog.firstNameBox(), dialog.lastNameBox(), dialog.dayBox(),
                         dialog.monthBox(), dialog.yearBox()}) {
    box->clear();
  }
  QTest::keyClicks(dialog.firstNameBox(), first);
  QTest::keyClicks(dialog.lastNameBox(), last);
  QTest::keyClicks(dialog.dayBox(), day);
  QTest::keyClicks(dialog.monthBox(), month);
  QTest::keyClicks(dialog.yearBox(), year);
}

// Answers the next Analysis dialog with Alex Morgan, born 7 March 1975: both reports of the
// sample file.
inline void AnalyseAlexMorgan() {
  WhenShown<CAdultAn>([](CAdultAn& dialog) {
    TypePerson(dialog, QStringLiteral("Alex"), QStringLiteral("Morgan"));
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    dialog.list()->selectAll();
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
  });
}

}  // namespace acv::testing
