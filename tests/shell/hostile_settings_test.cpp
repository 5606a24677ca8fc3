// Settings files that are not plain text files of a settings file's size (a pipe, a huge file,
// random bytes) are never read: the window goes on with the other file or the defaults, and says
// so once. What an administrator requires for every user holds whatever a user's own file says.
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QtTest>

#include "shell/acv_settings.h"
#include "shell/adult_an.h"
#include "shell/main_frame.h"
#include "support/dialogs.h"
#include "support/fake_prompts.h"

namespace acv {
namespace {

QString ConfFile(const QString& variable) {
  const QString folder = qEnvironmentVariable(variable.toLatin1().constData()).section(u':', 0, 0);
  QDir().mkpath(folder + QStringLiteral("/VELT"));
  return folder + QStringLiteral("/VELT/ACV.conf");
}

QString MachineFile() {
  return ConfFile(QStringLiteral("XDG_CONFIG_DIRS"));
}

QString UserFile() {
  return ConfFile(QStringLiteral("XDG_CONFIG_HOME"));
}

enum class Hostile { kPipe, kHuge, kBinary };

// Puts a pipe (nobody ever writes to it), a sparse file of 1 GB or 4 KiB of bytes that are no
// text at `path`.
void MakeHostile(const QString& path, Hostile kind) {
  QFile::remove(path);
  const QByteArray name = QFile::encodeName(path);
  if (kind == Hostile::kPipe) {
    QVERIFY(mkfifo(name.constData(), 0644) == 0);
    return;
  }
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  if (kind == Hostile::kHuge) {
    QVERIFY(file.resize(qint64{1} << 30));
    return;
  }
  QByteArray bytes("[General]\nACVFileName=");
  for (int i = 0; bytes.size() < 4096; ++i) {
    bytes += static_cast<char>((i * 131 + 7) % 256);
  }
  QCOMPARE(file.write(bytes), bytes.size());
}

}  // namespace

class HostileSettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    QFile::remove(MachineFile());
    QFile::remove(UserFile());
  }

  void doubleEntryRequiredForEveryUserCannotBeLiftedByOne() {
    QCOMPARE(AcvSettings().requireDoubleEntry(), false);
    const auto write = [](const QString& file, const char* value) {
      QSettings(file, QSettings::IniFormat)
          .setValue(QStringLiteral("RequireDoubleEntry"), QLatin1String(value));
    };
    write(MachineFile(), "T");
    write(UserFile(), "F");
    QCOMPARE(AcvSettings().requireDoubleEntry(), true);
    QFile::remove(MachineFile());
    QCOMPARE(AcvSettings().requireDoubleEntry(), false);
    write(UserFile(), "T");  // a user may ask it of themself
    QCOMPARE(AcvSettings().requireDoubleEntry(), true);
    // The administrator's own file holds whatever XDG_CONFIG_DIRS names.
    write(UserFile(), "F");
    const QString administrator = QDir::tempPath() + QStringLiteral("/acv-administrator.conf");
    QFile::remove(administrator);
    QVERIFY(QFile(administrator).open(QIODevice::WriteOnly));
    QCOMPARE(AcvSettings(nullptr, administrator.toStdString()).requireDoubleEntry(), false);
    write(administrator, "T");
    const QByteArray folders = qgetenv("XDG_CONFIG_DIRS");
    qputenv("XDG_CONFIG_DIRS", QDir::tempPath().toUtf8() + "/acv-no-such-folder");
    const bool held = AcvSettings(nullptr, administrator.toStdString()).requireDoubleEntry();
    qputenv("XDG_CONFIG_DIRS", folders);
    QFile::remove(administrator);
    QVERIFY(held);
  }

  void aHostileMachineFileIsLeftOutAndReportedOnce_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("a pipe") << static_cast<int>(Hostile::kPipe);
    QTest::newRow("a 1 GB file") << static_cast<int>(Hostile::kHuge);
    QTest::newRow("bytes that are no text") << static_cast<int>(Hostile::kBinary);
  }
  void aHostileMachineFileIsLeftOutAndReportedOnce() {
    QFETCH(int, kind);
    MakeHostile(MachineFile(), static_cast<Hostile>(kind));
    testing::FakePrompts prompts;
    SettingsWarning warning(prompts, nullptr);
    QElapsedTimer timer;
    timer.start();
    {
      AcvSettings settings(&warning);
      QCOMPARE(settings.acvFileName(), QString());
      settings.setAcvFileName(QStringLiteral("/home/me/acv"));
      settings.setViewAnalysis(true);
    }
    {
      AcvSettings settings(&warning);  // the user's own values still come and go
      QCOMPARE(settings.acvFileName(), QStringLiteral("/home/me/acv"));
      QVERIFY(settings.viewAnalysis());
    }
    QVERIFY(timer.elapsed() < 2000);
    QCOMPARE(prompts.captions(), QStringList{QStringLiteral("Settings Not Read")});
    QVERIFY(prompts.shown.first().text.contains(MachineFile()));
    // The user's file holds the stored codes.
    QSettings user(UserFile(), QSettings::IniFormat);
    QCOMPARE(user.value(QStringLiteral("ViewAnalysis")).toString(), QStringLiteral("T"));
  }

  void aHostileUserFileLeavesTheDefaultsAndIsNotWritten() {
    MakeHostile(UserFile(), Hostile::kPipe);
    QSettings machine(MachineFile(), QSettings::IniFormat);
    machine.setValue(QStringLiteral("EditMethod"), QStringLiteral("1"));
    machine.sync();
    testing::FakePrompts prompts;
    SettingsWarning warning(prompts, nullptr);
    {
      AcvSettings settings(&warning);
      QCOMPARE(settings.editLayout(), EditLayout::kOnScreen);
      settings.setAcvFileName(QStringLiteral("/home/me/acv"));
      settings.write();
    }
    struct stat status {};
    QVERIFY(stat(QFile::encodeName(UserFile()).constData(), &status) == 0);
    QVERIFY(S_ISFIFO(status.st_mode));
    QCOMPARE(prompts.shown.size(), 1);
    QVERIFY(prompts.shown.first().text.contains(UserFile()));
  }

  void theWindowWarnsOnceAndGoesOn() {
    MakeHostile(MachineFile(), Hostile::kPipe);
    testing::FakePrompts prompts;
    CMainFrame frame(prompts);
    for (int run = 0; run < 2; ++run) {
      testing::WhenShown<CAdultAn>([](CAdultAn& dialog) { dialog.reject(); });
      frame.analysisCommand();
    }
    QCOMPARE(prompts.captions(), QStringList{QStringLiteral("Settings Not Read")});
  }
};

}  // namespace acv

QTEST_MAIN(acv::HostileSettingsTest)
#include "hostile_settings_test.moc"
