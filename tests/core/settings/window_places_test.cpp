#include "core/settings/window_places.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <random>

#include "support/temp_dir.h"

namespace quillet {
namespace {

// Random windows against random areas, checked against what "fits" means:
// inside, no larger, untouched when it already fitted, and the smallest
// move (a window that fits in width keeps its left edge when that is
// inside, else touches the nearer edge).
TEST(WindowPlacesTest, FitInsideKeepsEveryWindowOnTheFreeArea) {
  std::mt19937 random(11);
  const auto between = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  for (int step = 0; step < 5000; ++step) {
    const WindowRect area{between(-500, 500), between(-500, 500), between(1, 2000),
                          between(1, 1200)};
    const WindowRect window{between(-3000, 3000), between(-3000, 3000), between(1, 3000),
                            between(1, 3000)};
    const WindowRect fit = FitInside(window, area);
    ASSERT_EQ(fit.width, std::min(window.width, area.width));
    ASSERT_EQ(fit.height, std::min(window.height, area.height));
    ASSERT_GE(fit.x, area.x);
    ASSERT_GE(fit.y, area.y);
    ASSERT_LE(fit.x + fit.width, area.x + area.width);
    ASSERT_LE(fit.y + fit.height, area.y + area.height);
    const bool inside = window.x >= area.x && window.y >= area.y &&
                        window.x + window.width <= area.x + area.width &&
                        window.y + window.height <= area.y + area.height;
    if (inside) {
      ASSERT_EQ(fit, window);
    }
    if (window.x >= area.x && window.x + fit.width <= area.x + area.width) {
      ASSERT_EQ(fit.x, window.x);
    }
  }
  const WindowRect window{-237, -30, 1875, 960};
  EXPECT_EQ(FitInside(window, {0, 0, 0, 0}), window);
  EXPECT_EQ(FitInside(window, {0, 0, 1400, 900}), (WindowRect{0, 0, 1400, 900}));
}

TEST(WindowPlacesTest, TheFileKeepsWhatItCanAndReadsBackAsWritten) {
  const WindowPlaces places = ParseWindowPlaces(
      "# comment\n"
      "DrawOddsForm 10 -20 470 380\r\n"
      "CardBrowserForm 0 0 933 600\n"
      "DrawOddsForm 11 12 13 14\n"  // the later line wins
      "Bad-Name 1 2 3 4\n"          // not one word of letters
      "Short 1 2 3\n"               // a number missing
      "Extra 1 2 3 4 5\n"           // one too many
      "Empty 1 2 0 4\n"             // no width
      "Far 1 2 3 4000000\n"         // beyond any desktop
      "Text 1 2 three 4\n"
      "  ChartsForm\t5 6 7 8");
  const WindowPlaces expected = {{"DrawOddsForm", {11, 12, 13, 14}},
                                 {"CardBrowserForm", {0, 0, 933, 600}},
                                 {"ChartsForm", {5, 6, 7, 8}}};
  EXPECT_EQ(places, expected);
  EXPECT_EQ(ParseWindowPlaces(WindowPlacesText(places)), places);
  EXPECT_FALSE(StorableWindowName("A B"));
  EXPECT_TRUE(StorableWindowName("Help_Window2"));

  test::TempDir dir;
  const std::string config = dir.File("config/quillet/");
  EXPECT_TRUE(LoadWindowPlaces(config).empty());
  SaveWindowPlaces(config, places);
  EXPECT_EQ(LoadWindowPlaces(config), places);
  SaveWindowPlaces("", places);  // no folder: nothing is kept, nothing fails
  EXPECT_TRUE(LoadWindowPlaces("").empty());

  // A FIFO in the file's place gives no places at once, never a hang.
  const std::string fifoConfig = dir.File("fifo/");
  std::filesystem::create_directories(fifoConfig);
  ASSERT_EQ(::mkfifo((fifoConfig + "window-places").c_str(), 0600), 0);
  EXPECT_TRUE(LoadWindowPlaces(fifoConfig).empty());
}

}  // namespace
}  // namespace quillet
