#include "core/catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <random>

#include "core/card_data/card_words.h"
#include "support/card_builder.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

// A folder with a CardStat.Dat and a CardText.Dat made of `cards`, each with
// its `texts` entry as rules text (an empty text: no text).
struct CatalogueFiles {
  test::TempDir dir;
  void Write(std::vector<TCardRecord> cards, const std::vector<std::string>& texts) {
    std::string textFile;
    for (std::size_t i = 0; i < cards.size(); ++i) {
      if (i < texts.size() && !texts[i].empty()) {
        cards[i].TextStart = static_cast<std::int32_t>(textFile.size() + 1);
        textFile += texts[i];
        cards[i].TextEnd = static_cast<std::int32_t>(textFile.size());
      }
    }
    dir.Write("CardStat.Dat", test::RecordsBytes(cards));
    dir.Write("CardText.Dat", textFile);
  }
};

// The search rule written plainly: fold both sides byte by byte, then look
// for the text at every position.
char Fold(char c) {
  const auto b = static_cast<unsigned char>(c);
  if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
    return static_cast<char>(b + 32);
  if (b == 0x8A || b == 0x8C || b == 0x8E) return static_cast<char>(b + 16);
  if (b == 0x9F) return static_cast<char>(0xFF);
  return c;
}
bool Contains(const std::string& hay, const std::string& needle) {
  for (std::size_t i = 0; i + needle.size() <= hay.size(); ++i) {
    bool all = true;
    for (std::size_t j = 0; j < needle.size() && all; ++j)
      all = Fold(hay[i + j]) == Fold(needle[j]);
    if (all) return true;
  }
  return false;
}

bool HasKeywordWord(const TCardRecord& card, const std::string& word) {
  for (int bit = 0; bit < kKeywordCount; ++bit) {
    if ((card.Keywords >> bit & 1) && kKeywordWords[bit] == word) return true;
  }
  for (int bit = 0; bit < kSpecialCount; ++bit) {
    if ((card.Specials >> bit & 1) && kSpecialDisplayWords[bit] == word) return true;
  }
  return false;
}

TEST(Catalogue, QueriesMatchABruteForceFilterOverRandomCatalogues) {
  std::mt19937 rng(20240611);
  const std::vector<std::string> pieces = {"a",    "B",    "\xE9", "\xC9", " ", "x",
                                           "\x8A", "\x9A", "\xD7", "\xF7", "Q"};
  const auto pick = [&rng](const auto& v) -> const auto& {
    return v[rng() % v.size()];
  };
  const auto word = [&] {
    std::string w;
    for (int n = 1 + static_cast<int>(rng() % 7); n > 0; --n) w += pick(pieces);
    return w;
  };
  const std::string types = "ABEHIPZ";
  const std::string domains = "UCMFNIT X";
  const std::string rarities = "CURVQ";

  for (int round = 0; round < 20; ++round) {
    std::vector<TCardRecord> cards;
    std::vector<std::string> texts;
    for (int i = 0, n = 1 + static_cast<int>(rng() % 60); i < n; ++i) {
      TCardRecord card = test::MakeCard(word(), types[rng() % types.size()]);
      card.Domain = domains[rng() % domains.size()];
      card.Rarity = rarities[rng() % rarities.size()];
      card.Keywords = static_cast<std::uint32_t>(rng()) & static_cast<std::uint32_t>(rng());
      card.Specials =
          static_cast<std::uint32_t>(rng()) & 0x1FFFF & static_cast<std::uint32_t>(rng());
      cards.push_back(card);
      texts.push_back(rng() % 4 == 0 ? std::string() : word() + word());
    }
    CatalogueFiles files;
    files.Write(cards, texts);
    CardDatabase db(files.dir.path());
    Catalogue catalogue(db);
    catalogue.Load();
    ASSERT_EQ(catalogue.Size(), cards.size());
    std::vector<TDeckEntry> deck;
    for (int i = 0; i < 5; ++i)
      deck.push_back({1 + static_cast<std::int32_t>(rng() % 3), pick(cards).Name.Str()});
    catalogue.SetDeck(deck);

    for (int q = 0; q < 200; ++q) {
      CatalogueQuery query;
      const int textKind = static_cast<int>(rng() % 4);
      if (textKind == 1) query.text = word();
      if (textKind >= 2) {
        const std::string& source = rng() % 2 ? pick(cards).Name.Str() : pick(texts);
        const std::size_t from = source.empty() ? 0 : rng() % source.size();
        query.text = source.substr(from, 1 + rng() % 4);
      }
      query.inText = rng() % 2;
      const auto maybe = [&](WordKind kind) -> std::optional<std::string> {
        if (rng() % 3) return std::nullopt;
        const auto words = ShownWords(kind);
        return std::string(pick(words));
      };
      query.type = maybe(WordKind::Type);
      query.domain = maybe(WordKind::Domain);
      query.rarity = maybe(WordKind::Rarity);
      query.keyword = rng() % 2 ? maybe(WordKind::Keyword) : std::nullopt;
      query.inDeckOnly = rng() % 5 == 0;

      std::vector<std::uint32_t> expected;
      for (std::size_t i = 0; i < cards.size(); ++i) {
        const TCardRecord& c = cards[i];
        std::int64_t copies = 0;
        for (const auto& line : deck) {
          if (line.Name == c.Name.Str()) {
            // The counts go to the first card of the name only.
            bool first = true;
            for (std::size_t k = 0; k < i; ++k) first = first && cards[k].Name.Str() != line.Name;
            if (first) copies += line.Count;
          }
        }
        if (query.inDeckOnly && copies == 0) continue;
        if (query.type && CardTypeWord(c.CardType) != std::string_view(*query.type)) continue;
        if (query.domain && DomainWord(c.Domain) != std::string_view(*query.domain)) continue;
        if (query.rarity && RarityWord(c.Rarity) != std::string_view(*query.rarity)) continue;
        if (query.keyword && !HasKeywordWord(c, *query.keyword)) continue;
        if (!Contains(c.Name.Str(), query.text) &&
            !(query.inText && Contains(texts[i], query.text)))
          continue;
        expected.push_back(static_cast<std::uint32_t>(i));
      }
      ASSERT_EQ(catalogue.Query(query), expected) << "round " << round << " query " << q;
    }
  }
}

TEST(Catalogue, ReadsTheTextsOnlyWhenATextSearchNeedsThem) {
  CatalogueFiles files;
  files.Write({test::MakeCard("S\xE9"
                              "ance Broker"),
               test::MakeCard("Dock Warden")},
              {"Draw a card.",
               "When S\xC9"
               "ANCE leaves play, draw."});
  CardDatabase db(files.dir.path());
  Catalogue catalogue(db);
  catalogue.Load();
  CatalogueQuery query;
  query.text =
      "s\xE9"
      "ance";
  query.inText = false;
  EXPECT_EQ(catalogue.Query(query), (std::vector<std::uint32_t>{0}));
  EXPECT_FALSE(catalogue.TextsLoaded());
  query.inText = true;
  EXPECT_EQ(catalogue.Query(query), (std::vector<std::uint32_t>{0, 1}));
  EXPECT_TRUE(catalogue.TextsLoaded());
  EXPECT_EQ(catalogue.Text(1),
            "When S\xC9"
            "ANCE leaves play, draw.");

  // An update replaces the files: loading again reads the new cards and
  // keeps the deck's counts by name.
  catalogue.SetDeck({{2, "Dock Warden"}, {1, "Nobody Here"}, {3, "Dock Warden"}});
  EXPECT_EQ(catalogue.Cell(1, CatalogueColumn::InDeck), "5");
  EXPECT_EQ(catalogue.Cell(0, CatalogueColumn::InDeck), "");
  files.Write({test::MakeCard("Alder Spire"), test::MakeCard("Dock Warden")}, {"", "Guards."});
  catalogue.Load();
  EXPECT_FALSE(catalogue.TextsLoaded());
  EXPECT_EQ(catalogue.Cell(0, CatalogueColumn::Name), "Alder Spire");
  EXPECT_EQ(catalogue.InDeck(1), 5);
  query.text = "guard";
  EXPECT_EQ(catalogue.Query(query), (std::vector<std::uint32_t>{1}));
}

TEST(Catalogue, ShowsTheReadersWords) {
  CatalogueFiles files;
  TCardRecord card = test::MakeCard("Quarry Gate", 'B');
  card.Domain = 'I';
  card.Rarity = 'V';
  card.Keywords = Mask(Keyword::Mech) | Mask(Keyword::Topdeck);
  card.Specials = 1u << 9;
  card.Edition.Assign("Dawn");
  files.Write({card}, {});
  CardDatabase db(files.dir.path());
  Catalogue catalogue(db);
  catalogue.Load();
  EXPECT_EQ(catalogue.Cell(0, CatalogueColumn::Type), "Base");
  EXPECT_EQ(catalogue.Cell(0, CatalogueColumn::Domain), "Inner Circle");
  EXPECT_EQ(catalogue.Cell(0, CatalogueColumn::Rarity), "Very Rare");
  EXPECT_EQ(catalogue.Cell(0, CatalogueColumn::Edition), "Dawn");
  EXPECT_EQ(catalogue.Cell(0, CatalogueColumn::Keywords), "Mech., Topdeck, $ProgramUser");
  EXPECT_TRUE(IsShownWord(WordKind::Keyword, "$ProgramUser"));
  EXPECT_FALSE(IsShownWord(WordKind::Keyword, "$Programuser"));
  EXPECT_TRUE(IsShownWord(WordKind::Domain, "Inner Circle"));
}

TEST(Catalogue, SortsNumbersByValueBlanksFirstAndTextsFolded) {
  // name, HP
  const std::vector<std::pair<std::string, std::string>> rows = {{"Hive", "10"},
                                                                 {"bolt", "$A"},
                                                                 {"Cask", ""},
                                                                 {"Axle", "2"},
                                                                 {"Dune", "X"},
                                                                 {"Ebb", "-1"},
                                                                 {"Fen", "0"},
                                                                 {"Gust", " "},
                                                                 {"\xC9"
                                                                  "cho",
                                                                  "x"}};
  std::vector<TCardRecord> cards;
  for (const auto& [name, hp] : rows) {
    cards.push_back(test::MakeCard(name));
    cards.back().HP.Assign(hp);
  }
  CatalogueFiles files;
  files.Write(cards, {});
  CardDatabase db(files.dir.path());
  Catalogue catalogue(db);
  catalogue.Load();
  catalogue.SetDeck({{3, "Fen"}, {1, "Dune"}, {12, "Axle"}});

  const auto sorted = [&](CatalogueColumn column, bool descending) {
    std::vector<std::uint32_t> all = catalogue.Query({});
    catalogue.Sort(all, column, descending);
    std::vector<std::string> names;
    for (auto i : all) names.push_back(catalogue.Cell(i, CatalogueColumn::Name));
    return names;
  };
  using Names = std::vector<std::string>;
  // Blanks, then -1 0 2, then 10 twice (by name), then the texts that are no
  // number, "X" and "x" folding alike (by name).
  const Names byHp = {"Cask",
                      "Gust",
                      "Ebb",
                      "Fen",
                      "Axle",
                      "bolt",
                      "Hive",
                      "Dune",
                      "\xC9"
                      "cho"};
  EXPECT_EQ(sorted(CatalogueColumn::HP, false), byHp);
  EXPECT_EQ(sorted(CatalogueColumn::HP, true), Names(byHp.rbegin(), byHp.rend()));
  EXPECT_EQ(sorted(CatalogueColumn::Name, false),
            (Names{"Axle", "bolt", "Cask", "Dune", "Ebb", "Fen", "Gust", "Hive",
                   "\xC9"
                   "cho"}));
  EXPECT_EQ(sorted(CatalogueColumn::InDeck, false), (Names{"bolt", "Cask", "Ebb", "Gust", "Hive",
                                                           "\xC9"
                                                           "cho",
                                                           "Dune", "Fen", "Axle"}));
}

}  // namespace
}  // namespace quillet
