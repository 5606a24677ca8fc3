#include "storage/export_passwords.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "storage/file_status.h"
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
  const ExportPasswords passwords(File());
  EXPECT_FALSE(passwords.AnySet());
  EXPECT_FALSE(passwords.Accepts(""));
  EXPECT_FALSE(passwords.Accepts("anything"));
}

TEST_F(ExportPasswordsTest, OnlySaltedHashesAreKeptAndEverySlotOpens) {
  ExportPasswords passwords(File());
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

  const ExportPasswords reread(File());
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
  EXPECT_FALSE(ExportPasswords(File()).Accepts("Clinic-Pass"));
  EXPECT_TRUE(ExportPasswords(File()).Accepts("second one"));
}

TEST_F(ExportPasswordsTest, AFailedWriteKeepsThePasswordsThere) {
  ExportPasswords passwords(File());
  ASSERT_EQ(passwords.Set(2, "kept"), FileStatus::kOk);
  const std::string before = ReadBytes(File());
  // The new file cannot be made where it must go.
  const std::string blocker = File() + ".new" + std::to_string(getpid());
  ASSERT_EQ(mkdir(blocker.c_str(), 0700), 0);
  EXPECT_NE(passwords.Set(2, "lost"), FileStatus::kOk);
  EXPECT_EQ(ReadBytes(File()), before);
  EXPECT_TRUE(ExportPasswords(File()).Accepts("kept"));
  EXPECT_FALSE(passwords.Accepts("lost"));
  // A folder that cannot be made: a file stands in its place.
  ExportPasswords nowhere(File() + "/below");
  EXPECT_EQ(nowhere.Set(1, "x"), FileStatus::kBadPath);
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
