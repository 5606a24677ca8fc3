// storage/history/: the history kept beside each response file (NAME.cvr has NAME.cvh), written
// under the response file's lock by every write that goes through a HistoryJournal, and checked
// by walking it.
//
// The layout of a history file. It is append-only: entries are added at its end and never
// rewritten; a cut-off entry at the end is a write that never completed.
//
//   0..7     "ACVHIST1"
//   8..      entries, one after another
//
// An entry is framed as:
//
//   0..3     payload length L, 32-bit little-endian
//   4..      payload, L bytes
//   4+L..    when the payload says so, the record as it was before the change: its 2,187 bytes,
//            still scrambled as the response file stored it. It lies outside the payload so that
//            walking the history hashes only the payloads; the payload's before-hash is its
//            SHA-256, and it is checked against that whenever it is shown
//   then     SHA-256 of the payload (32 bytes): a payload that does not hash to it was torn or
//            changed
//   then     the frame's whole length, 32-bit little-endian, so that the last entry is found
//            from the file's end
//
// and its payload holds, all integers little-endian:
//
//   0..31    SHA-256 of the previous entry's payload (zero for the first entry)
//   32       layout of the payload (2)
//   33       action (HistoryAction)
//   34..37   record index, 32-bit signed (-1 for an entry about the whole file)
//   38..45   time, seconds since 1970-01-01 00:00 UTC, 64-bit signed
//   46..77   SHA-256 of the stored record before the change (zero: there was none)
//   78..109  SHA-256 of the stored record after the change (zero: none, or not a change)
//   110      1 when the record as it was before the change follows the payload, else 0
//   111..    five texts, each a 16-bit length and its bytes: the operating-system user, the
//            host, the program and its version, the reason given, and the names of the fields
//            that changed joined by ", " (never their values)
//   then     a 16-bit count, then that many SHA-256 hashes: the stored records of the file in
//            index order (the first entry of a history, and only it)
//   then     a 16-bit count, then that many runs of record indexes, each its first and last
//            index as 16-bit numbers: the records an export or a report took out of the file
//
// Entries are chained like commits: each names the hash of the one before, so an entry altered,
// inserted or taken out breaks the chain at the next one.
//
// Order of writes. Under the response file's exclusive lock, the entries of a write are appended
// before the response file is touched; they are flushed with the file's new records (one flush
// of the disk for both where it allows), and only then is the file committed. A write that fails
// takes its entries back. A kill anywhere leaves either both (the change and its entries) or
// entries at the end of the history whose change never committed: each of them names an index
// whose record still hashes to the entry's before-hash and not to its after-hash. Those trailing
// entries are the changes that did not happen: the check passes over them and the next write
// cuts them off. Once the file has committed, a "committed" entry (action 10, no record) is
// appended after the write's entries without waiting for the disk, so that a change later
// reverted by hand to the very bytes it replaced is never taken for one that did not happen; the
// next write's flush makes it lasting with its own entries.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace acv {

inline constexpr std::string_view kHistoryTag = "ACVHIST1";
inline constexpr std::string_view kHistorySuffix = ".cvh";
inline constexpr std::size_t kDigestSize = 32;
inline constexpr std::size_t kFrameHeadSize = 4;                // payload length
inline constexpr std::size_t kFrameTailSize = kDigestSize + 4;  // payload hash, frame length
inline constexpr std::uint8_t kEntryLayout = 2;
// Payload offsets.
inline constexpr std::size_t kPreviousOffset = 0;
inline constexpr std::size_t kLayoutOffset = 32;
inline constexpr std::size_t kActionOffset = 33;
inline constexpr std::size_t kIndexOffset = 34;
inline constexpr std::size_t kTimeOffset = 38;
inline constexpr std::size_t kBeforeOffset = 46;
inline constexpr std::size_t kAfterOffset = 78;
inline constexpr std::size_t kEarlierFlagOffset = 110;
inline constexpr std::size_t kTextsOffset = 111;
// No payload is larger than the first entry of a full file, with room for its texts.
inline constexpr std::size_t kMaxPayload = 1U << 20;

using Digest = std::array<std::uint8_t, kDigestSize>;

}  // namespace acv
