#include "ui/buddy_label.h"

#include <QLabel>
#include <QRegularExpression>

namespace acv {

QLabel* BuddyLabel(const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  label->setBuddy(buddy);
  buddy->setAccessibleName(QString(text).remove(QRegularExpression(QStringLiteral("[&*:]"))));
  return label;
}

}  // namespace acv
