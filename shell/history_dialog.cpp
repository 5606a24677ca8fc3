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

// The reason and the fields come early, where a narrow window still shows them.
enum Column { kEntry, kTime, kAction, kRecord, kReason, kFields, kUser, kProgram, kUtc, kColumns };

// A text of the history, which holds UTF-8.
QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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
  QStringList headers(kColumns);
  headers[kEntry] = tr("Entry");
  headers[kTime] = tr("Time");
  headers[kAction] = tr("Action");
  headers[kRecord] = tr("Record");
  headers[kReason] = tr("Reason");
  headers[kFields] = tr("Fields changed");
  headers[kUser] = tr("User");
  headers[kProgram] = tr("Program");
  headers[kUtc] = tr("Time (UTC)");
  table_->setHorizontalHeaderLabels(headers);
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setTabKeyNavigation(false);  // Tab goes on to Close
  table_->setAccessibleName(tr("Changes to the records shown"));
  for (std::size_t at = 0; at < review.entries.size(); ++at) {
    const HistoryEntry& entry = review.entries[at];
    if (std::none_of(indexes.begin(), indexes.end(),
                     [&entry](int index) { return Concerns(entry, index); })) {
      continue;
    }
    const int row = table_->rowCount();
    table_->insertRow(row);
    QString cells[kColumns];
    cells[kEntry] = QString::number(at + 1);
    cells[kTime] = Text(EntryTimeText(entry.time, false));
    cells[kAction] = Text(ActionName(entry.action));
    cells[kRecord] = TakesDataOut(entry.action) ? Text(IndexRunsText(entry.taken))
                                                : QString::number(entry.index);
    cells[kReason] = Text(entry.reason);
    cells[kFields] = Text(entry.fields);
    cells[kUser] = Text(entry.user) + QLatin1Char('@') + Text(entry.host);
    cells[kProgram] = Text(entry.program);
    cells[kUtc] = Text(EntryTimeText(entry.time, true));
    for (int column = 0; column < kColumns; ++column) {
      table_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
  }
  table_->resizeColumnsToContents();
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
  resize(900, 360);
}

}  // namespace acv
