#include "core/card_data/card_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/card_data/card_database.h"
#include "core/card_data/card_view.h"
#include "core/card_data/io_error.h"
#include "support/card_builder.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using test::MakeCard;
using test::RecordsBytes;

// Names close to each other in every way the lookup tells apart: case,
// prefixes, blanks, the empty name and a name longer than the record holds.
const std::vector<std::string> kNames = {"",
                                         "Alpha",
                                         "alpha",
                                         "Alpha ",
                                         "Alphabet",
                                         "Bravo",
                                         "Cobra",
                                         "cobra",
                                         "Delta",
                                         "Echo",
                                         "Zulu",
                                         "zulu",
                                         std::string(33, 'Q'),
                                         std::string(34, 'Q')};

std::string AnyName(std::mt19937& random) {
  return kNames[std::uniform_int_distribution<std::size_t>(0, kNames.size() - 1)(random)];
}

// A file of up to 24 records drawn from kNames (so with duplicates), in
// random order or sorted as the card list is. Every record's edition tells
// it from the others.
std::vector<TCardRecord> RandomFile(std::mt19937& random) {
  std::vector<TCardRecord> cards(std::uniform_int_distribution<std::size_t>(0, 24)(random));
  for (std::size_t i = 0; i < cards.size(); ++i) {
    cards[i] = MakeCard(AnyName(random));
    cards[i].Edition.Assign(std::to_string(i));
  }
  if (random() % 2) {
    std::stable_sort(cards.begin(), cards.end(), [](const TCardRecord& a, const TCardRecord& b) {
      return SortsAfterIgnoringCase(b.Name.View(), a.Name.View());
    });
  }
  return cards;
}

// What one lookup leaves behind, everything a caller can see.
struct Outcome {
  bool found = false;
  std::string error;
  std::string edition;
  std::int32_t index = 0;
  std::string lastName;
  std::int32_t lastPos = 0;
  bool operator==(const Outcome&) const = default;
};

Outcome Look(CardDatabase& db, const std::string& name) {
  Outcome o;
  try {
    o.found = db.LookupCard(name);
  } catch (const IoError& e) {
    o.error = e.what();
  }
  o.edition = db.CurrentCard.Edition.Str();
  o.index = db.CurrentCardIndex;
  o.lastName = db.LastFoundName;
  o.lastPos = db.LastFoundPos;
  return o;
}

// The pure lookup over a view, carrying its position and working card from
// one lookup to the next as the database does.
Outcome LookIn(const CardView& view, LookupPosition& position, Outcome previous,
               const std::string& name) {
  Outcome o = std::move(previous);
  o.found = false;
  o.error.clear();
  try {
    const LookupAnswer answer = LookUp(view, name, position);
    o.found = answer.found;
    o.edition = view.Card(answer.record).Edition.Str();
    o.index = answer.record + 1;
  } catch (const IoError& e) {
    o.error = e.what();
  }
  o.lastName = position.lastFoundName;
  o.lastPos = position.lastFoundPos;
  return o;
}

// Random files and random runs of lookups from a random cache: the shared
// index and the pass for a few names answer every lookup as the plain scan,
// and so do the read-only views of both that analyses share.
TEST(CardIndexProperty, IndexedAnswersAreTheScans) {
  std::mt19937 random(20261209);
  for (int round = 0; round < 300; ++round) {
    test::TempDir dir;  // a new file each round, so no state is ever reused
    const auto cards = RandomFile(random);
    dir.Write("CardStat.Dat", RecordsBytes(cards));
    std::vector<std::string> lookups(std::uniform_int_distribution<std::size_t>(1, 12)(random));
    for (auto& name : lookups) name = AnyName(random);
    std::vector<std::string_view> asked;  // the names the pass is told of: some of them
    for (const auto& name : lookups) {
      if (random() % 4) asked.push_back(name);
    }
    const std::string cacheName = AnyName(random);
    const auto cachePos = std::uniform_int_distribution<std::int32_t>(0, 30)(random);

    CardDatabase plain(dir.path()), shared(dir.path()), few(dir.path());
    for (CardDatabase* db : {&plain, &shared, &few}) {
      db->LastFoundName = cacheName;
      db->LastFoundPos = cachePos;
    }
    const LookupBatch sharedBatch(shared);
    const LookupBatch fewBatch(few, asked);
    CardDatabase viewed(dir.path());
    viewed.KeepIndex(true);
    const auto indexView = viewed.View({});
    const auto namesView = CardDatabase(dir.path()).View({lookups.begin(), lookups.end()});
    LookupPosition indexPosition{cacheName, cachePos}, namesPosition{cacheName, cachePos};
    Outcome indexState, namesState;
    for (const auto& name : lookups) {
      const Outcome expected = Look(plain, name);
      ASSERT_EQ(Look(shared, name), expected) << "round " << round << " shared, name " << name;
      ASSERT_EQ(Look(few, name), expected) << "round " << round << " few, name " << name;
      indexState = LookIn(*indexView, indexPosition, indexState, name);
      ASSERT_EQ(indexState, expected) << "round " << round << " index view, name " << name;
      namesState = LookIn(*namesView, namesPosition, namesState, name);
      ASSERT_EQ(namesState, expected) << "round " << round << " names view, name " << name;
    }
  }
}

TEST(CardIndex, IsBuiltOncePerStateOfTheFile) {
  test::TempDir dir;
  const std::string path = dir.Write("CardStat.Dat", RecordsBytes({MakeCard("Alpha")}));
  const auto first = CardIndex::Shared(path);
  EXPECT_EQ(CardIndex::Shared(path), first);
  {
    CardDatabase db(dir.path());
    LookupBatch batch(db);
    ASSERT_TRUE(db.LookupCard("Alpha"));
    EXPECT_EQ(db.BatchState(), first->State());
    EXPECT_EQ(CardIndex::Shared(path), first);
  }
  // Another tool rewrites the file: the next user gets the new cards.
  dir.Write("CardStat.Dat", RecordsBytes({MakeCard("Bravo"), MakeCard("Alpha")}));
  const auto second = CardIndex::Shared(path);
  EXPECT_NE(second, first);
  EXPECT_EQ(second->Count(), 2);
  EXPECT_EQ(second->First("Alpha"), 1);
  EXPECT_EQ(first->First("Alpha"), 0);  // a holder of the old index still reads the old state
}

TEST(CardIndex, FindFromTakesTheFirstAtTheStartOrWrapsRound) {
  const std::vector<std::int32_t> at = {2, 5, 9};
  EXPECT_EQ(FindFrom(at, 0), 2);
  EXPECT_EQ(FindFrom(at, 5), 5);
  EXPECT_EQ(FindFrom(at, 6), 9);
  EXPECT_EQ(FindFrom(at, 10), 2);
  EXPECT_EQ(FindFrom({}, 0), -1);
}

}  // namespace
}  // namespace quillet
