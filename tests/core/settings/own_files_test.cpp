// The program's own small files (the recent decks list, the window places,
// the panel layout and the shared settings file) never stop it from starting: whatever stands at
// their place is read as nothing, quickly, and is never written over, so a list or settings that
// could not be read are not lost.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <string>

#include "core/card_data/io_error.h"
#include "core/settings/ini_settings.h"
#include "core/settings/panel_layout.h"
#include "core/settings/recent_decks.h"
#include "core/settings/window_places.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace quillet {
namespace {

using test::TempDir;

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

struct OwnFile {
  const char* label;
  std::string name;
  std::function<bool(const std::string& dir)> loadsSomething;
  std::function<void(const std::string& dir)> save;
};

struct Broken {
  const char* label;
  std::function<void(const std::string& path)> make;
};

TEST(OwnFilesTest, WhateverStandsInTheirPlaceIsReadAsNothingAndLeftAsItIs) {
  const OwnFile files[] = {
      {"recent decks", std::string(kRecentDecksFileName),
       [](const std::string& dir) { return !LoadRecentDecks(dir).Paths().empty(); },
       [](const std::string& dir) {
         RecentDecks decks;
         decks.Add("/home/deck.txt");
         SaveRecentDecks(dir, decks);
       }},
      {"settings", std::string(kSettingsFileName),
       [](const std::string& dir) { return !ReadDeckDirectory(dir).empty(); },
       [](const std::string& dir) { WriteDeckDirectory(dir, "/home/"); }},
      {"window places", std::string(kWindowPlacesFileName),
       [](const std::string& dir) { return !LoadWindowPlaces(dir).empty(); },
       [](const std::string& dir) {
         SaveWindowPlaces(dir, {{"main", {1, 2, 3, 4}}});
       }},
      {"panel layout", std::string(kPanelLayoutFileName),
       [](const std::string& dir) { return !LoadPanelLayout(dir).empty(); },
       [](const std::string& dir) { SavePanelLayout(dir, "layout"); }},
  };
  // Readable, each file would load something from these lines.
  const std::string lines = "/home/deck.txt\n[DIRECTORIES]\nDeck Directory=/x\nmain 1 2 3 4\n";
  const std::string big = lines + std::string(1024 * 1024, '#');
  const Broken kinds[] = {
      {"folder", [](const std::string& p) { ASSERT_EQ(::mkdir(p.c_str(), 0755), 0); }},
      {"fifo", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
      {"link to a device",
       [](const std::string& p) { ASSERT_EQ(::symlink("/dev/zero", p.c_str()), 0); }},
      {"oversized", [&](const std::string& p) { WriteFile(p, big); }},
      {"link to a large document",
       [&](const std::string& p) {
         WriteFile(p + ".doc", big);
         ASSERT_EQ(::symlink((p + ".doc").c_str(), p.c_str()), 0);
       }},
      {"unreadable",
       [&](const std::string& p) {
         WriteFile(p, lines);
         ASSERT_EQ(::chmod(p.c_str(), 0200), 0);
       }},
  };
  for (const OwnFile& file : files) {
    {
      SCOPED_TRACE(std::string(file.label) + ", readable");
      TempDir dir;
      WriteFile(dir.File(file.name), lines);
      EXPECT_TRUE(file.loadsSomething(dir.path()));
      EXPECT_NO_THROW(file.save(dir.path()));
    }
    for (const Broken& kind : kinds) {
      SCOPED_TRACE(std::string(file.label) + ", " + kind.label);
      TempDir dir;
      const std::string path = dir.File(file.name);
      kind.make(path);
      struct stat before {};
      ASSERT_EQ(::lstat(path.c_str(), &before), 0);
      test::RunUnprivileged(dir.path(), [&] {
        EXPECT_FALSE(file.loadsSomething(dir.path()));
        EXPECT_THROW(file.save(dir.path()), IoError);
      });
      struct stat after {};
      ASSERT_EQ(::lstat(path.c_str(), &after), 0);
      EXPECT_EQ(after.st_ino, before.st_ino);
      EXPECT_EQ(after.st_mode, before.st_mode);
      EXPECT_EQ(after.st_size, before.st_size);
    }
  }
}

}  // namespace
}  // namespace quillet
