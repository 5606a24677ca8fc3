// Runs the built acv program and collects what it printed.
#pragma once

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace acv::testing {

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs ACV_EXE with `args`, stdout and stderr captured through temporary files; stdout goes to
// `stdoutFd` instead when one is given (/dev/full, a pipe nobody reads).
inline RunResult RunAcv(const std::vector<std::string>& args, int stdoutFd = -1) {
  char outPath[] = "/tmp/acv-test-out-XXXXXX";
  char errPath[] = "/tmp/acv-test-err-XXXXXX";
  const int outFd = mkstemp(outPath);
  const int errFd = mkstemp(errPath);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, stdoutFd >= 0 ? stdoutFd : outFd, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errFd, STDERR_FILENO);
  std::vector<std::string> argvStrings = {ACV_EXE};
  argvStrings.insert(argvStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : argvStrings) {
    argv.push_back(arg.data());
  }
  argv.push_back(nullptr);
  RunResult result;
  pid_t pid = 0;
  if (posix_spawn(&pid, ACV_EXE, &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  close(outFd);
  close(errFd);
  result.out = ReadWhole(outPath);
  result.err = ReadWhole(errPath);
  unlink(outPath);
  unlink(errPath);
  return result;
}

}  // namespace acv::testing
