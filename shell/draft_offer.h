// Before a questionnaire is begun (at start-up, and at Ctrl+R, Ctrl+E and Edit), each unfinished
// one in the user's drafts that no other running program holds is offered in turn: Resume,
// Discard (after a question) or Later. Drafts that could not be read are named first, once in
// the program's life; a draft whose record is in its file already is named so and removed.
#pragma once

#include <optional>

#include "storage/drafts/draft_folder.h"

class QWidget;

namespace acv {

class Prompts;

// The draft chosen to resume, with its lock; nothing when none was.
std::optional<FoundDraft> OfferDrafts(Prompts& prompts, QWidget* parent, const DraftFolder& folder);

}  // namespace acv
