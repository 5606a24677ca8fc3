// Driving a wizard as the user does, and a bare wizard for the tests of single pages.
#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <QWizard>
#include <optional>

#include "entry/entry_wizard.h"

namespace acv::testing {

inline void Press(QWizard& wizard, QWizard::WizardButton which, int times) {
  for (int i = 0; i < times; ++i) {
    wizard.button(which)->click();
  }
}
inline void Next(QWizard& wizard, int times = 1) {
  Press(wizard, QWizard::NextButton, times);
}
inline void Back(QWizard& wizard, int times = 1) {
  Press(wizard, QWizard::BackButton, times);
}
inline void FinishWithoutReason(QWizard& wizard) {
  Press(wizard, QWizard::FinishButton, 1);
}
// The reason an edit that replaces its record must give, typed as the user types it.
inline constexpr char kEditReason[] = "Corrected from the paper copy";

// Finish, as the user does it: an edit's last page first gets a reason, when it has none yet.
inline void Finish(QWizard& wizard) {
  if (QWizardPage* page = wizard.currentPage()) {
    auto* reason = page->findChild<QLineEdit*>(QStringLiteral("reasonEdit"));
    if (reason != nullptr && reason->text().isEmpty()) {
      QTest::keyClicks(reason, QString::fromLatin1(kEditReason));
    }
  }
  FinishWithoutReason(wizard);
}

// A wizard whose pages a test adds, on `record` and a file name text of its own.
class PageWizard : public EntryWizard {
 public:
  PageWizard(Prompts& prompts, ResponseRecord& record, std::optional<RecordEdit> edit = {})
      : EntryWizard(prompts, record, fileName, std::move(edit), nullptr) {}

  QString fileName;
};

}  // namespace acv::testing
