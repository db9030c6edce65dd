#include "core/import/card_corrections.h"

#include <gtest/gtest.h>

#include "card_list_line.h"

namespace quillet {
namespace {

using test::CardListLine;
using test::ImportOne;

// Every correction through a whole line: the card list gives firepower 7,
// armor 8 and perception 9, which a correction replaces.
struct CorrectionCase {
  std::string name;
  bool UpdateOptions::*off;  // the box unchecked, or null for all on
  std::string firepower, armor, perception;
};

class CorrectionTest : public ::testing::TestWithParam<CorrectionCase> {};

TEST_P(CorrectionTest, StoresTheCorrectedValues) {
  CardListLine line;
  line.name = GetParam().name;
  line.firepower = "7";
  line.armor = "8";
  line.perception = "9";
  UpdateOptions options;
  if (GetParam().off != nullptr) options.*GetParam().off = false;
  const TCardRecord card = ImportOne(line, options);
  EXPECT_EQ(card.Firepower.View(), GetParam().firepower);
  EXPECT_EQ(card.Armor.View(), GetParam().armor);
  EXPECT_EQ(card.Perception.View(), GetParam().perception);
}

INSTANTIATE_TEST_SUITE_P(
    Cards, CorrectionTest,
    ::testing::Values(
        CorrectionCase{"Los Ladrones Biker", nullptr, "2", "8", "9"},
        CorrectionCase{"Los Ladrones Biker", &UpdateOptions::BikerCheck, "7", "8", "9"},
        CorrectionCase{"Harness Bull", nullptr, "1", "1", "9"},
        CorrectionCase{"Harness Bull", &UpdateOptions::BullCheck, "7", "8", "9"},
        CorrectionCase{"Harness Bull", &UpdateOptions::RookCheck, "1", "1", "9"},
        CorrectionCase{"harness bull", nullptr, "7", "8", "9"},
        CorrectionCase{"Harness Bull ", nullptr, "7", "8", "9"},
        CorrectionCase{"Rook Class Assault Chassis", nullptr, "4", "4", "9"},
        CorrectionCase{"Rook Class Assault Chassis", &UpdateOptions::RookCheck, "7", "8", "9"},
        CorrectionCase{"Wirehead Jones", nullptr, "7", "8", "1"},
        CorrectionCase{"Wirehead Jones", &UpdateOptions::JonesCheck, "7", "8", "9"},
        // The hologram box changes nothing.
        CorrectionCase{"Hologram", nullptr, "7", "8", "9"},
        CorrectionCase{"Wirehead Jones", &UpdateOptions::HoloCheck, "7", "8", "1"}));

struct ProductionCase {
  std::string name;
  bool dhq;
  std::string resources;
  char mil, cov, cyb;
  std::string turnsMil, turnsCov, turnsCyb;
};

class ProductionCorrectionTest : public ::testing::TestWithParam<ProductionCase> {};

TEST_P(ProductionCorrectionTest, DistributedHQProducesItsMilitaryFigureEverywhere) {
  CardListLine line = test::BaseLine(GetParam().name, GetParam().resources);
  line.type = "HQ";
  UpdateOptions options;
  options.DHQCheck = GetParam().dhq;
  const TCardRecord card = ImportOne(line, options);
  EXPECT_EQ(card.ProdMil, GetParam().mil);
  EXPECT_EQ(card.ProdCov, GetParam().cov);
  EXPECT_EQ(card.ProdCyb, GetParam().cyb);
  EXPECT_EQ(card.TurnsMil.View(), GetParam().turnsMil);
  EXPECT_EQ(card.TurnsCov.View(), GetParam().turnsCov);
  EXPECT_EQ(card.TurnsCyb.View(), GetParam().turnsCyb);
}

INSTANTIATE_TEST_SUITE_P(
    Cards, ProductionCorrectionTest,
    ::testing::Values(
        ProductionCase{"Distributed HQ", true, "Military 2/-1 ", '2', '2', '2', "**", "**", "**"},
        ProductionCase{"Distributed HQ", false, "Military 2/-1 ", '2', ' ', ' ', "**", " ", " "},
        // Copied after every entry, so a later Covert entry is overwritten...
        ProductionCase{"Distributed HQ", true, "Military 2/-1 Covert 1/3 ", '2', '2', '2', "**",
                       "**", "**"},
        // ... and an entry before the Military one is copied over too.
        ProductionCase{"Distributed HQ", true, "CyberOps 3/4 Military 1/5 ", '1', '1', '1', "5",
                       "5", "5"},
        ProductionCase{"Distributed HQ", true, "", ' ', ' ', ' ', " ", " ", " "},
        ProductionCase{"Distributed Hq Annex HQ", true, "Military 2/-1 ", '2', ' ', ' ', "**", " ",
                       " "}));

}  // namespace
}  // namespace quillet
