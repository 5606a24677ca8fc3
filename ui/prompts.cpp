#include "ui/prompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "storage/text/messages.h"
#include "ui/text.h"

namespace acv {
namespace {

QMessageBox::Icon toQt(Prompts::Icon icon) {
  switch (icon) {
    case Prompts::Icon::kStop:
      return QMessageBox::Critical;
    case Prompts::Icon::kInformation:
      return QMessageBox::Information;
    case Prompts::Icon::kExclamation:
      return QMessageBox::Warning;
  }
  return QMessageBox::NoIcon;
}

QString IconName(Prompts::Icon icon) {
  switch (icon) {
    case Prompts::Icon::kStop:
      return QObject::tr("Error");
    case Prompts::Icon::kInformation:
      return QObject::tr("Information");
    case Prompts::Icon::kExclamation:
      return QObject::tr("Warning");
  }
  return QString();
}

Prompts::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kInformation:
      return Prompts::Icon::kInformation;
    case MessageIcon::kExclamation:
      return Prompts::Icon::kExclamation;
    default:
      return Prompts::Icon::kStop;
  }
}

// Keys typed ahead while a message shows (a space, a digit) neither close it nor reach the
// window behind: only Enter, Escape or a click do. Each such key sounds the bell.
class TypeAheadGuard : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
      return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool closes =
        key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape;
    if (closes || key->text().isEmpty()) {
      return false;
    }
    if (event->type() == QEvent::KeyPress) {
      QApplication::beep();
    }
    return true;
  }
};

// A plain text as the rich text a box shows. Lines that hold tabs become the rows of one table,
// a cell for each piece between tabs, so that the pieces after the tabs start at one place
// whatever the width of the pieces before them; a leading tab is an indent. Every other line is
// a paragraph of its own that keeps its blanks.
QString TabsAsTable(const QString& plain) {
  QString html;
  bool inTable = false;
  for (const QString& line : plain.split(QLatin1Char('\n'))) {
    const bool row = line.contains(QLatin1Char('\t'));
    if (row != inTable) {
      html += row ? QLatin1String("<table cellspacing=\"0\" cellpadding=\"0\">")
                  : QLatin1String("</table>");
      inTable = row;
    }
    if (!row) {
      html += QStringLiteral("<p style=\"margin: 0; white-space: pre-wrap\">%1</p>")
                  .arg(line.isEmpty() ? QStringLiteral("&nbsp;") : line.toHtmlEscaped());
      continue;
    }
    html += QLatin1String("<tr>");
    for (const QString& piece : line.split(QLatin1Char('\t'))) {
      html += QStringLiteral("<td style=\"padding-right: 1.5em; white-space: pre\">%1</td>")
                  .arg(piece.isEmpty() ? QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;")
                                       : piece.toHtmlEscaped());
    }
    html += QLatin1String("</tr>");
  }
  return inTable ? html + QLatin1String("</table>") : html;
}

}  // namespace

void Prompts::show(QWidget* parent, const UserMessage& message, const QStringList& names) {
  QString text = acv::toQt(message.text);
  const QChar mark(kNameMark.front());
  qsizetype at = 0;
  for (const QString& name : names) {
    at = text.indexOf(mark, at);
    if (at < 0) {
      break;
    }
    text.replace(at, 1, name);
    at += name.size();
  }
  this->message(parent, acv::toQt(message.caption), text, BoxIcon(message.icon));
}

bool Prompts::confirm(QWidget* parent, const UserMessage& question, const QString& acceptText,
                      const QString& rejectText, bool acceptIsDefault) {
  return ask(parent, acv::toQt(question.caption), acv::toQt(question.text), acceptText, rejectText,
             acceptIsDefault);
}

void QtPrompts::message(QWidget* parent, const QString& caption, const QString& text, Icon icon) {
  QMessageBox box(toQt(icon), caption, QString(), QMessageBox::Ok, parent);
  if (text.contains(QLatin1Char('\t'))) {
    box.setTextFormat(Qt::RichText);
    box.setText(TabsAsTable(text));
  } else {
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
  }
  // Qt's icon is a picture without a name; a screen reader says what kind of message it is.
  if (auto* picture = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"))) {
    picture->setAccessibleName(IconName(icon));
  }
  auto* guard = new TypeAheadGuard(&box);
  box.installEventFilter(guard);
  for (QAbstractButton* button : box.buttons()) {
    button->installEventFilter(guard);
  }
  box.exec();
}

int QtPrompts::choose(QWidget* parent, const QString& caption, const QString& text,
                      const QStringList& buttons) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::NoButton, parent);
  box.setTextFormat(Qt::PlainText);
  QList<QPushButton*> added;
  for (const QString& label : buttons) {
    added.append(box.addButton(label, QMessageBox::ActionRole));
  }
  box.setDefaultButton(added.first());
  box.setEscapeButton(added.last());
  box.exec();
  const auto chosen = added.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
  return chosen < 0 ? static_cast<int>(added.size()) - 1 : static_cast<int>(chosen);
}

bool QtPrompts::ask(QWidget* parent, const QString& caption, const QString& text,
                    const QString& acceptText, const QString& rejectText, bool acceptIsDefault) {
  // A question shows no icon.
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::NoButton, parent);
  box.setTextFormat(Qt::PlainText);
  QPushButton* accept = box.addButton(acceptText, QMessageBox::AcceptRole);
  QPushButton* reject = box.addButton(rejectText, QMessageBox::RejectRole);
  box.setDefaultButton(acceptIsDefault ? accept : reject);
  box.setEscapeButton(reject);
  box.exec();
  return box.clickedButton() == accept;
}

QString QtPrompts::openFileName(QWidget* parent, const QString& caption, const QString& start,
                                const QString& filter) {
  return QFileDialog::getOpenFileName(parent, caption, start, filter);
}

QString QtPrompts::saveFileName(QWidget* parent, const QString& caption, const QString& start,
                                const QString& filter) {
  return QFileDialog::getSaveFileName(parent, caption, start, filter, nullptr,
                                      QFileDialog::DontConfirmOverwrite);
}

bool QtPrompts::openWebAddress(const QString& address) {
  return QDesktopServices::openUrl(QUrl(address));
}

}  // namespace acv
