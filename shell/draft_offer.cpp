#include "shell/draft_offer.h"

#include <QCoreApplication>
#include <QWidget>

#include "storage/messages.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace acv {

std::optional<FoundDraft> OfferDrafts(Prompts& prompts, QWidget* parent,
                                      const DraftFolder& folder) {
  std::vector<SetAsideDraft> setAside;
  std::vector<FoundDraft> found = folder.List(&setAside);
  if (!setAside.empty()) {
    prompts.show(parent, DraftsSetAsideMessage(setAside));
  }
  enum Choice { kResume, kDiscard, kLater };
  const QStringList buttons = {QCoreApplication::translate("Drafts", "&Resume"),
                               QCoreApplication::translate("Drafts", "&Discard ..."),
                               QCoreApplication::translate("Drafts", "&Later")};
  for (FoundDraft& draft : found) {
    const UserMessage offer = DraftOfferMessage(draft.draft);
    for (bool offered = false; !offered;) {
      offered = true;
      switch (prompts.choose(parent, toQt(offer.caption), toQt(offer.text), buttons)) {
        case kResume:
          return std::move(draft);
        case kDiscard:
          if (prompts.confirm(parent, DraftDiscardQuestion(draft.draft),
                              QCoreApplication::translate("Drafts", "&Yes"),
                              QCoreApplication::translate("Drafts", "&No"), false)) {
            // One that cannot be removed now is offered again next time.
            (void)folder.Remove(draft.id);
          } else {
            offered = false;  // No: back to the offer of this draft
          }
          break;
        default:
          break;  // later: kept, and offered again
      }
    }
  }
  return std::nullopt;
}

}  // namespace acv
