#include "shell/acv_settings.h"

#include <QSettings>

#include "ui/product.h"
#include "ui/text.h"

namespace acv {
namespace {

QSettings Store() {
  // User scope: writes go to the user's own file, reads fall back to the machine-wide one.
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, toQt(product::kOrganisation),
                   toQt(product::kApplication));
}

}  // namespace

const AcvSettings::Value AcvSettings::kValues[6] = {
    {"ACVFileName", &AcvSettings::acvFileName_},
    {"ExportFileName", &AcvSettings::exportFileName_},
    {"AnalysisFileName", &AcvSettings::analysisFileName_},
    {"EditMethod", &AcvSettings::editMethod_},
    {"ViewAnalysis", &AcvSettings::viewAnalysis_},
    {"AlsoViewRelatedAnalysis", &AcvSettings::alsoViewRelatedAnalysis_},
};

AcvSettings::AcvSettings() {
  QSettings store = Store();
  for (const auto& [name, member] : kValues) {
    this->*member = store.value(QLatin1String(name)).toString();
  }
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
  for (const auto& [name, member] : kValues) {
    store.setValue(QLatin1String(name), this->*member);
  }
  store.sync();
  changed_ = false;
}

}  // namespace acv
