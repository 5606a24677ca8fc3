// The blank-items dialog and the check the item pages and the entry grid run before they let
// Next leave a page with unanswered items.
#pragma once

#include <QDialog>

namespace acv {

// "Blank Items": leave the blanks and go on (OK, the default) or stay on the page (Cancel).
class CAdultResMissing : public QDialog {
  Q_OBJECT

 public:
  explicit CAdultResMissing(QWidget* parent = nullptr);

  // Set by the (hidden) "Continue: Do not warn me again" button.
  bool doNotWarnAgain() const { return doNotWarnAgain_; }

 private:
  bool doNotWarnAgain_ = false;
};

// Lives as long as one wizard run and remembers whether the user asked not to be warned again.
class BlankItemsCheck {
 public:
  // True when a page may be left with Next: it has no blank item, the warning is off, or the
  // user chose to leave the blanks.
  bool allowsLeaving(QWidget* page, bool hasBlank);

  bool noBlankWarning() const { return noBlankWarning_; }
  void setNoBlankWarning(bool off) { noBlankWarning_ = off; }

 private:
  bool noBlankWarning_ = false;
};

}  // namespace acv
