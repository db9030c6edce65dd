// analyze's formats over the sample decks: the cost curve in the JSON against
// a recount from the cards themselves, the reports as the core renders them,
// --json as the short form of --format json, and the lines that are wrong.
#include <gtest/gtest.h>

#include <array>
#include <nlohmann/json.hpp>
#include <string>

#include "core/analysis/analysis_fixture.h"
#include "core/card_data/str_to_int.h"
#include "core/card_data/text_util.h"
#include "core/report/deck_report.h"
#include "sample_data.h"

namespace quillet::cli {
namespace {

using test::Result;
using test::RunOnSamples;
using test::SampleDeck;

const char* const kDecks[] = {
    "contracts.txt",      "corporate-missing-cards.txt", "fus-illegal.txt", "monastery-bion-v2.txt",
    "monastery-bion.txt", "topdeck-heavy.txt",           "un-golani.txt"};

// A card's total deploy cost as `card --json` shows it: the three texts by
// the integer rule, blank as 0.
long DeployCost(const nlohmann::json& card) {
  long total = 0;
  for (const char* key : {"DeployMil", "DeployCov", "DeployCyb"}) {
    const std::string_view text = Trim(card[key].get_ref<const std::string&>());
    total += text.empty() ? 0 : StrToInt(text);
  }
  return total;
}

class CostCurveTest : public ::testing::TestWithParam<const char*> {};

// The curve recounted line by line: each found line's card looked up with
// `card`, its copies put in the bucket of its type and total cost.
TEST_P(CostCurveTest, MatchesARecountOfTheDecksCards) {
  const Result r = RunOnSamples("analyze", {SampleDeck(GetParam()), "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  const nlohmann::json analysis = nlohmann::json::parse(r.out);

  nlohmann::json expected = nlohmann::json::object();
  const std::array<std::string, 4> types = {"Asset", "Enhancement", "Intervention", "Program"};
  for (const auto& type : types) expected[type] = std::vector<long>(7, 0);
  for (const auto& line : analysis["DeckList"]) {
    const Result card = RunOnSamples("card", {line["Name"].get<std::string>(), "--json"});
    ASSERT_EQ(card.code, 0) << card.err;
    const nlohmann::json record = nlohmann::json::parse(card.out);
    const std::string type = record["CardType"];
    if (!expected.contains(type)) continue;  // bases and HQs pay nothing
    const long cost = DeployCost(record);
    const int bucket = cost <= 0 ? 0 : cost >= 6 ? 6 : static_cast<int>(cost);
    expected[type][bucket] = expected[type][bucket].get<long>() + line["Count"].get<long>();
  }
  EXPECT_EQ(analysis["CostCurve"], expected);
  // The new key comes last, after every key the analysis had before it.
  EXPECT_EQ(analysis.size(), 10U);
  EXPECT_EQ(r.out.rfind("\"CostCurve\""), r.out.find("\"CostCurve\""));
  EXPECT_GT(r.out.find("\"CostCurve\""), r.out.find("\"ProblemBox\""));
}

INSTANTIATE_TEST_SUITE_P(SampleDecks, CostCurveTest, ::testing::ValuesIn(kDecks));

// The deck as the main window shows it with the same switches, rendered by
// the core.
DeckReport WindowReport(const std::string& deck) {
  CardDatabase db(test::SampleData());
  EXPECT_TRUE(db.CardStatExists());
  MainView model;
  model.Show(AnalyzeInView(deck, model, db));
  model.SetAssetSwitch(true);
  model.SelectCostKind("Programs");
  return BuildDeckReport(model.Analysis());
}

TEST(AnalyzeFormatTest, ReportsAreTheCoresRenderingsUnderTheSwitches) {
  const std::string deck = SampleDeck("fus-illegal.txt");
  const DeckReport report = WindowReport(deck);
  const Args switches = {"--assets-only", "--cost", "Programs"};
  Args markdown = {deck, "--format", "markdown"}, html = {deck, "--format", "html"};
  markdown.insert(markdown.end(), switches.begin(), switches.end());
  html.insert(html.end(), switches.begin(), switches.end());

  Result r = RunOnSamples("analyze", markdown);
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, MarkdownReport(report));
  r = RunOnSamples("analyze", html);
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, HtmlReport(report, HtmlFlavour::kScreen));
  // The switches reach the report: without them it reads differently.
  EXPECT_NE(RunOnSamples("analyze", {deck, "--format", "markdown"}).out, MarkdownReport(report));
}

TEST(AnalyzeFormatTest, ShortAndLongFormsPrintTheSameBytes) {
  const std::string deck = SampleDeck("monastery-bion.txt");
  const Result json = RunOnSamples("analyze", {deck, "--json"});
  ASSERT_EQ(json.code, 0);
  EXPECT_EQ(RunOnSamples("analyze", {deck, "--format", "json"}).out, json.out);
  EXPECT_EQ(RunOnSamples("analyze", {"--format", "json", deck, "--json"}).out, json.out);
  const Result text = RunOnSamples("analyze", {deck});
  EXPECT_EQ(RunOnSamples("analyze", {deck, "--format", "text"}).out, text.out);
  EXPECT_NE(text.out, json.out);
}

TEST(AnalyzeFormatTest, WrongFormatsAreUsageErrors) {
  const std::string deck = SampleDeck("un-golani.txt");
  Result r = RunOnSamples("analyze", {deck, "--format", "pdf"});
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("unknown format 'pdf'"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
  r = RunOnSamples("analyze", {deck, "--json", "--format", "markdown"});
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("--json and --format markdown"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(RunOnSamples("analyze", {deck, "--format"}).code, 2);
  EXPECT_EQ(RunOnSamples("analyze", {deck, "--format", "HTML"}).code, 2);
}

// A deck that fails prints its message on stderr in every format; only the
// JSON format adds {"Error": message} on stdout.
TEST(AnalyzeFormatTest, FailuresPrintJsonOnlyForTheJsonFormat) {
  const std::string deck = SampleDeck("not-a-deck.txt");
  const std::string message = "File '" + deck + "' is not a valid deck file.";
  for (const char* format : {"text", "json", "markdown", "html"}) {
    const Result r = RunOnSamples("analyze", {deck, "--format", format});
    EXPECT_EQ(r.code, 1) << format;
    EXPECT_EQ(r.err, message + "\n") << format;
    EXPECT_EQ(r.out,
              std::string(format) == "json" ? "{\n  \"Error\": \"" + message + "\"\n}\n" : "")
        << format;
  }
}

}  // namespace
}  // namespace quillet::cli
