#include "shell/acv_settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringDecoder>
#include <memory>

#include "storage/text/messages.h"
#include "ui/product.h"
#include "ui/prompts.h"
#include "ui/text.h"

namespace acv {
namespace {

const QString kTrue = QStringLiteral("T");
const QString kFalse = QStringLiteral("F");
const QString kPaperLayout = QStringLiteral("1");
const QString kOnScreenLayout = QStringLiteral("0");

QString SettingsFile(const QString& folder) {
  return folder + QLatin1Char('/') + toQt(product::kOrganisation) + QLatin1Char('/') +
         toQt(product::kApplication) + QStringLiteral(".conf");
}

// The user's file, where QSettings keeps it on this platform.
QString UserFile() {
  QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (home.isEmpty()) {
    home = QDir::homePath() + QStringLiteral("/.config");
  }
  return SettingsFile(home);
}

// The machine-wide file: in the first folder of XDG_CONFIG_DIRS.
QString MachineFile() {
  const QString folder = qEnvironmentVariable("XDG_CONFIG_DIRS").section(QLatin1Char(':'), 0, 0);
  return SettingsFile(folder.isEmpty() ? QStringLiteral("/etc/xdg") : folder);
}

// Whether the `size` bytes of the open file `fd` are text: UTF-8 without control characters but
// tabs and line ends, as every settings file written by hand or by QSettings is.
bool HoldsText(int fd, qint64 size) {
  QByteArray bytes(size, '\0');
  qint64 got = 0;
  while (got < size) {
    const ssize_t read = ::read(fd, bytes.data() + got, static_cast<std::size_t>(size - got));
    if (read <= 0) {
      return read == 0;  // a file that shrank meanwhile is read as QSettings finds it
    }
    got += read;
  }
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t' && c != '\n' && c != '\r') || byte == 0x7F) {
      return false;
    }
  }
  QStringDecoder utf8(QStringDecoder::Utf8);
  static_cast<void>(QString(utf8(bytes)));
  return !utf8.hasError();
}

// False for a file that may not be read: one that is there but is not a regular file of a
// settings file's size holding text. It is opened without blocking, so a pipe costs nothing; a
// file that is not there, or that cannot be opened, is one QSettings reads as empty.
bool SafeToRead(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return true;
  }
  struct stat status {};
  const bool safe = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
                    status.st_size <= AcvSettings::kMaxFileSize && HoldsText(fd, status.st_size);
  ::close(fd);
  return safe;
}

}  // namespace

void SettingsWarning::refused(const QString& file) {
  if (given_) {
    return;
  }
  given_ = true;
  prompts_.show(parent_, Message(MessageId::kSettingsRefused), {file});
}

const AcvSettings::Value AcvSettings::kValues[kValueCount] = {
    {"ACVFileName", &AcvSettings::acvFileName_},
    {"ExportFileName", &AcvSettings::exportFileName_},
    {"AnalysisFileName", &AcvSettings::analysisFileName_},
    {"EditMethod", &AcvSettings::editMethod_},
    {"ViewAnalysis", &AcvSettings::viewAnalysis_},
    {"AlsoViewRelatedAnalysis", &AcvSettings::alsoViewRelatedAnalysis_},
};

std::unique_ptr<QSettings> AcvSettings::store() const {
  switch (source_) {
    case Source::kUserAndMachine:
      // User scope: writes go to the user's own file, reads fall back to the machine-wide one.
      return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                         toQt(product::kOrganisation), toQt(product::kApplication));
    case Source::kUserOnly:
      return std::make_unique<QSettings>(UserFile(), QSettings::IniFormat);
    case Source::kNone:
      break;
  }
  return nullptr;
}

AcvSettings::AcvSettings(SettingsWarning* warning, const std::string& administratorFile)
    : requireDoubleEntry_(FileRequiresDoubleEntry(administratorFile)) {
  for (const QString& file : {UserFile(), MachineFile()}) {
    if (SafeToRead(file)) {
      continue;
    }
    if (warning != nullptr) {
      warning->refused(file);
    }
    source_ = file == UserFile() ? Source::kNone : Source::kUserOnly;
    break;
  }
  const std::unique_ptr<QSettings> values = store();
  if (values == nullptr) {
    return;
  }
  for (const auto& [name, member] : kValues) {
    this->*member = values->value(QLatin1String(name)).toString();
  }
  const QString required = QStringLiteral("RequireDoubleEntry");
  requireDoubleEntry_ = requireDoubleEntry_ || values->value(required).toString() == kTrue;
  if (source_ == Source::kUserAndMachine) {
    requireDoubleEntry_ = requireDoubleEntry_ ||
                          QSettings(MachineFile(), QSettings::IniFormat).value(required) == kTrue;
  }
}

AcvSettings::~AcvSettings() {
  write();
}

EditLayout AcvSettings::editLayout() const {
  return editMethod_ == kPaperLayout ? EditLayout::kPaper : EditLayout::kOnScreen;
}

bool AcvSettings::viewAnalysis() const {
  return viewAnalysis_ == kTrue;
}

bool AcvSettings::alsoViewRelatedAnalysis() const {
  return alsoViewRelatedAnalysis_ == kTrue;
}

void AcvSettings::setEditLayout(EditLayout layout) {
  Set(&AcvSettings::editMethod_, layout == EditLayout::kPaper ? kPaperLayout : kOnScreenLayout);
}

void AcvSettings::setViewAnalysis(bool view) {
  Set(&AcvSettings::viewAnalysis_, view ? kTrue : kFalse);
}

void AcvSettings::setAlsoViewRelatedAnalysis(bool also) {
  Set(&AcvSettings::alsoViewRelatedAnalysis_, also ? kTrue : kFalse);
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
  const std::bitset<kValueCount> changed = changed_;
  changed_.reset();
  const std::unique_ptr<QSettings> values = changed.none() ? nullptr : store();
  if (values == nullptr) {
    return;
  }
  for (std::size_t i = 0; i < kValueCount; ++i) {
    const auto& [name, member] = kValues[i];
    if (!changed.test(i)) {
      continue;
    }
    if ((this->*member).isEmpty()) {
      values->remove(QLatin1String(name));
    } else {
      values->setValue(QLatin1String(name), this->*member);
    }
  }
  values->sync();
}

}  // namespace acv
