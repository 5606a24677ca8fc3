// Drafts of unfinished wizard runs: their coding, the folder that keeps them, a write killed at
// every change it makes, and two programs looking at the same drafts.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "storage/drafts/draft_folder.h"
#include "storage/drafts/draft_writer.h"
#include "storage/format/posix_file.h"
#include "storage/format/record_image.h"
#include "storage/format/record_scrambler.h"
#include "support/temp_dir.h"

namespace acv {
namespace {

Draft SampleDraft(int page) {
  Draft draft;
  draft.wizard = DraftWizard::kPaper;
  draft.page = page;
  draft.pageCount = 5;
  draft.started = 1'796'000'000;
  draft.changed = draft.started + 60 * page;
  draft.noBlankWarning = true;
  draft.secondTyping = page % 2 == 0;
  draft.record.SetText(TextField::kFirstName, "Zo\xEB");
  draft.record.SetText(TextField::kLastName, "O'Hara-Smythe");
  draft.record.SetReportType(kSelfReport);
  for (int item = 1; item <= page * 40 && item <= kItemCount; ++item) {
    draft.record.SetResponse(item, item % 6);
  }
  draft.fileName = "/srv/clinic/Zoë's file";
  return draft;
}

void ExpectSame(const Draft& a, const Draft& b) {
  EXPECT_EQ(a.wizard, b.wizard);
  EXPECT_EQ(a.page, b.page);
  EXPECT_EQ(a.pageCount, b.pageCount);
  EXPECT_EQ(a.started, b.started);
  EXPECT_EQ(a.changed, b.changed);
  EXPECT_EQ(a.replace, b.replace);
  EXPECT_EQ(a.noBlankWarning, b.noBlankWarning);
  EXPECT_EQ(a.secondTyping, b.secondTyping);
  EXPECT_EQ(a.byAnotherPerson, b.byAnotherPerson);
  EXPECT_EQ(a.viewAfterFinish, b.viewAfterFinish);
  EXPECT_EQ(a.fileName, b.fileName);
  EXPECT_EQ(EncodePlainImage(a.record), EncodePlainImage(b.record));
  ASSERT_EQ(a.edit.has_value(), b.edit.has_value());
  if (a.edit) {
    EXPECT_EQ(a.edit->fileName, b.edit->fileName);
    EXPECT_EQ(a.edit->index, b.edit->index);
    EXPECT_EQ(a.edit->original, b.edit->original);
    EXPECT_EQ(EncodePlainImage(a.edit->unedited), EncodePlainImage(b.edit->unedited));
  }
}

TEST(DraftTest, RoundTripsWithoutPlainPersonalData) {
  RecordScrambler scrambler(7);
  Draft edit = SampleDraft(3);
  ResponseRecord stored = edit.record;
  edit.edit = RecordEdit{"/srv/clinic/acv.cvr", 12, BuildImage(stored, "20261207140300"), stored};
  edit.replace = false;
  edit.byAnotherPerson = true;
  edit.viewAfterFinish = ViewAfterFinish{true, false};
  Draft chosen = SampleDraft(4);
  chosen.viewAfterFinish = ViewAfterFinish{false, true};
  for (const Draft& draft : {SampleDraft(2), edit, chosen}) {
    const std::string bytes = EncodeDraft(draft, scrambler);
    EXPECT_EQ(bytes.find("Hara"), std::string::npos);
    EXPECT_EQ(bytes.find("clinic"), std::string::npos);
    Draft decoded;
    ASSERT_EQ(DecodeDraft(bytes, &decoded), DraftFault::kNone);
    ExpectSame(draft, decoded);
  }
}

TEST(DraftTest, RefusesCutDamagedNewerAndForeignBytes) {
  RecordScrambler scrambler(7);
  const std::string bytes = EncodeDraft(SampleDraft(2), scrambler);
  Draft decoded = SampleDraft(4);
  std::string flipped = bytes;
  flipped[kDraftHeaderSize + 100] ^= 1;
  std::string newer = bytes;
  newer[8] = 2;
  // An edit whose record as it began is no record cannot go on.
  Draft edit = SampleDraft(3);
  edit.edit = RecordEdit{"/srv/clinic/acv.cvr", 1, StoredRecord{}, ResponseRecord()};
  const std::string noOriginal = EncodeDraft(edit, scrambler);
  for (const auto& [damaged, fault] : std::vector<std::pair<std::string, DraftFault>>{
           {noOriginal, DraftFault::kChecksum},
           {bytes.substr(0, bytes.size() - 1), DraftFault::kCutShort},
           {bytes.substr(0, 20), DraftFault::kCutShort},
           {flipped, DraftFault::kChecksum},
           {newer, DraftFault::kNewer},
           {"ACV 4.0   " + bytes, DraftFault::kNotDraft}}) {
    EXPECT_EQ(DecodeDraft(damaged, &decoded), fault);
  }
  ExpectSame(decoded, SampleDraft(4));  // left as it was
}

TEST(DraftFolderLayoutTest, PrivateFolderAndBadDraftsMovedAsideOrLeftNotDeleted) {
  acv::testing::TempDir temp;
  const DraftFolder folder(temp.File("data"), "VELT/ACV/drafts/");
  ASSERT_EQ(folder.Prepare(), FileStatus::kOk);
  struct stat info {};
  ASSERT_EQ(stat(folder.path().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  RecordScrambler scrambler(3);
  ASSERT_EQ(folder.Write("good", EncodeDraft(SampleDraft(1), scrambler)), FileStatus::kOk);
  ASSERT_EQ(stat(folder.draftFile("good").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  ASSERT_EQ(folder.Write("torn", EncodeDraft(SampleDraft(2), scrambler).substr(0, 300)),
            FileStatus::kOk);
  std::string newer = EncodeDraft(SampleDraft(3), scrambler);
  newer[8] = 2;
  ASSERT_EQ(folder.Write("newer", newer), FileStatus::kOk);
  ASSERT_EQ(folder.Write("shared", EncodeDraft(SampleDraft(4), scrambler)), FileStatus::kOk);
  ASSERT_EQ(chmod(folder.draftFile("shared").c_str(), 0644), 0);
  ASSERT_EQ(mkdir(folder.draftFile("folder").c_str(), 0700), 0);
  // A lock left by a run killed before its first draft.
  std::ofstream(folder.lockFile("orphan")).put('\0');
  std::vector<SetAsideDraft> setAside;
  const std::vector<FoundDraft> found = folder.List(&setAside);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].id, "good");
  ASSERT_EQ(setAside.size(), 4u);
  EXPECT_EQ(setAside[0].fault, DraftFault::kNotRegular);
  EXPECT_EQ(setAside[1].fault, DraftFault::kNewer);
  EXPECT_EQ(setAside[2].fault, DraftFault::kNotPrivate);
  EXPECT_EQ(setAside[3].fault, DraftFault::kCutShort);
  for (const SetAsideDraft& file : setAside) {
    // Moved aside, or (a newer program's, or not private) left where it is.
    const bool left = file.fault == DraftFault::kNewer || file.fault == DraftFault::kNotPrivate;
    EXPECT_EQ(file.movedTo.empty(), left) << file.id;
    EXPECT_EQ(lstat(left ? folder.draftFile(file.id).c_str() : file.movedTo.c_str(), &info), 0)
        << file.id;
  }
  EXPECT_NE(lstat(folder.lockFile("orphan").c_str(), &info), 0);
  EXPECT_NE(lstat(folder.lockFile("torn").c_str(), &info), 0);  // gone with its draft
}

// A drafts folder that is a link (to another user's folder, say), or on the way to one, is
// neither read nor written.
TEST(DraftFolderLayoutTest, LinkedFoldersAreRefused) {
  acv::testing::TempDir temp;
  const DraftFolder elsewhere(temp.File("other"), "VELT/ACV/drafts/");
  ASSERT_EQ(elsewhere.Prepare(), FileStatus::kOk);
  RecordScrambler scrambler(3);
  ASSERT_EQ(elsewhere.Write("theirs", EncodeDraft(SampleDraft(1), scrambler)), FileStatus::kOk);
  ASSERT_EQ(mkdir(temp.File("mine").c_str(), 0700), 0);
  ASSERT_EQ(symlink(temp.File("other/VELT").c_str(), temp.File("mine/VELT").c_str()), 0);
  ASSERT_EQ(mkdir(temp.File("last").c_str(), 0700), 0);
  ASSERT_EQ(mkdir(temp.File("last/VELT").c_str(), 0700), 0);
  ASSERT_EQ(mkdir(temp.File("last/VELT/ACV").c_str(), 0700), 0);
  ASSERT_EQ(symlink(temp.File("other/VELT/ACV/drafts").c_str(),
                    temp.File("last/VELT/ACV/drafts").c_str()),
            0);
  for (const char* base : {"mine", "last"}) {
    const DraftFolder linked(temp.File(base), "VELT/ACV/drafts/");
    EXPECT_EQ(linked.Prepare(), FileStatus::kNotPrivate) << base;
    EXPECT_EQ(linked.CheckPrivate(), FileStatus::kNotPrivate) << base;
    EXPECT_TRUE(linked.List(nullptr).empty()) << base;
  }
}

// A fresh drafts folder for each test.
class DraftFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(folder.Prepare(), FileStatus::kOk); }

  acv::testing::TempDir temp;
  const DraftFolder folder{temp.File("drafts/")};
};
using DraftWriterTest = DraftFolderTest;

// Two programs at once: a draft one of them holds is not offered to the other.
TEST_F(DraftFolderTest, DraftHeldByAnotherProgramIsNotOffered) {
  RecordScrambler scrambler(3);
  ASSERT_EQ(folder.Write("held", EncodeDraft(SampleDraft(1), scrambler)), FileStatus::kOk);
  {
    const std::vector<FoundDraft> first = folder.List(nullptr);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_TRUE(folder.List(nullptr).empty());
  }
  EXPECT_EQ(folder.List(nullptr).size(), 1u);  // offered again once let go
}

// A kill at each change a draft write makes leaves the old draft or the new one, whole.
TEST_F(DraftFolderTest, WriteKilledAtEveryPointLeavesOldOrNew) {
  RecordScrambler scrambler(5);
  ASSERT_EQ(folder.Write("run", EncodeDraft(SampleDraft(1), scrambler)), FileStatus::kOk);
  const std::string newer = EncodeDraft(SampleDraft(2), scrambler);
  static int killAt = 0;
  static int reached = 0;
  bool sawNew = false;
  for (killAt = 1; !sawNew && killAt < 40; ++killAt) {
    const pid_t child = fork();
    if (child == 0) {
      reached = 0;
      SetFaultHookForTesting([] {
        if (++reached == killAt) {
          _exit(9);
        }
      });
      _exit(folder.Write("run", newer) == FileStatus::kOk ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    std::vector<SetAsideDraft> setAside;
    const std::vector<FoundDraft> found = folder.List(&setAside);
    ASSERT_TRUE(setAside.empty()) << "kill at point " << killAt;
    ASSERT_EQ(found.size(), 1u) << "kill at point " << killAt;
    sawNew = found[0].draft.page == 2;
    if (!sawNew) {
      ExpectSame(found[0].draft, SampleDraft(1));
    }
  }
  EXPECT_TRUE(sawNew);
}

TEST_F(DraftWriterTest, WritesTheNewestAndDiscardRemovesTheDraft) {
  RecordScrambler scrambler(5);
  DraftWriter writer(folder, "run");
  for (int page = 0; page < 5; ++page) {
    writer.Submit(EncodeDraft(SampleDraft(page), scrambler));
  }
  ASSERT_EQ(writer.Flush(), FileStatus::kOk);
  std::vector<FoundDraft> found = folder.List(nullptr);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].draft.page, 4);
  found.clear();
  ASSERT_EQ(writer.Discard(), FileStatus::kOk);
  writer.Submit(EncodeDraft(SampleDraft(1), scrambler));  // too late: not written
  EXPECT_EQ(writer.Flush(), FileStatus::kOk);
  EXPECT_TRUE(folder.List(nullptr).empty());
}

TEST_F(DraftWriterTest, ReadOnlyFolderIsReported) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "root writes into any folder";
  }
  ASSERT_EQ(chmod(folder.path().c_str(), 0500), 0);
  DraftWriter writer(folder, "run");
  RecordScrambler scrambler(5);
  writer.Submit(EncodeDraft(SampleDraft(1), scrambler));
  EXPECT_EQ(writer.Flush(), FileStatus::kAccessDenied);
}

}  // namespace
}  // namespace acv
