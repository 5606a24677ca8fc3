// The characters typed while a message shows, kept for the window behind it. While the object
// lives, every key that types a printable character (a digit, a letter, a blank) is taken from
// whatever would get it and kept in order; Enter, Escape, Tab and the chords with Ctrl or Alt go
// on as usual, so the message still closes with Enter.
#pragma once

#include <QObject>
#include <QString>

namespace acv {

class TypedAhead : public QObject {
 public:
  TypedAhead();
  ~TypedAhead() override;
  TypedAhead(const TypedAhead&) = delete;
  TypedAhead& operator=(const TypedAhead&) = delete;

  // What was typed so far, in order.
  const QString& text() const { return text_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString text_;
};

}  // namespace acv
