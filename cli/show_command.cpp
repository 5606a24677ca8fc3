// acv show: one stored record as it stands in the file, every field of it, as JSON.
#include <CLI/CLI.hpp>
#include <array>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <utility>

#include "cli/analysis_options.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "storage/format/field_names.h"
#include "storage/format/format.h"
#include "storage/format/record_image.h"
#include "storage/format/record_scrambler.h"
#include "storage/format/response_file.h"
#include "storage/text/messages.h"

namespace acv::cli {
namespace {

using Json = nlohmann::ordered_json;

// The plain header text (version, stamps and blanks) exactly as the file holds it.
std::string HeaderText(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::string text(kHeaderTextSize, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

// A one-byte code as the file holds it: its character, or \xNN when it is no printable one.
std::string StoredCode(std::uint8_t byte) {
  if (byte >= 0x20 && byte < 0x7F) {
    return std::string(1, static_cast<char>(byte));
  }
  char code[8];
  std::snprintf(code, sizeof code, "\\x%02X", byte);
  return code;
}

// A coded byte: what it stores and whether that is one of its codes.
Json Coded(std::uint8_t byte, std::string_view codes) {
  return {{"stored", StoredCode(byte)},
          {"known", codes.find(static_cast<char>(byte)) != std::string_view::npos}};
}

// The record's fields from the decoded record, its coded bytes and responses straight from the
// plain image: nothing a reader would turn into another value is turned.
// Null for a record never verified; a mark whose answers no longer match says "verified": false.
Json VerificationJson(const ResponseRecord& record, MarkState mark) {
  if (mark == MarkState::kNone) {
    return nullptr;
  }
  const std::optional<Verification>& verification = record.GetVerification();
  if (!verification) {
    return {{"verified", false}, {"byAnotherPerson", nullptr}, {"differencesResolved", nullptr}};
  }
  return {{"verified", true},
          {"byAnotherPerson", verification->byAnotherPerson},
          {"differencesResolved", verification->differencesResolved}};
}

Json RecordJson(const ResponseRecord& record, const PlainImage& image, MarkState mark) {
  Json json;
  for (const auto& [field, name] : kTextFieldNames) {
    json[name] = PrintableRecordText(record.Text(field));
  }
  json["gender"] = Coded(image[kGenderOffset], "MFXU\x80");
  json["reportType"] = Coded(image[kReportTypeOffset], "SO");
  json["entryMethod"] = Coded(image[kEntryMethodOffset], "01");
  Json responses = Json::array();
  Json unknown = Json::array();
  for (int item = 1; item <= kItemCount; ++item) {
    const int stored = record.StoredResponse(item);
    responses.push_back(stored);
    if ((stored < 0 || stored > 5) && stored != kResponseBlank && stored != 15) {
      unknown.push_back(item);
    }
  }
  json["responses"] = responses;
  json["unknownResponses"] = unknown;  // items whose stored value is no response, blank or unset
  json["verification"] = VerificationJson(record, mark);
  return json;
}

// The slot `index` another program filled after the records the commit mark counts, when it
// holds a whole record that passes its checksum.
std::optional<Damage> BeyondCommitMark(const std::string& file, int index) {
  ResponseFile reader;
  if (reader.OpenForReading(file, true) != FileStatus::kOk) {
    return std::nullopt;
  }
  for (const Damage& damage : reader.tailDamage()) {
    if (damage.slot == index) {
      return damage;
    }
  }
  return std::nullopt;
}

// The stored bytes at `offset`, read past the records an open reads.
bool ReadSlotBytes(const std::string& file, long long offset, StoredRecord* bytes) {
  std::ifstream in(file, std::ios::binary);
  in.seekg(offset);
  in.read(reinterpret_cast<char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
  return in.gcount() == static_cast<std::streamsize>(bytes->size());
}

}  // namespace

int RunShow(const ShowOptions& options, const Console& io) {
  StoredRecord bytes{};
  FileStatus read = ResponseFile::ReadAt(options.file, options.index, &bytes);
  if (read != FileStatus::kOk && read != FileStatus::kIndexBeyondEnd) {
    io.Print(OpenedFileMessage(read, options.file));
    return kExitBadInput;
  }
  bool committed = true;
  if (read == FileStatus::kIndexBeyondEnd) {
    if (const std::optional<Damage> beyond = BeyondCommitMark(options.file, options.index)) {
      if (beyond->reason != DamageReason::kBeyondCommitMark) {
        io.Say(MessageId::kDamageRead, {DamageText(*beyond)});
        return kExitBadInput;
      }
      committed = false;
      read = ReadSlotBytes(options.file, beyond->offset, &bytes) ? FileStatus::kOk
                                                                 : FileStatus::kShortRead;
    }
  }
  if (read != FileStatus::kOk ||
      !ShowStoredRecord(io, options.file, options.index, bytes, committed)) {
    io.Say(read == FileStatus::kOk ? MessageId::kRecordFailsChecksum : MessageId::kRecordBeyondEnd,
           {std::to_string(options.index)});
    return kExitBadInput;
  }
  if (!committed) {
    io.Say(MessageId::kBeyondCommitMark, {std::to_string(options.index)});
  }
  return committed ? kExitOk : kExitPartial;
}

bool ShowStoredRecord(const Console& io, const std::string& file, int index,
                      const StoredRecord& bytes, bool committed) {
  ResponseRecord record;
  MarkState mark = MarkState::kNone;
  if (LoadImage(record, bytes.data(), &mark) != FileStatus::kOk) {
    return false;
  }
  PlainImage image{};
  RecordScrambler::Unscramble(bytes.data(), &image);
  Json json = {{"index", index},
               {"header", PrintableRecordText(HeaderText(file))},
               {"record", RecordJson(record, image, mark)}};
  if (!committed) {
    // Whole and sound, but added by another program after the file's last complete save.
    json["committed"] = false;
  }
  io.out << json.dump() << "\n";
  return true;
}

void SetupShowCommand(CLI::App& app, int* exitCode) {
  auto options = std::make_shared<ShowOptions>();
  CLI::App* command = app.add_subcommand(
      "show",
      "Show every stored field of one record, its 190 responses and the file's header, "
      "as JSON");
  command->add_option("FILE", options->file, "The response file (.cvr)")->required();
  AddIndexOption(*command, "INDEX", options->index, "The record's index")->required();
  command->callback([options, exitCode, command] {
    *exitCode = RunShow(*options, StandardConsole(command->get_name()));
  });
}

}  // namespace acv::cli
