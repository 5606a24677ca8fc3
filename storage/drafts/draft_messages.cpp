#include "storage/drafts/draft_messages.h"

#include "engine/dates.h"

namespace acv {
namespace {

std::string DraftOwner(const Draft& draft) {
  std::string name(draft.record.Text(TextField::kFirstName));
  const std::string_view last = draft.record.Text(TextField::kLastName);
  if (!name.empty() && !last.empty()) {
    name += ' ';
  }
  name += last;
  return name.empty() ? "no name typed yet" : name;
}

}  // namespace

std::string DraftSummary(const Draft& draft) {
  std::string text = DraftOwner(draft) + ", ";
  switch (draft.record.ReportType()) {
    case kSelfReport:
      text += "Self-report, ";
      break;
    case kObserverReport:
      text += "Observer-report, ";
      break;
    default:
      text += "report type not chosen yet, ";
  }
  if (draft.edit) {
    text += "an edit ";
  }
  text += draft.wizard == DraftWizard::kPaper ? "from paper" : "on screen";
  text += ", page " + std::to_string(draft.page + 1) + " of " + std::to_string(draft.pageCount);
  text += ", started " + FormatLocalTime(draft.started, "%d/%m/%Y %H:%M");
  const bool sameDay =
      FormatLocalTime(draft.started, "%Y%m%d") == FormatLocalTime(draft.changed, "%Y%m%d");
  text += ", last changed " + FormatLocalTime(draft.changed, sameDay ? "%H:%M" : "%d/%m/%Y %H:%M");
  return text;
}

UserMessage DraftOfferMessage(const Draft& draft) {
  return {"Unfinished Questionnaire",
          "An unfinished questionnaire was found: " + DraftSummary(draft) + ".",
          MessageIcon::kNone};
}

UserMessage DraftDiscardQuestion(const Draft& draft) {
  return {"Discard Unfinished Questionnaire",
          "The answers typed so far for " + DraftOwner(draft) +
              " will be lost for good.\n\nAre you sure you wish to discard them?",
          MessageIcon::kNone};
}

UserMessage DraftAlreadySavedMessage(const Draft& draft, const std::string& fileName, int index) {
  return {"Questionnaire Already Saved",
          "An unfinished questionnaire was found: " + DraftSummary(draft) +
              ".\n\nIt had already been saved, as record " + std::to_string(index) + " of\n\t" +
              fileName +
              "\nbefore the program ended, so it is not offered again and will not be saved "
              "twice. Its draft has been removed.",
          MessageIcon::kInformation};
}

UserMessage DraftsNotKeptMessage(FileStatus code, const std::string& folder) {
  const std::string reason = FileStatusReason(code);
  return {"Drafts Cannot Be Kept",
          "The answers being typed cannot be kept as a draft in\n\t" + folder + "\nbecause " +
              reason +
              ".\n\nYou can go on: Finish saves the responses as usual, but if the program is "
              "closed before then, what was typed is lost.",
          MessageIcon::kExclamation};
}

std::string SetAsideOutcome(const SetAsideDraft& file) {
  if (LeftInPlace(file.fault)) {
    return "left in place";
  }
  return file.movedTo.empty() ? "it could not be moved" : "moved aside to " + file.movedTo;
}

UserMessage DraftsSetAsideMessage(const std::vector<SetAsideDraft>& setAside) {
  std::string text =
      "These files in the drafts folder could not be read as unfinished questionnaires. None "
      "was deleted:\n";
  for (const SetAsideDraft& file : setAside) {
    text += "\n\t" + file.id + ".draft: " + std::string(DraftFaultText(file.fault)) + "; " +
            SetAsideOutcome(file);
  }
  return {"Unreadable Drafts", text, MessageIcon::kExclamation};
}

}  // namespace acv
