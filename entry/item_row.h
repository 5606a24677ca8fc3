// One row of an item page: the item's number, its statement, six choices ("Never" to "Very
// Often") in one group that can also show nothing chosen, and "Clear". Tab stops once per row, at
// the choice made (or "Never"); the arrow keys move between the choices; a digit 0..5 chooses
// that answer and Delete clears the row.
#pragma once

#include <QWidget>
#include <array>

class QAbstractButton;
class QButtonGroup;
class QGridLayout;
class QLabel;
class QPushButton;
class QRadioButton;

namespace acv {

inline constexpr int kAnswerCount = 6;
// The label of each answer 0..5, as shown to the respondent.
QString AnswerLabel(int answer);

// The column widths the rows and the headings above them share.
struct ItemColumns {
  int number;
  int answer;
  int clear;
  // Widths for the widget's font.
  static ItemColumns For(const QWidget& widget);
  // Sets the widths of the fixed columns of a row or heading grid (number, statement, answers,
  // clear).
  void apply(QGridLayout& grid) const;
};

class ItemRow : public QWidget {
  Q_OBJECT

 public:
  ItemRow(const ItemColumns& columns, QWidget* parent = nullptr);

  void setItem(int item, const QString& statement);
  int item() const { return item_; }
  QString statement() const;
  QLabel* statementLabel() const { return statement_; }

  // 0..5, or -1 when nothing is chosen.
  int answer() const;
  void setAnswer(int answer);

  QRadioButton* choice(int answer) const { return choices_[answer]; }
  QPushButton* clearButton() const { return clear_; }
  // Where Tab stops in this row: the choice made, else the first.
  QRadioButton* focusChoice() const;

 signals:
  // A digit was typed on the row: its answer is set and the focus may move on.
  void answeredByKey();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void updateTabStop();

  int item_ = 0;
  QLabel* number_;
  QLabel* statement_;
  QButtonGroup* group_;
  std::array<QRadioButton*, kAnswerCount> choices_;
  QPushButton* clear_;
};

}  // namespace acv
