// acv show: one stored record as it stands in the file, every field of it, as JSON.
#include <CLI/CLI.hpp>
#include <array>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <utility>

#include "cli/analysis_options.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "storage/format.h"
#include "storage/messages.h"
#include "storage/record_image.h"
#include "storage/response_file.h"

namespace acv::cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::array<std::pair<TextField, const char*>, kTextFieldCount> kTextNames = {{
    {TextField::kFirstName, "firstName"},
    {TextField::kLastName, "lastName"},
    {TextField::kStreetAddress, "streetAddress"},
    {TextField::kTown, "town"},
    {TextField::kState, "state"},
    {TextField::kPostcode, "postcode"},
    {TextField::kPhone, "phone"},
    {TextField::kPhone2, "phone2"},
    {TextField::kCountry, "country"},
    {TextField::kEmail, "email"},
    {TextField::kBirthDate, "birthDate"},
    {TextField::kSavedStamp, "savedStamp"},
    {TextField::kCompletionDate, "completionDate"},
    {TextField::kObserverName, "observerName"},
    {TextField::kObserverRelationship, "observerRelationship"},
    {TextField::kObserverContact, "observerContact"},
    {TextField::kComments, "comments"},
}};

// The plain header text (version, stamps and blanks) exactly as the file holds it.
std::string HeaderText(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::string text(kHeaderTextSize, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

Json RecordJson(const ResponseRecord& record) {
  Json json;
  for (const auto& [field, name] : kTextNames) {
    json[name] = PrintableRecordText(record.Text(field));
  }
  json["gender"] = PrintableRecordText(std::string(1, record.Gender()));
  json["reportType"] = record.ReportType();
  json["entryMethod"] = PrintableRecordText(std::string(1, record.EntryMethod()));
  Json responses = Json::array();
  for (int item = 1; item <= kItemCount; ++item) {
    responses.push_back(record.StoredResponse(item));
  }
  json["responses"] = responses;
  return json;
}

}  // namespace

int RunShow(const ShowOptions& options) {
  StoredRecord bytes{};
  ResponseRecord record;
  const FileStatus read = ResponseFile::ReadAt(options.file, options.index, &bytes);
  if (read != FileStatus::kOk && read != FileStatus::kIndexBeyondEnd) {
    PrintMessage("show", OpenedFileMessage(read, options.file));
    return kExitBadInput;
  }
  if (read != FileStatus::kOk || LoadImage(record, bytes.data()) != FileStatus::kOk) {
    std::cerr << "acv show: " << caption::kReadError << ": record " << options.index
              << (read == FileStatus::kOk ? " fails its checksum" : " is beyond the file's end")
              << "\n";
    return kExitBadInput;
  }
  const Json json = {{"index", options.index},
                     {"header", PrintableRecordText(HeaderText(options.file))},
                     {"record", RecordJson(record)}};
  std::cout << json.dump() << "\n";
  return kExitOk;
}

void SetupShowCommand(CLI::App& app, int* exitCode) {
  auto options = std::make_shared<ShowOptions>();
  CLI::App* command = app.add_subcommand(
      "show",
      "Show every stored field of one record, its 190 responses and the file's header, "
      "as JSON");
  command->add_option("FILE", options->file, "The response file (.cvr)")->required();
  command->add_option("INDEX", options->index, "The record's index (0 to 656)")
      ->required()
      ->check(RecordIndexValidator());
  command->callback([options, exitCode] { *exitCode = RunShow(*options); });
}

}  // namespace acv::cli
