// The Analysis dialog answered as a user does: the person typed in, the list loaded, every
// report on it chosen and analysed.
#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "shell/adult_an.h"
#include "support/dialogs.h"

namespace acv::testing {

// Answers the next Analysis dialog with Alex Morgan, born 7 March 1975: both reports of the
// sample file.
inline void AnalyseAlexMorgan() {
  WhenShown<CAdultAn>([](CAdultAn& dialog) {
    QTest::keyClicks(dialog.firstNameBox(), QStringLiteral("Alex"));
    QTest::keyClicks(dialog.lastNameBox(), QStringLiteral("Morgan"));
    QTest::keyClicks(dialog.dayBox(), QStringLiteral("7"));
    QTest::keyClicks(dialog.monthBox(), QStringLiteral("3"));
    QTest::keyClicks(dialog.yearBox(), QStringLiteral("1975"));
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    dialog.list()->selectAll();
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
  });
}

}  // namespace acv::testing
