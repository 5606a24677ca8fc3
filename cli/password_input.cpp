#include "cli/password_input.h"

#include <termios.h>
#include <unistd.h>

namespace acv::cli {
namespace {

// Turns the terminal's echo off for as long as it lives.
class EchoOff {
 public:
  EchoOff() : saved_(), active_(tcgetattr(STDIN_FILENO, &saved_) == 0) {
    if (active_) {
      termios quiet = saved_;
      quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
      tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
  }
  ~EchoOff() {
    if (active_) {
      tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
    }
  }
  EchoOff(const EchoOff&) = delete;
  EchoOff& operator=(const EchoOff&) = delete;

 private:
  termios saved_;
  bool active_;
};

}  // namespace

bool IsTerminal(const std::istream& in) {
  return &in == &std::cin && isatty(STDIN_FILENO) == 1;
}

bool ReadSecretLine(std::istream& in, std::ostream& err, std::string_view prompt,
                    std::string* secret) {
  if (!IsTerminal(in)) {
    return static_cast<bool>(std::getline(in, *secret));
  }
  err << prompt << std::flush;
  const EchoOff quiet;
  const bool read = static_cast<bool>(std::getline(in, *secret));
  err << "\n";
  return read;
}

}  // namespace acv::cli
