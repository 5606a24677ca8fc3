// One run of an entry wizard, kept in one place: the record being filled and the response file's
// name as typed (without ".cvr"), both owned by the command that opened the wizard; how Finish
// saves, with the stored record when one is being edited; and whether the user asked not to be
// warned of blank items again; and, for the paper wizards, the second typing of the responses
// and what the last page shows after Finish. Every choice of the run is kept here alone: the
// pages show it and write it back. The page shown is the wizard's current page.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "engine/response_record.h"
#include "engine/typing_comparison.h"

#include "entry/pages/blank_items.h"
#include "entry/record_saver.h"
#include "storage/drafts/draft.h"

namespace acv {

class Prompts;

// Blind double entry in the paper wizards: the responses and the date of birth typed a second
// time and every difference resolved against the paper before the record is marked verified.
struct SecondTyping {
  // The answers an edit changed in a record that was verified: only they are typed again, and
  // the differences resolved before count on in the mark.
  struct Changes {
    std::vector<int> items;  // in item order
    bool birthDate = false;
    int resolvedBefore = 0;
  };

  bool wanted = false;    // "Verify by typing the responses again" is ticked
  bool required = false;  // the settings allow no unverified paper record to be saved
  bool byAnotherPerson = false;
  // The first typing as it stood when the second began: every comparison is made against it,
  // however the differences were resolved since.
  ResponseRecord first;
  // Set while an edit of a verified record is verified again; nothing for a whole second typing.
  std::optional<Changes> changes;
  // Where the second typing differed from the first, as found when it was left with Next.
  std::vector<TypingDifference> differences;

  // Marks `record`, whose responses and date of birth are now as the paper shows them, as
  // verified with the differences resolved.
  void markVerified(ResponseRecord& record) const {
    const int before = changes ? changes->resolvedBefore : 0;
    record.SetVerification(
        Verification{byAnotherPerson, before + static_cast<int>(differences.size())});
  }
};

struct EntryRun {
  EntryRun(Prompts& prompts, ResponseRecord& record, QString& fileName,
           std::optional<RecordEdit> edit)
      : record(record), fileName(fileName), saver(prompts, std::move(edit)) {}

  ResponseRecord& record;
  QString& fileName;
  RecordSaver saver;
  BlankItemsCheck blanks;
  SecondTyping secondTyping;
  ViewAfterFinish viewAfterFinish;  // the paper wizards' last page
};

}  // namespace acv
