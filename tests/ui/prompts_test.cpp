// The message boxes as the window shows them: a question without an icon, a message's icon
// named, and the lines of a
// message laid out at tab stops with their values one under another.
#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QMessageBox>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>

#include "engine/response_record.h"
#include "entry/pages/cancel_prompt.h"
#include "storage/text/messages.h"
#include "support/dialogs.h"
#include "support/record_builder.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace acv {
namespace {

// Where `text` starts across the box's label, laid out as the label lays it out.
qreal StartOf(QTextDocument& document, const QString& text) {
  document.size();  // lays the whole document out
  const QTextCursor found = document.find(text);
  if (found.isNull()) {
    qFatal("not shown: %s", qPrintable(text));
  }
  const QTextBlock block = found.block();
  const int at = found.selectionStart() - block.position();
  const QTextLine line = block.layout()->lineForTextPosition(at);
  return document.documentLayout()->blockBoundingRect(block).left() + line.cursorToX(at);
}

}  // namespace

class PromptsTest : public QObject {
  Q_OBJECT

 private slots:
  void theCancelQuestionHasNoIcon() {
    QtPrompts prompts;
    QMessageBox::Icon icon = QMessageBox::Critical;
    QString caption;
    testing::WhenShown<QMessageBox>([&](QMessageBox& box) {
      icon = box.icon();
      caption = box.windowTitle();
      QVERIFY(box.iconPixmap().isNull());
    });
    QVERIFY(!ConfirmCancel(prompts, nullptr));
    QCOMPARE(caption, QStringLiteral("Cancel Selected"));
    QCOMPARE(icon, QMessageBox::NoIcon);
  }

  // A message's icon is named for a screen reader by the kind of message.
  void aMessagesIconIsNamed() {
    QtPrompts prompts;
    for (const auto& [kind, name] : {std::pair{Prompts::Icon::kStop, "Error"},
                                     {Prompts::Icon::kInformation, "Information"},
                                     {Prompts::Icon::kExclamation, "Warning"}}) {
      QString named;
      testing::WhenShown<QMessageBox>([&](QMessageBox& box) {
        auto* picture = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
        named = picture != nullptr ? picture->accessibleName() : QString();
      });
      prompts.message(nullptr, QStringLiteral("Caption"), QStringLiteral("Text"), kind);
      QCOMPARE(named, QLatin1String(name));
    }
  }

  void theSavedPersonsDetailsStandOneUnderAnother() {
    const UserMessage success =
        SaveSuccessMessage(testing::TestRecord(kSelfReport, {.first = "Annabel",
                                                             .last = "Leeson",
                                                             .birthDate = "19800704",
                                                             .completed = "20260101"}),
                           "/home/clinic/acv_2026.cvr");
    const QString text = toQt(success.text);
    QtPrompts prompts;
    QString shown;
    QList<qreal> values;
    qreal labelsEnd = 0;
    qreal lineHeight = 0;
    testing::WhenShown<QMessageBox>([&](QMessageBox& box) {
      auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
      QVERIFY(label != nullptr);
      QTextDocument document;
      document.setDefaultFont(label->font());
      document.setDocumentMargin(0);
      document.setTextWidth(label->contentsRect().width());
      if (label->textFormat() == Qt::RichText) {
        document.setHtml(label->text());
      } else {
        document.setPlainText(label->text());
      }
      shown = document.toPlainText();
      for (const QString& value : QStringList{QStringLiteral("Annabel"), QStringLiteral("Leeson"),
                                              QStringLiteral("04/07/1980")}) {
        values << StartOf(document, value);
      }
      labelsEnd = StartOf(document, QStringLiteral("Birth:")) +
                  label->fontMetrics().horizontalAdvance(QStringLiteral("Birth:"));
      lineHeight = label->fontMetrics().height();
      box.accept();
    });
    prompts.message(nullptr, toQt(success.caption), text, Prompts::Icon::kInformation);
    QCOMPARE(shown.simplified(), text.simplified());
    QCOMPARE(values.size(), 3);
    QCOMPARE(values[1], values[0]);
    QCOMPARE(values[2], values[0]);
    // Right after the longest label, not a tab stop further on.
    QVERIFY2(values[0] > labelsEnd && values[0] < labelsEnd + 3 * lineHeight,
             qPrintable(QStringLiteral("%1 after %2").arg(values[0]).arg(labelsEnd)));
  }
};

}  // namespace acv

QTEST_MAIN(acv::PromptsTest)
#include "prompts_test.moc"
