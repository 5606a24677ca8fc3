#include "entry/pages/entry_page.h"

namespace acv {

EntryPage::EntryPage(const QString& caption, QWidget* parent)
    : QWizardPage(parent), caption_(caption) {}

}  // namespace acv
