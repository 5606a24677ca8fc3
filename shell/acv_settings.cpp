#include "shell/acv_settings.h"

#include <QSettings>

#include "shell/ui/product.h"

namespace acv {
namespace {

QSettings Store() {
  // User scope: writes go to the user's own file, reads fall back to the machine-wide one.
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, product::kOrganisation,
                   product::kApplication);
}

}  // namespace

AcvSettings::AcvSettings() {
  QSettings store = Store();
  acvFileName_ = store.value(QStringLiteral("ACVFileName")).toString();
  exportFileName_ = store.value(QStringLiteral("ExportFileName")).toString();
  analysisFileName_ = store.value(QStringLiteral("AnalysisFileName")).toString();
  editMethod_ = store.value(QStringLiteral("EditMethod")).toString();
  viewAnalysis_ = store.value(QStringLiteral("ViewAnalysis")).toString();
  alsoViewRelatedAnalysis_ = store.value(QStringLiteral("AlsoViewRelatedAnalysis")).toString();
}

AcvSettings::~AcvSettings() {
  if (changed_) {
    write();
  }
}

void AcvSettings::Set(QString* member, const QString& value) {
  if (*member != value) {
    *member = value;
    changed_ = true;
  }
}

void AcvSettings::write() {
  QSettings store = Store();
  store.setValue(QStringLiteral("ACVFileName"), acvFileName_);
  store.setValue(QStringLiteral("ExportFileName"), exportFileName_);
  store.setValue(QStringLiteral("AnalysisFileName"), analysisFileName_);
  store.setValue(QStringLiteral("EditMethod"), editMethod_);
  store.setValue(QStringLiteral("ViewAnalysis"), viewAnalysis_);
  store.setValue(QStringLiteral("AlsoViewRelatedAnalysis"), alsoViewRelatedAnalysis_);
  store.sync();
  changed_ = false;
}

}  // namespace acv
