// The acv commands. Each Setup function adds one subcommand to the program; its callback sets
// `exitCode`: 0 success, 1 nothing found, 2 bad input or file error, 3 partial result.
// Results go to stdout, messages to stderr.
#pragma once

#include <CLI/CLI.hpp>

namespace acv::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitNothingFound = 1;
inline constexpr int kExitBadInput = 2;
inline constexpr int kExitPartial = 3;

void SetupScoreCommand(CLI::App& app, int* exitCode);
void SetupCheckCommand(CLI::App& app, int* exitCode);
void SetupListCommand(CLI::App& app, int* exitCode);
void SetupAnalyseCommand(CLI::App& app, int* exitCode);
void SetupSalvageCommand(CLI::App& app, int* exitCode);
void SetupImportCommand(CLI::App& app, int* exitCode);
void SetupDemoCommand(CLI::App& app, int* exitCode);
// Built with the window's libraries only (ACV_GUI).
void SetupReportCommand(CLI::App& app, int* exitCode);

}  // namespace acv::cli
