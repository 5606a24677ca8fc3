// The program's six settings. Values are read when the object is made; the ones changed through
// it are written back when it ends (a command that changes one also writes at once). They are
// kept in the user's own settings; a value the user never set falls back to the machine-wide one
// an administrator may provide (the first folder of XDG_CONFIG_DIRS, /etc/xdg by default). Only
// values the user set are written, and an empty one removes the user's own, so the machine-wide
// value shows through.
#pragma once

#include <QString>
#include <bitset>

namespace acv {

class AcvSettings {
 public:
  AcvSettings();
  ~AcvSettings();
  AcvSettings(const AcvSettings&) = delete;
  AcvSettings& operator=(const AcvSettings&) = delete;

  QString acvFileName() const { return acvFileName_; }
  QString exportFileName() const { return exportFileName_; }
  QString analysisFileName() const { return analysisFileName_; }
  QString editMethod() const { return editMethod_; }
  QString viewAnalysis() const { return viewAnalysis_; }
  QString alsoViewRelatedAnalysis() const { return alsoViewRelatedAnalysis_; }

  void setAcvFileName(const QString& value) { Set(&AcvSettings::acvFileName_, value); }
  void setExportFileName(const QString& value) { Set(&AcvSettings::exportFileName_, value); }
  void setAnalysisFileName(const QString& value) { Set(&AcvSettings::analysisFileName_, value); }
  void setEditMethod(const QString& value) { Set(&AcvSettings::editMethod_, value); }
  void setViewAnalysis(const QString& value) { Set(&AcvSettings::viewAnalysis_, value); }
  void setAlsoViewRelatedAnalysis(const QString& value) {
    Set(&AcvSettings::alsoViewRelatedAnalysis_, value);
  }

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

  QString acvFileName_;
  QString exportFileName_;
  QString analysisFileName_;
  QString editMethod_;
  QString viewAnalysis_;
  QString alsoViewRelatedAnalysis_;
  std::bitset<kValueCount> changed_;  // by index into kValues
};

}  // namespace acv
