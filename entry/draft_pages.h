// How a wizard's pages are numbered in its drafts, and the walk that brings a resumed run back
// to the page its draft was written on.
#pragma once

#include <QtGlobal>
#include <map>

class QWizard;

namespace acv {

class DraftPages {
 public:
  // Page `id` is shown beside page `numberedAs`: it carries that page's number in the page
  // count and in drafts, and a draft written there resumes at that page.
  void numberAs(int id, int numberedAs) { numberedAs_[id] = numberedAs; }
  // The number page `id` has in a draft.
  int number(int id) const;
  // How many pages a draft counts among a wizard's `pages`.
  int count(qsizetype pages) const { return static_cast<int>(pages - numberedAs_.size()); }

  // Moves `wizard` on from its start to the page numbered `page`, or as far as it goes; the
  // pages passed are not checked again while walking() is true.
  void walkTo(QWizard& wizard, int page);
  bool walking() const { return walking_; }

 private:
  std::map<int, int> numberedAs_;
  bool walking_ = false;
};

}  // namespace acv
