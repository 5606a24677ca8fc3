// What the user is told of drafts: whose questionnaire one holds and how far it got, the offer
// to resume it, and why drafts cannot be kept or read.
#pragma once

#include <string>
#include <vector>

#include "storage/drafts/draft_folder.h"
#include "storage/text/messages.h"

namespace acv {

// Drafts of unfinished wizard runs. Whose questionnaire a draft holds and how far it got:
// "Zoë O'Hara-Smythe, Self-report, on screen, page 9 of 24, started 07/12/2026 14:03, last
// changed 14:21" (local times).
std::string DraftSummary(const Draft& draft);
// The offer to resume a draft, and the question before one is discarded.
UserMessage DraftOfferMessage(const Draft& draft);
UserMessage DraftDiscardQuestion(const Draft& draft);
// A draft whose record was saved, as record `index` of `fileName`, before the program ended
// and the draft could be removed.
UserMessage DraftAlreadySavedMessage(const Draft& draft, const std::string& fileName, int index);
// The one warning when drafts cannot be written into `folder`.
UserMessage DraftsNotKeptMessage(FileStatus code, const std::string& folder);
// What became of a file of the drafts folder that was no readable draft: "left in place",
// "moved aside to NAME" or "it could not be moved".
std::string SetAsideOutcome(const SetAsideDraft& file);
// Files of the drafts folder that were no readable draft, and what became of each.
UserMessage DraftsSetAsideMessage(const std::vector<SetAsideDraft>& setAside);

}  // namespace acv
