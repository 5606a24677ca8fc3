#include "shell/history_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "storage/history/history_listing.h"

namespace acv {
namespace {

enum Column { kEntry, kTime, kUtc, kUser, kProgram, kAction, kRecord, kFields, kReason, kColumns };

// What the line above the table says: no history yet, what is wrong with it, or that it holds.
QString SummaryText(const HistoryReview& review, int shown) {
  if (!review.exists) {
    return QObject::tr(
        "This response file has no history yet. It begins with the next change made to the "
        "file.");
  }
  QStringList lines;
  for (const HistoryProblem& problem : review.problems) {
    lines << QString::fromStdString(ProblemText(problem));
  }
  if (!lines.isEmpty()) {
    return QObject::tr("The history does not hold: %1.").arg(lines.join(QStringLiteral("; ")));
  }
  return shown == 0 ? QObject::tr("The history holds no change to these records.")
                    : QObject::tr("The history holds, and every record matches it.");
}

}  // namespace

HistoryDialog::HistoryDialog(const HistoryReview& review, const std::vector<int>& indexes,
                             QWidget* parent)
    : QDialog(parent), table_(new QTableWidget(0, kColumns, this)), summary_(new QLabel(this)) {
  setObjectName(QStringLiteral("HistoryDialog"));
  setWindowTitle(tr("History"));
  table_->setObjectName(QStringLiteral("historyTable"));
  table_->setHorizontalHeaderLabels({tr("Entry"), tr("Time"), tr("Time (UTC)"), tr("User"),
                                     tr("Program"), tr("Action"), tr("Record"),
                                     tr("Fields changed"), tr("Reason")});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setTabKeyNavigation(false);  // Tab goes on to Close
  table_->setAccessibleName(tr("Changes to the records shown"));
  for (std::size_t at = 0; at < review.entries.size(); ++at) {
    const HistoryEntry& entry = review.entries[at];
    if (std::none_of(indexes.begin(), indexes.end(),
                     [&entry](int index) { return EntryConcerns(entry, index); })) {
      continue;
    }
    const int row = table_->rowCount();
    table_->insertRow(row);
    const QString cells[kColumns] = {QString::number(at + 1),
                                     QString::fromStdString(EntryTimeText(entry.time, false)),
                                     QString::fromStdString(EntryTimeText(entry.time, true)),
                                     QString::fromStdString(entry.user + "@" + entry.host),
                                     QString::fromStdString(entry.program),
                                     QString::fromStdString(std::string(ActionName(entry.action))),
                                     QString::number(entry.index),
                                     QString::fromStdString(entry.fields),
                                     QString::fromStdString(entry.reason)};
    for (int column = 0; column < kColumns; ++column) {
      table_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
  }
  table_->resizeColumnsToContents();
  table_->horizontalHeader()->setStretchLastSection(true);
  summary_->setObjectName(QStringLiteral("historySummary"));
  summary_->setTextFormat(Qt::PlainText);
  summary_->setWordWrap(true);
  summary_->setText(SummaryText(review, table_->rowCount()));
  auto* tableLabel = new QLabel(tr("&Entries:"), this);
  tableLabel->setBuddy(table_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary_);
  layout->addWidget(tableLabel);
  layout->addWidget(table_, 1);
  layout->addWidget(buttons);
  resize(760, 360);
}

}  // namespace acv
