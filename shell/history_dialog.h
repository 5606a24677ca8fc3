// "History": what the response file's history holds about the records of the analysis shown,
// one entry a row, in a table a screen reader reads cell by cell with its column's name.
#pragma once

#include <QDialog>
#include <vector>

#include "storage/history/history_review.h"

class QLabel;
class QTableWidget;

namespace acv {

class HistoryDialog : public QDialog {
  Q_OBJECT

 public:
  // The entries of `review` that concern one of `indexes`, numbered as acv history numbers them.
  HistoryDialog(const HistoryReview& review, const std::vector<int>& indexes,
                QWidget* parent = nullptr);

  // For tests: the table, and the line above it that says whether the history holds.
  QTableWidget* table() const { return table_; }
  QLabel* summary() const { return summary_; }

 private:
  QTableWidget* table_;
  QLabel* summary_;
};

}  // namespace acv
