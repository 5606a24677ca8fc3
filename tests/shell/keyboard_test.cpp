// Every window and page from the keyboard: no shortcut letter used twice (the wizard's own
// buttons included), and every control named for assistive technology.
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWizard>
#include <QtTest>
#include <functional>
#include <memory>

#include "engine/analysis.h"
#include "engine/response_record.h"
#include "entry/adult_q_sheet.h"
#include "entry/adult_sheet.h"
#include "entry/item_page.h"
#include "entry/item_row.h"
#include "entry/pages/comments_page.h"
#include "entry/pages/details_page.h"
#include "entry/pages/report_type_page.h"
#include "entry/save_page.h"
#include "shell/adult_an.h"
#include "shell/adult_edit.h"
#include "shell/export_dialog.h"
#include "support/dialogs.h"
#include "support/fake_prompts.h"
#include "support/modal.h"
#include "support/show_active.h"

namespace acv {
namespace {

using testing::FakePrompts;

// A record every page lets pass, so that Next reaches any page.
ResponseRecord PassingRecord() {
  ResponseRecord record;
  record.SetReportType(kSelfReport);
  record.SetText(TextField::kFirstName, "Ann");
  record.SetText(TextField::kLastName, "Lee");
  record.SetText(TextField::kBirthDate, "19800101");
  for (int item = 1; item <= kItemCount; ++item) {
    record.SetResponse(item, 2);
  }
  return record;
}

// The shortcut letters of the visible labels and buttons of `window`, with their texts.
QMultiMap<QString, QString> Letters(QWidget& window) {
  QMultiMap<QString, QString> letters;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    QString text;
    if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && label->buddy()) {
      text = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      text = button->text();
    }
    const QString letter = QKeySequence::mnemonic(text).toString();
    if (!letter.isEmpty() && widget->isVisibleTo(&window)) {
      letters.insert(letter, text);
    }
  }
  return letters;
}

struct Window {
  // Makes the window, shown, and brings it to the state to check.
  std::function<std::unique_ptr<QWidget>(FakePrompts&)> open;
};

}  // namespace

class KeyboardTest : public QObject {
  Q_OBJECT

 private:
  FakePrompts prompts_;
  ResponseRecord record_ = PassingRecord();
  QString fileName_ = QStringLiteral("keyboard");
  Analysis analysis_;

  template <typename Sheet, typename... Extra>
  std::unique_ptr<QWidget> wizardAt(int page, bool chooseFile, Extra&... extra) {
    record_ = PassingRecord();
    auto sheet = std::make_unique<Sheet>(prompts_, record_, fileName_, extra..., nullptr);
    testing::ShowActive(sheet.get());
    while (sheet->currentId() < page) {
      sheet->next();
    }
    if (chooseFile) {
      static_cast<CAdultSheet*>(static_cast<QWizard*>(sheet.get()))
          ->savePage()
          ->setChooseFileMode(true);
    }
    return sheet;
  }
  template <typename Dialog>
  std::unique_ptr<QWidget> dialog(std::unique_ptr<Dialog> made) {
    testing::ShowActive(made.get());
    return made;
  }

 private slots:
  void everyWindow_data() {
    QTest::addColumn<int>("window");
    const int onScreenPages = CAdultSheet::kSavePage + 1;
    for (int page = 0; page < onScreenPages; ++page) {
      QTest::addRow("on screen page %d", page + 1) << page;
    }
    QTest::addRow("on screen page 24 choosing a file") << onScreenPages;
    for (int page = 0; page <= CAdultQSheet::kSavePage; ++page) {
      QTest::addRow("paper page %d", page + 1) << 100 + page;
    }
    QTest::addRow("export dialog") << 200;
    QTest::addRow("edit dialog") << 201;
    QTest::addRow("analysis dialog") << 202;
  }

  void everyWindow() {
    QFETCH(int, window);
    std::unique_ptr<QWidget> shown;
    const int onScreenPages = CAdultSheet::kSavePage + 1;
    if (window <= onScreenPages) {
      shown = wizardAt<CAdultSheet>(std::min(window, onScreenPages - 1), window == onScreenPages);
    } else if (window < 200) {
      shown = wizardAt<CAdultQSheet>(window - 100, false, analysis_);
    } else if (window == 200) {
      shown = dialog(std::make_unique<CAdultExport>(prompts_, fileName_, fileName_, nullptr));
    } else if (window == 201) {
      shown = dialog(std::make_unique<CAdultEdit>(prompts_, fileName_, EditLayout::kOnScreen));
    } else {
      shown = dialog(std::make_unique<CAdultAn>(prompts_, fileName_));
    }
    const QMultiMap<QString, QString> letters = Letters(*shown);
    for (const QString& letter : letters.uniqueKeys()) {
      QVERIFY2(letters.count(letter) == 1,
               qPrintable(letter + QLatin1String(": ") +
                          QStringList(letters.values(letter)).join(QLatin1String(" | "))));
    }
    // A wizard's pages not shown yet hold no items to name.
    auto* wizard = qobject_cast<QWizard*>(shown.get());
    QCOMPARE(testing::Unnamed(wizard != nullptr ? *wizard->currentPage() : *shown), QStringList());
  }

  // An Alt chord presses the control of its letter, or does nothing; it never types.
  void altChordsNeverType() {
    auto shown = wizardAt<CAdultSheet>(CAdultSheet::kCommentsPage, false);
    auto& sheet = static_cast<CAdultSheet&>(*shown);
    QPlainTextEdit* comments = sheet.commentsPage()->findChild<QPlainTextEdit*>();
    comments->setFocus();
    QTest::keyClick(comments, Qt::Key_B, Qt::AltModifier);
    // A button pressed by its letter clicks a moment later.
    QTRY_COMPARE(sheet.currentId(), CAdultSheet::kCommentsPage - 1);
    QCOMPARE(comments->toPlainText(), QString());
    auto details = wizardAt<CAdultSheet>(CAdultSheet::kDetailsPage, false);
    QLineEdit* street = details->findChild<QLineEdit*>(QStringLiteral("streetAddress"));
    street->setFocus();
    QTest::keyClick(street, Qt::Key_Q, Qt::AltModifier);
    QCOMPARE(street->text(), QString());
  }

  // Enter moves on under every desktop: Next, or the blank-items box; it never ticks a choice.
  void enterMovesOn() {
    if (qgetenv("QT_QPA_PLATFORMTHEME") == "gnome") {
      // The desktop's own theme is in force: it marks its standard buttons' letters.
      QDialogButtonBox box(QDialogButtonBox::Cancel);
      QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("&Cancel"));
    }
    auto shown = wizardAt<CAdultSheet>(CAdultSheet::kReportTypePage, false);
    auto& sheet = static_cast<CAdultSheet&>(*shown);
    QRadioButton* self = sheet.reportTypePage()->selfButton();
    QCOMPARE(QApplication::focusWidget(), self);
    QTest::keyClick(self, Qt::Key_Return);
    QCOMPARE(sheet.currentId(), static_cast<int>(CAdultSheet::kDetailsPage));
    for (int item = 1; item <= 10; ++item) {
      record_.SetResponse(item, -1);
    }
    sheet.next();
    ItemRow* first = sheet.itemPage(0)->findChild<ItemRow*>(QStringLiteral("row0"));
    QCOMPARE(QApplication::focusWidget(), first->focusChoice());
    auto seen = std::make_shared<testing::ModalSeen>();
    testing::ClickInModal(QStringLiteral("Continue with the current page"), seen);
    QTest::keyClick(first->focusChoice(), Qt::Key_Enter);
    QCOMPARE(seen->caption, QStringLiteral("Blank Items"));
    QCOMPARE(first->answer(), -1);
    QCOMPARE(sheet.currentId(), static_cast<int>(CAdultSheet::kFirstItemPage));
  }
};

}  // namespace acv

QTEST_MAIN(acv::KeyboardTest)
#include "keyboard_test.moc"
