#include "ui/field_boxes.h"

#include "engine/cp1252.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QToolTip>
#include <algorithm>

#include "storage/format/format.h"
#include "ui/text.h"

namespace acv {
namespace {

constexpr const char* kHintProperty = "acvCodePageHint";

// Shows the code-page hint over a box the mouse rests on. A tool tip set on each box would also
// be each box's description for assistive technology, said again at every box.
class HintOnHover : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) {
      return false;
    }
    auto* box = static_cast<QWidget*>(watched);
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), CodePageHint(), box);
    return true;
  }
};

void AddHint(QWidget* box) {
  static HintOnHover* const hint = new HintOnHover(qApp);
  box->installEventFilter(hint);
  box->setProperty(kHintProperty, true);
}

// Bytes of the stored text: a line break is stored as "\r\n".
int StoredLength(const QString& text) {
  return static_cast<int>(text.size() + text.count(QLatin1Char('\n')));
}

}  // namespace

QString CodePageHint() {
  return QCoreApplication::translate(
      "Entry", "Letters, digits and signs of Western European text only (code page 1252)");
}

void DescribeStorableText(QWidget* area) {
  const QList<QWidget*> inside = area->findChildren<QWidget*>();
  const bool any = std::any_of(inside.begin(), inside.end(), [](const QWidget* widget) {
    return widget->property(kHintProperty).toBool();
  });
  area->setAccessibleDescription(any ? CodePageHint() : QString());
}

void FocusSelected(QLineEdit* box) {
  box->setFocus(Qt::TabFocusReason);
  box->selectAll();
}

bool IsStorableCharacter(QChar c) {
  static const QString storable = [] {
    QString all;
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
      const QString one = toQt(std::string(1, static_cast<char>(byte)));
      if (IsStorableByte(static_cast<unsigned char>(byte)) && one.size() == 1) {
        all += one;
      }
    }
    return all;
  }();
  return storable.contains(c);
}

QValidator::State StorableTextValidator::validate(QString& input, int&) const {
  for (QChar c : input) {
    if (!IsStorableCharacter(c)) {
      return Invalid;
    }
  }
  return Acceptable;
}

QLineEdit* NewFieldBox(QWidget* parent, const QString& objectName, int width) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(objectName);
  box->setMaxLength(width);
  box->setValidator(new StorableTextValidator(box));
  AddHint(box);
  return box;
}

FieldTextEdit::FieldTextEdit(int width, QWidget* parent) : QPlainTextEdit(parent), width_(width) {
  setTabChangesFocus(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  AddHint(this);
  connect(this, &QPlainTextEdit::textChanged, this, &FieldTextEdit::keepStorable);
}

std::string FieldTextEdit::storedText() const {
  return fromQt(toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

void FieldTextEdit::setStoredText(std::string_view text) {
  setPlainText(toQt(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void FieldTextEdit::keepStorable() {
  if (adjusting_) {
    return;
  }
  const QString text = toPlainText();
  const int cursor = textCursor().position();
  QString kept;
  int keptCursor = 0;
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('\n') || IsStorableCharacter(text[i])) {
      kept += text[i];
      if (i < cursor) {
        ++keptCursor;
      }
    }
  }
  // What does not fit is cut just before the cursor, where it was typed or pasted; a line break
  // goes whole.
  while (StoredLength(kept) > width_ && keptCursor > 0) {
    kept.remove(--keptCursor, 1);
  }
  while (StoredLength(kept) > width_) {
    kept.chop(1);
  }
  if (kept == text) {
    return;
  }
  QScopedValueRollback<bool> guard(adjusting_, true);
  setPlainText(kept);
  QTextCursor moved = textCursor();
  moved.setPosition(keptCursor);
  setTextCursor(moved);
}

}  // namespace acv
