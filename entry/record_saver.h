// How Finish saves the record of an entry wizard, the same on every last page: a new record is
// added to the end of the file named; an edited one (when the wizard was given a stored record)
// is written back in its own place while "Replace Existing Record" is ticked, otherwise added to
// the file named as a new record. No record is saved without its mandatory details, however its
// run came to the last page. Before an unchanged edit is saved (the same fields and the same
// verification mark), "No Edits Made" asks.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "storage/records/record_edit.h"
#include "storage/records/record_store.h"
#include "storage/text/typed_input.h"

class QString;
class QWidget;

namespace acv {

class FileNameBox;
class Prompts;

class RecordSaver {
 public:
  enum class Outcome {
    kSaved,           // the record is in the file
    kDeclined,        // "Do Not Save" to "No Edits Made": nothing was tried
    kFailed,          // the name was refused or the write failed, and the user was told why
    kDetailsMissing,  // a mandatory detail is missing or wrong: nothing was tried or told
    kReasonMissing,   // an edit that replaces the record gives no reason: the user was told
  };

  RecordSaver(Prompts& prompts, std::optional<RecordEdit> edit);

  bool editing() const { return edit_.has_value(); }
  // The stored record being edited; only while editing.
  const RecordEdit& edit() const { return *edit_; }

  // Whether an edit replaces the stored record (true until the user clears it).
  bool replace() const { return replace_; }
  void setReplace(bool replace) { replace_ = replace; }
  // The reason for the change, kept in the file's history with it; required before an edit
  // replaces the stored record, when `missing` is called after the user is told.
  const std::string& reason() const { return reason_; }
  void setReason(std::string reason) { reason_ = std::move(reason); }
  void setReasonMissing(std::function<void()> missing) { reasonMissing_ = std::move(missing); }

  // The save behind Finish: takes the name in `box` as the file name text, writes `record`, and
  // shows "Save Has Failed" with its reason or "Save Was Successful". On success the box and the
  // text show the name without ".cvr", however it was typed. Anything but kSaved leaves
  // everything in memory (and the file as it was).
  Outcome Save(QWidget* page, FileNameBox& box, QString& fileName, ResponseRecord& record);

  // The file and index of the last successful save (an empty name and -1 before it, and again
  // from the start of each save).
  const SaveResult& lastSave() const { return lastSave_; }
  // What the last save refused in the details, once (kOk when it refused none).
  DetailsCheck takeDetailsRefusal() { return std::exchange(detailsRefused_, DetailsCheck::kOk); }
  // Called as soon as a record is in its file, before the user is told.
  void setCommitted(std::function<void()> committed) { committed_ = std::move(committed); }

 private:
  // True to go on: something was changed, or "Yes, Proceed" to "No Edits Made".
  bool confirmUnchanged(QWidget* page, const ResponseRecord& record);
  SaveResult write(std::string_view typedName, ResponseRecord& record) const;
  // Shows the outcome of `result`; true when it succeeded.
  bool report(QWidget* page, const ResponseRecord& record, const SaveResult& result);

  Prompts& prompts_;
  std::optional<RecordEdit> edit_;
  bool replace_ = true;
  std::string reason_;
  SaveResult lastSave_;
  DetailsCheck detailsRefused_ = DetailsCheck::kOk;
  std::function<void()> committed_;
  std::function<void()> reasonMissing_;
};

}  // namespace acv
