// The passwords that open the CSV export. An administrator sets up to three of them; only a
// salted, slow hash of each (Argon2id) is kept, in a file of the machine-wide settings that
// ordinary users cannot write. Nothing a user keeps in their own settings is ever read here.
#pragma once

#include <sys/types.h>

#include <array>
#include <string>
#include <string_view>

#include "storage/format/file_status.h"

namespace acv {

// Where the window and the command line look for the export passwords.
inline constexpr std::string_view kMachinePasswordFile = "/etc/xdg/VELT/acv-export-passwords";

class ExportPasswords {
 public:
  static constexpr int kSlots = 3;

  // Reads the hashes kept in `path`; a missing or unreadable file holds none. A file that is
  // not a regular file owned by `owner` (root, but for tests) and written by it alone, is too
  // large for three hashes, or holds a hash made with other limits than Set uses, is refused
  // whole: it holds none, and refusal() says why.
  explicit ExportPasswords(std::string path = std::string(kMachinePasswordFile), uid_t owner = 0);

  const std::string& path() const { return path_; }
  // Whether an administrator has set at least one password.
  bool AnySet() const;
  // Whether `typed` is one of the passwords set (compared through their hashes).
  bool Accepts(std::string_view typed) const;
  // Why the file was refused, as a message that names it; empty when it was not.
  const std::string& refusal() const { return refusal_; }

  // Sets password `slot` (1 to kSlots) and writes the file, its previous form replaced only
  // once the new one is complete (kAccessDenied for an ordinary user). An empty `password`
  // clears the slot.
  FileStatus Set(int slot, std::string_view password);

 private:
  // Reads the file's lines into hashes_, or gives the reason it is refused.
  std::string Read(uid_t owner);

  std::string path_;
  std::array<std::string, kSlots> hashes_;
  std::string refusal_;
};

// Overwrites `text` with zeros in a way the compiler cannot leave out, then empties it.
void WipeSecret(std::string* text);

}  // namespace acv
