// storage/drafts/: drafts of unfinished wizard runs (layout, folder, writer, their messages).
//
// A wizard run that is not finished yet, as kept in its draft file, so that a crash, a kill or a
// closed session never costs the answers being typed. The file holds no personal data in plain
// text: the record is in its stored form, the names in scrambled blocks like it.
//
// Bytes 0-47 are a plain header, all integers little-endian:
//    0-7   "\x7F" "CVDRAFT"
//    8-9   format version (1); a newer one is never read
//   10     the wizard: 0 on screen, 1 from paper
//   11     flags: 1 an edit, 2 "Replace Existing Record" ticked, 4 no more blank-item warnings,
//          8 the responses are to be typed a second time, 16 the second typing is by another
//          person, 32 the paper wizard's last page has made its analysis choice, which 64 (view
//          the analysis after Finish) and 128 (with the related report) then hold
//   12-13  the page shown, counted from 0 as the pages are numbered (the second typing of the
//          responses counts as the page typed first)
//   14-15  the wizard's count of numbered pages
//   16-23  when the run started, seconds since 1970 (UTC)
//   24-31  when it last changed
//   32-35  the edited record's index in its file (-1 when not an edit)
//   36-39  the length of what follows the header
//   40-43  CRC-32 of bytes 0-39 and of all that follows the header
//   44-47  zero
// Then the record's 2,187 stored bytes; for an edit the stored bytes the record had when the
// edit began (which must be a whole record); and the names block: the response file name as typed
// and the edited file's name, each a 16-bit length and its bytes, zero-padded to whole 80-byte
// blocks scrambled as a record's blocks are.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/response_record.h"
#include "storage/format/format.h"
#include "storage/records/record_edit.h"

namespace acv {

class RecordScrambler;

enum class DraftWizard : std::uint8_t { kOnScreen = 0, kPaper = 1 };

// Whether the paper wizard shows the analysis of the record after Finish, and the person's most
// recent related report with it.
struct ViewAfterFinish {
  bool view = false;
  bool related = false;
  friend bool operator==(const ViewAfterFinish&, const ViewAfterFinish&) = default;
};

struct Draft {
  DraftWizard wizard = DraftWizard::kOnScreen;
  int page = 0;
  int pageCount = 0;
  std::int64_t started = 0;  // seconds since 1970
  std::int64_t changed = 0;
  bool replace = true;           // an edit's "Replace Existing Record"
  bool noBlankWarning = false;   // the user asked not to be warned of blank items again
  bool secondTyping = false;     // the paper wizard is to check the responses by a second typing
  bool byAnotherPerson = false;  // that second typing is declared to be by another person
  // The paper wizard's last page's choice, once the page has been shown.
  std::optional<ViewAfterFinish> viewAfterFinish;
  ResponseRecord record;
  std::string fileName;            // the response file's name as typed (UTF-8), without ".cvr"
  std::optional<RecordEdit> edit;  // the stored record being edited
};

// Why bytes are not a draft this program can read.
enum class DraftFault {
  kNone,
  kNotDraft,    // not a draft file at all
  kNewer,       // a draft of a newer version of the program
  kCutShort,    // shorter than its header says
  kChecksum,    // a byte differs from what was written
  kNotRegular,  // a folder, pipe, device or link where the draft should be
  kNotPrivate,  // readable by others, or another user's: never read
};
// Whether a draft with `fault` is left where it is rather than moved aside: a newer program can
// still resume its own drafts, and a file that is not the user's own is not this program's to move.
bool LeftInPlace(DraftFault fault);
std::string_view DraftFaultText(DraftFault fault);

inline constexpr std::size_t kDraftHeaderSize = 48;
inline constexpr std::uint16_t kDraftVersion = 1;
// No draft is larger: two records and names of at most a few thousand bytes.
inline constexpr std::size_t kMaxDraftSize = 64 * 1024;

std::string EncodeDraft(const Draft& draft, RecordScrambler& scrambler);
// Sets `*draft` from `bytes` when they are a whole draft (kNone); otherwise leaves it as it was.
DraftFault DecodeDraft(std::string_view bytes, Draft* draft);

}  // namespace acv
