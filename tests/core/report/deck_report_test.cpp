#include "core/report/deck_report.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "core/analysis/analysis_fixture.h"
#include "core/report/report_text.h"

namespace quillet::test {
namespace {

// A deck that has a bit of everything: a Windows-1252 name, names with the
// characters Markdown and HTML read, a shortfall, a problem and a card that
// is not found.
class DeckReportTest : public AnalysisTest {
 protected:
  void SetUp() override {
    Cards({Producer("Quarry Post", 'B', 'F', '1', "3"),
           WithCosts(Asset("Caf\xe9 Runner", "3", "1", "2", "0", 'U'), "4", "1", "0"),
           WithCosts(Card("Pipe | Dream", 'E', 'C'), "0", "2", "0"),
           WithCosts(Card("<b>Loud</b> & Co", 'P', 'N'), "1", "0", "7")});
    ASSERT_TRUE(
        Open("9\tCaf\xe9 Runner\r\n1\tPipe | Dream\r\n2\t<b>Loud</b> & Co\r\n"
             "1\tQuarry Post\r\n1\tVanished Card\r\n",
             "Deck \xd8ne.txt"));
    ASSERT_FALSE(view_.ProblemBox().empty());
    report_ = BuildDeckReport(view_.Analysis());
  }
  DeckReport report_;
};

TEST_F(DeckReportTest, HoldsEveryFieldOnceInWindowOrder) {
  std::vector<std::string_view> names;
  for (const auto& section : report_.sections) {
    for (const auto& field : section.fields) names.push_back(field.name);
  }
  std::vector<std::string_view> window;
  for (const auto& field : MasterFields()) window.push_back(field.name);
  EXPECT_EQ(names, window);
  EXPECT_EQ(report_.sections.front().title, "Assets");
  EXPECT_EQ(report_.deckName, "Deck \xc3\x98ne.txt");
}

TEST_F(DeckReportTest, MarkdownHoldsEveryCaptionValueProblemAndCard) {
  const std::string md = MarkdownReport(report_);
  for (const auto& section : report_.sections) {
    for (const auto& field : section.fields) {
      ASSERT_FALSE(field.caption.empty()) << field.name;
      const std::string row = "| " + MarkdownCell(field.caption) + " | " +
                              std::to_string(field.value) + (field.percentage ? "%" : "") + " |";
      EXPECT_NE(md.find(row), std::string::npos) << row;
    }
  }
  for (const auto& problem : report_.problems) {
    EXPECT_NE(md.find("- " + MarkdownCell(problem)), std::string::npos) << problem;
  }
  EXPECT_NE(md.find("| 9 | Caf\xc3\xa9 Runner |"), std::string::npos);
  EXPECT_NE(md.find("| 1 | Pipe \\| Dream |"), std::string::npos);
  EXPECT_NE(md.find("- Vanished Card"), std::string::npos);
  // Production 3 against 9 x 4 + 2 x 1 = 38 Military.
  EXPECT_NE(md.find("| Cost of all cards | **38** |"), std::string::npos);
  EXPECT_NE(md.find("| 5 | 9 | 0 | 0 | 0 | 9 |"), std::string::npos);  // nine assets cost 5
  // Every table row has as many cells as its header: an escaped pipe is no
  // cell border.
  std::size_t cells = 0;
  std::istringstream lines(md);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] != '|') {
      cells = 0;
      continue;
    }
    std::size_t borders = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '\\') {
        ++i;
      } else if (line[i] == '|') {
        ++borders;
      }
    }
    if (cells == 0) cells = borders;
    EXPECT_EQ(borders, cells) << line;
  }
}

TEST_F(DeckReportTest, HtmlIsSelfContainedAndHoldsEverything) {
  const std::string html = HtmlReport(report_);
  for (const auto& section : report_.sections) {
    for (const auto& field : section.fields) {
      const std::string row = "<th scope=\"row\">" + HtmlEscaped(field.caption) +
                              "</th><td class=\"n\" align=\"right\">" +
                              std::to_string(field.value) + (field.percentage ? "%" : "");
      EXPECT_NE(html.find(row), std::string::npos) << row;
    }
  }
  for (const auto& problem : report_.problems) {
    EXPECT_NE(html.find("<li>" + HtmlEscaped(problem) + "</li>"), std::string::npos);
  }
  EXPECT_NE(html.find("<td>Caf\xc3\xa9 Runner</td>"), std::string::npos);
  EXPECT_NE(html.find("&lt;b&gt;Loud&lt;/b&gt; &amp; Co"), std::string::npos);
  EXPECT_EQ(html.find("<b>Loud"), std::string::npos);
  EXPECT_EQ(html.find('\xe9'), std::string::npos);  // no Windows-1252 byte left
  EXPECT_NE(html.find("name=\"viewport\""), std::string::npos);
  EXPECT_NE(html.find("@media print"), std::string::npos);
  // Two inline charts, three inline icons, and nothing fetched from anywhere.
  std::size_t svgs = 0;
  for (auto at = html.find("<svg"); at != std::string::npos; at = html.find("<svg", at + 1)) ++svgs;
  EXPECT_EQ(svgs, 2u);
  const std::regex reference(R"re((src|href)\s*=\s*"([^"]*)")re");
  int pictures = 0;
  for (std::sregex_iterator it(html.begin(), html.end(), reference), end; it != end; ++it) {
    EXPECT_EQ((*it)[2].str().rfind("data:image/png;base64,", 0), 0u) << (*it)[0];
    ++pictures;
  }
  EXPECT_EQ(pictures, 3);
  EXPECT_EQ(html.find("<link"), std::string::npos);
  EXPECT_EQ(html.find("<script"), std::string::npos);
  EXPECT_EQ(html.find("url("), std::string::npos);
}

TEST_F(DeckReportTest, PrintFlavourNamesItsPicturesAndDrawsNoSvg) {
  const std::string html = HtmlReport(report_, HtmlFlavour::kPrint);
  EXPECT_EQ(html.find("<svg"), std::string::npos);
  EXPECT_EQ(html.find("data:"), std::string::npos);
  for (const auto& picture : kPrintPictures) {
    EXPECT_NE(html.find("src=\"" + std::string(picture.name) + "\""), std::string::npos)
        << picture.name;
  }
  EXPECT_NE(html.find("<td>Caf\xc3\xa9 Runner</td>"), std::string::npos);
}

TEST(ReportText, Base64FollowsTheStandardVectors) {
  using namespace std::literals;
  const std::pair<std::string_view, std::string_view> vectors[] = {{""sv, ""},
                                                                   {"f"sv, "Zg=="},
                                                                   {"fo"sv, "Zm8="},
                                                                   {"foo"sv, "Zm9v"},
                                                                   {"foob"sv, "Zm9vYg=="},
                                                                   {"fooba"sv, "Zm9vYmE="},
                                                                   {"foobar"sv, "Zm9vYmFy"},
                                                                   {"\xff\xfe\x00"sv, "//4A"}};
  for (const auto& [bytes, text] : vectors) EXPECT_EQ(Base64(bytes), text);
  // The pictures are PNGs.
  for (std::string_view name : {"military", "covert", "cyberops"}) {
    EXPECT_EQ(ResourcePicture(name).substr(0, 4), "\x89PNG") << name;
  }
  EXPECT_TRUE(ResourcePicture("gold").empty());
}

}  // namespace
}  // namespace quillet::test
