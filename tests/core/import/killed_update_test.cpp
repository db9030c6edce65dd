// An update killed with SIGKILL in the middle of writing leaves the previous
// data files as they were, and the next update leaves the folder holding
// exactly the data files: its own temporary files and the killed one's gone.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "card_list_line.h"
#include "core/card_data/byte_source.h"
#include "core/card_data/card_database.h"
#include "core/card_data/temp_files.h"
#include "core/import/card_data_update.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

// Delivers the list until `after` bytes have gone out, then tells the test
// through `ready` and waits to be killed.
class StallingSource final : public ByteSource {
 public:
  StallingSource(std::string_view bytes, std::size_t after, int ready)
      : bytes_(bytes), after_(after), ready_(ready) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
    if (pos_ >= after_) {
      [[maybe_unused]] const auto written = ::write(ready_, "x", 1);
      for (;;) ::pause();
    }
    const std::size_t n = std::min({size, after_ - pos_, bytes_.size() - pos_});
    std::copy_n(bytes_.data() + pos_, n, buffer);
    pos_ += n;
    return n;
  }

 private:
  std::string_view bytes_;
  std::size_t after_, pos_ = 0;
  int ready_;
};

TEST(KilledUpdateTest, TheNextUpdateCleansUpAndTheOldDataSurvivesTheKill) {
  test::TempDir data;
  data.Write("CardStat.Dat", "previous stats");
  data.Write("CardText.Dat", "previous texts");
  data.Write(TempFileName("CardText.Dat"), "left by a killed update");
  std::string list;
  for (int i = 0; i < 2000; ++i) {
    test::CardListLine line;
    line.name = "Card " + std::to_string(100000 + i);
    line.text = std::string(200, 't');
    list += line.Str();
  }

  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    CardDatabase db(data.path());
    StallingSource source(list, list.size() / 2, pipeFds[1]);
    UpdateCardData(db, source, UpdateOptions{});
    ::_exit(0);  // not reached: the source stalls until the kill
  }
  char ready = 0;
  ASSERT_EQ(::read(pipeFds[0], &ready, 1), 1);
  ::close(pipeFds[0]);
  ::close(pipeFds[1]);

  // Half the list is written to the new files now, which have no name yet
  // where the file system can make unnamed files.
  std::size_t partial = 0;
  for (const auto& name : test::TempDir::Names(data.path())) {
    if (name.starts_with(kTempPrefix)) ++partial;
  }
  EXPECT_TRUE(partial == 0u || partial == 2u) << partial;
  ASSERT_EQ(::kill(child, SIGKILL), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(test::TempDir::Read(data.File("CardStat.Dat")), "previous stats");
  EXPECT_EQ(test::TempDir::Read(data.File("CardText.Dat")), "previous texts");

  CardDatabase db(data.path());
  MemorySource source(list);
  UpdateCardData(db, source, UpdateOptions{});
  EXPECT_EQ(test::TempDir::Names(data.path()),
            (std::set<std::string>{"CardStat.Dat", "CardText.Dat"}));
  EXPECT_EQ(db.RecordCount(), 2000);
}

TEST(KilledUpdateTest, AMissingDataFolderIsCreated) {
  test::TempDir root;
  const std::string folder = root.File("a/b/quillet/");
  CardDatabase db(folder);
  const std::string list = test::CardListLine{}.Str();  // the source only views it
  MemorySource source(list);
  UpdateCardData(db, source, UpdateOptions{});
  EXPECT_EQ(test::TempDir::Names(folder), (std::set<std::string>{"CardStat.Dat", "CardText.Dat"}));
}

}  // namespace
}  // namespace quillet
