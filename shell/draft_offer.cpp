#include "shell/draft_offer.h"

#include <QCoreApplication>
#include <QWidget>

#include <set>

#include "storage/drafts/draft_messages.h"
#include "storage/format/record_image.h"
#include "storage/records/record_store.h"
#include "storage/text/messages.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace acv {
namespace {

// Where the record of `draft` is already in its file: the program ended after the save and
// before the draft was removed.
std::optional<SaveResult> SavedBeforeTheEnd(const Draft& draft) {
  SaveResult saved;
  if (draft.edit && draft.replace) {
    saved.fileName = draft.edit->fileName;
  } else if (ResolveResponseFileName(draft.fileName, &saved.fileName) != FileNameCheck::kOk) {
    return std::nullopt;
  }
  const std::optional<int> index =
      FindSavedSince(saved.fileName, draft.record, LocalStamp(draft.started));
  if (!index) {
    return std::nullopt;
  }
  saved.index = *index;
  return saved;
}

// The files named already: one left in place is named once in the program's life.
std::vector<SetAsideDraft> NotNamedBefore(std::vector<SetAsideDraft> setAside) {
  static std::set<std::string> named;
  std::erase_if(setAside, [](const SetAsideDraft& file) { return !named.insert(file.id).second; });
  return setAside;
}

}  // namespace

std::optional<FoundDraft> OfferDrafts(Prompts& prompts, QWidget* parent,
                                      const DraftFolder& folder) {
  std::vector<SetAsideDraft> setAside;
  std::vector<FoundDraft> found = folder.List(&setAside);
  if (setAside = NotNamedBefore(std::move(setAside)); !setAside.empty()) {
    prompts.show(parent, DraftsSetAsideMessage(setAside));
  }
  std::erase_if(found, [&](const FoundDraft& draft) {
    const std::optional<SaveResult> saved = SavedBeforeTheEnd(draft.draft);
    if (saved) {
      prompts.show(parent, DraftAlreadySavedMessage(draft.draft, saved->fileName, saved->index));
      (void)folder.Remove(draft.id);  // one that cannot be removed now is named again next time
    }
    return saved.has_value();
  });
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
