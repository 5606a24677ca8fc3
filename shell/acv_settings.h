// The program's six settings, and one an administrator sets. Values are read when the object is
// made; the ones changed through it are written back when it ends (a command that changes one also
// writes at once). They are kept in the user's own settings; a value the user never set falls back
// to the machine-wide one an administrator may provide (the first folder of XDG_CONFIG_DIRS,
// /etc/xdg by default). Only values the user set are written, and an empty one removes the user's
// own, so the machine-wide value shows through. The stored codes of the typed values are known here
// only.
//
// A settings file is read only when it is a regular file of a settings file's size: a pipe, a
// device or a huge file would stop the window at every command. A refused machine-wide file is
// left out; a refused file of the user's own leaves every value at its default and nothing is
// written. Each refusal is reported to the SettingsWarning given, if any.
#pragma once

#include <QString>
#include <bitset>
#include <memory>
#include <string>

#include "storage/settings/double_entry_rule.h"

class QSettings;
class QWidget;

namespace acv {

class Prompts;

// The layout a stored record is edited in.
enum class EditLayout { kOnScreen, kPaper };

// Tells the user, once in the life of the object, that a settings file was not read.
class SettingsWarning {
 public:
  SettingsWarning(Prompts& prompts, QWidget* parent) : prompts_(prompts), parent_(parent) {}

  // `file` is the path of the file refused.
  void refused(const QString& file);

 private:
  Prompts& prompts_;
  QWidget* parent_;
  bool given_ = false;
};

class AcvSettings {
 public:
  // The largest settings file read; six short values need far less.
  static constexpr qint64 kMaxFileSize = 64 * 1024;

  // `administratorFile` is where an administrator's rules are always read; tests name their own.
  explicit AcvSettings(SettingsWarning* warning = nullptr,
                       const std::string& administratorFile = std::string(kMachineSettingsFile));
  ~AcvSettings();
  AcvSettings(const AcvSettings&) = delete;
  AcvSettings& operator=(const AcvSettings&) = delete;

  QString acvFileName() const { return acvFileName_; }
  QString exportFileName() const { return exportFileName_; }
  QString analysisFileName() const { return analysisFileName_; }
  // On screen unless the paper layout was chosen last.
  EditLayout editLayout() const;
  // Whether the paper wizards' last page starts with its two analysis options ticked.
  bool viewAnalysis() const;
  bool alsoViewRelatedAnalysis() const;
  // Whether a paper copy may be saved only once verified by a second typing. An administrator
  // sets "RequireDoubleEntry" to "T" in the machine-wide file for every user; a user's own "F"
  // does not lift it, nor does an XDG_CONFIG_DIRS that names other folders: the file in its
  // fixed place is always read.
  bool requireDoubleEntry() const { return requireDoubleEntry_; }

  void setAcvFileName(const QString& value) { Set(&AcvSettings::acvFileName_, value); }
  void setExportFileName(const QString& value) { Set(&AcvSettings::exportFileName_, value); }
  void setAnalysisFileName(const QString& value) { Set(&AcvSettings::analysisFileName_, value); }
  void setEditLayout(EditLayout layout);
  void setViewAnalysis(bool view);
  void setAlsoViewRelatedAnalysis(bool also);

  // Writes the values changed since they were read or last written; failures are ignored, as
  // the program works without them.
  void write();

 private:
  void Set(QString AcvSettings::*member, const QString& value);

  // Each value's name in the store and the member that holds it.
  struct Value {
    const char* name;
    QString AcvSettings::*member;
  };
  static constexpr std::size_t kValueCount = 6;
  static const Value kValues[kValueCount];

  // Where the values are read and written: the user's file with the machine-wide fallback,
  // the user's file alone, or nowhere.
  enum class Source { kUserAndMachine, kUserOnly, kNone };
  std::unique_ptr<QSettings> store() const;

  Source source_ = Source::kUserAndMachine;
  QString acvFileName_;
  QString exportFileName_;
  QString analysisFileName_;
  QString editMethod_;
  QString viewAnalysis_;
  QString alsoViewRelatedAnalysis_;
  std::bitset<kValueCount> changed_;  // by index into kValues
  bool requireDoubleEntry_ = false;   // read only: the program never writes it
};

}  // namespace acv
