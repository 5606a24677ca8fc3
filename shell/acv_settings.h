// The program's six settings. Values are read when the object is made and written back when it
// ends if one was changed (a command that changes one also writes them at once). They are kept
// in the user's own settings; a value the user never set falls back to the machine-wide one an
// administrator may provide.
#pragma once

#include <QString>

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

  void setAcvFileName(const QString& value) { Set(&acvFileName_, value); }
  void setExportFileName(const QString& value) { Set(&exportFileName_, value); }
  void setAnalysisFileName(const QString& value) { Set(&analysisFileName_, value); }
  void setEditMethod(const QString& value) { Set(&editMethod_, value); }
  void setViewAnalysis(const QString& value) { Set(&viewAnalysis_, value); }
  void setAlsoViewRelatedAnalysis(const QString& value) { Set(&alsoViewRelatedAnalysis_, value); }

  // Writes all six values; failures are ignored, as the program works without them.
  void write();

 private:
  void Set(QString* member, const QString& value);

  // Each value's name in the store and the member that holds it.
  struct Value {
    const char* name;
    QString AcvSettings::*member;
  };
  static const Value kValues[6];

  QString acvFileName_;
  QString exportFileName_;
  QString analysisFileName_;
  QString editMethod_;
  QString viewAnalysis_;
  QString alsoViewRelatedAnalysis_;
  bool changed_ = false;
};

}  // namespace acv
