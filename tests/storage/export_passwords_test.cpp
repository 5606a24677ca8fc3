#include "storage/csv/export_passwords.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "storage/format/file_status.h"
#include "support/temp_dir.h"

namespace acv {
namespace {

using testing::ReadBytes;

class ExportPasswordsTest : public ::testing::Test {
 protected:
  std::string File() const { return dir_.File("etc/VELT/acv-export-passwords"); }
  testing::TempDir dir_;
};

TEST_F(ExportPasswordsTest, NoFileHoldsNoPassword) {
  const ExportPasswords passwords(File(), geteuid());
  EXPECT_FALSE(passwords.AnySet());
  EXPECT_FALSE(passwords.Accepts(""));
  EXPECT_FALSE(passwords.Accepts("anything"));
}

TEST_F(ExportPasswordsTest, OnlySaltedHashesAreKeptAndEverySlotOpens) {
  ExportPasswords passwords(File(), geteuid());
  const mode_t umaskBefore = umask(077);  // an administrator's strict umask
  ASSERT_EQ(passwords.Set(1, "Clinic-Pass"), FileStatus::kOk);
  umask(umaskBefore);
  ASSERT_EQ(passwords.Set(3, "second one"), FileStatus::kOk);
  const std::string stored = ReadBytes(File());
  EXPECT_EQ(stored.find("Clinic-Pass"), std::string::npos);
  EXPECT_EQ(stored.rfind("Password1=$argon2id$", 0), 0u) << stored;
  EXPECT_NE(stored.find("\nPassword3=$argon2id$"), std::string::npos);
  struct stat info {};
  ASSERT_EQ(stat(File().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
  ASSERT_EQ(stat(dir_.File("etc/VELT").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0755u);

  const ExportPasswords reread(File(), geteuid());
  EXPECT_TRUE(reread.AnySet());
  EXPECT_TRUE(reread.Accepts("Clinic-Pass"));
  EXPECT_TRUE(reread.Accepts("second one"));
  EXPECT_FALSE(reread.Accepts("clinic-pass"));
  EXPECT_FALSE(reread.Accepts("Clinic-Pass "));
  EXPECT_FALSE(reread.Accepts(""));

  // The same password set again gets a new salt.
  ASSERT_EQ(passwords.Set(1, "Clinic-Pass"), FileStatus::kOk);
  EXPECT_NE(ReadBytes(File()), stored);
  ASSERT_EQ(passwords.Set(1, ""), FileStatus::kOk);
  EXPECT_FALSE(ExportPasswords(File(), geteuid()).Accepts("Clinic-Pass"));
  EXPECT_TRUE(ExportPasswords(File(), geteuid()).Accepts("second one"));
}

TEST_F(ExportPasswordsTest, AFailedWriteKeepsThePasswordsThere) {
  ExportPasswords passwords(File(), geteuid());
  ASSERT_EQ(passwords.Set(2, "kept"), FileStatus::kOk);
  const std::string before = ReadBytes(File());
  // The new file cannot be made where it must go.
  const std::string blocker = File() + ".new" + std::to_string(getpid());
  ASSERT_EQ(mkdir(blocker.c_str(), 0700), 0);
  EXPECT_NE(passwords.Set(2, "lost"), FileStatus::kOk);
  EXPECT_EQ(ReadBytes(File()), before);
  EXPECT_TRUE(ExportPasswords(File(), geteuid()).Accepts("kept"));
  EXPECT_FALSE(passwords.Accepts("lost"));
  // A folder that cannot be made: a file stands in its place.
  ExportPasswords nowhere(File() + "/below", geteuid());
  EXPECT_EQ(nowhere.Set(1, "x"), FileStatus::kBadPath);
}

// A user who can write the file could add a hash of their own; a pipe put at its name would
// hang the export; a huge file or a hash with huge limits would cost any memory and time.
TEST_F(ExportPasswordsTest, AnUntrustedPasswordFileIsRefusedWhole) {
  ExportPasswords passwords(File(), geteuid());
  ASSERT_EQ(passwords.Set(1, "Clinic-Pass"), FileStatus::kOk);
  const std::string good = ReadBytes(File());
  const auto refusal = [this](uid_t owner) {
    const ExportPasswords read(File(), owner);
    EXPECT_FALSE(read.AnySet());
    EXPECT_FALSE(read.Accepts("Clinic-Pass"));
    EXPECT_NE(read.refusal().find("'" + File() + "'"), std::string::npos) << read.refusal();
    return read.refusal();
  };
  EXPECT_NE(refusal(geteuid() + 1).find("not owned by the administrator"), std::string::npos);
  ASSERT_EQ(chmod(File().c_str(), 0666), 0);
  EXPECT_NE(refusal(geteuid()).find("changed by users other"), std::string::npos);
  ASSERT_EQ(chmod(File().c_str(), 0620), 0);
  EXPECT_NE(refusal(geteuid()).find("changed by users other"), std::string::npos);
  ASSERT_EQ(chmod(File().c_str(), 0644), 0);
  testing::WriteBytes(File(), good + std::string(5000, '#'));
  EXPECT_NE(refusal(geteuid()).find("larger"), std::string::npos);
  std::string costly = good;
  costly.replace(costly.find("m=65536"), 7, "m=4194304");
  testing::WriteBytes(File(), costly);
  EXPECT_NE(refusal(geteuid()).find("not made by 'acv set-export-password'"), std::string::npos);
  ASSERT_EQ(unlink(File().c_str()), 0);
  ASSERT_EQ(mkfifo(File().c_str(), 0644), 0);
  EXPECT_NE(refusal(geteuid()).find("not a regular file"), std::string::npos);
  ASSERT_EQ(unlink(File().c_str()), 0);
  testing::WriteBytes(File(), good);
  ASSERT_EQ(chmod(File().c_str(), 0644), 0);
  EXPECT_TRUE(ExportPasswords(File(), geteuid()).Accepts("Clinic-Pass")) << "the file as written";
}

TEST(WipeSecretTest, LeavesNothingOfTheText) {
  std::string secret = "typed password";
  const char* bytes = secret.data();
  const std::size_t size = secret.size();
  WipeSecret(&secret);
  EXPECT_TRUE(secret.empty());
  EXPECT_EQ(std::string(bytes, size), std::string(size, '\0'));
}

}  // namespace
}  // namespace acv
