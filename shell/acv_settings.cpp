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

const AcvSettings::Value AcvSettings::kValues[kValueCount] = {
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
  write();
}

void AcvSettings::Set(QString AcvSettings::*member, const QString& value) {
  if (this->*member == value) {
    return;
  }
  this->*member = value;
  for (std::size_t i = 0; i < kValueCount; ++i) {
    if (kValues[i].member == member) {
      changed_.set(i);
    }
  }
}

void AcvSettings::write() {
  if (changed_.none()) {
    return;
  }
  QSettings store = Store();
  for (std::size_t i = 0; i < kValueCount; ++i) {
    if (!changed_.test(i)) {
      continue;
    }
    const auto& [name, member] = kValues[i];
    if ((this->*member).isEmpty()) {
      store.remove(QLatin1String(name));
    } else {
      store.setValue(QLatin1String(name), this->*member);
    }
  }
  store.sync();
  changed_.reset();
}

}  // namespace acv
