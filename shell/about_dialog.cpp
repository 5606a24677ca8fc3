#include "shell/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/product.h"
#include "ui/text.h"

namespace acv {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutDialog"));
  setWindowTitle(tr("About Adult Corvantis"));
  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("aboutPicture"));
  picture->setAccessibleName(tr("Adult Corvantis"));
  picture->setPixmap(QIcon(QStringLiteral(":/artwork/about.svg")).pixmap(QSize(120, 120)));
  auto* version = new QLabel(toQt(product::kAboutVersion), this);
  version->setObjectName(QStringLiteral("aboutVersion"));
  version->setTextFormat(Qt::PlainText);
  QFont bold = version->font();
  bold.setBold(true);
  version->setFont(bold);
  auto* credit = new QLabel(toQt(product::kCreditLine), this);
  credit->setObjectName(QStringLiteral("aboutCredit"));
  credit->setTextFormat(Qt::PlainText);
  credit->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* texts = new QVBoxLayout;
  texts->addStretch();
  texts->addWidget(version);
  texts->addWidget(credit);
  texts->addStretch();
  auto* row = new QHBoxLayout;
  row->addWidget(picture);
  row->addSpacing(12);
  row->addLayout(texts, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
  setMinimumWidth(460);
}

}  // namespace acv
