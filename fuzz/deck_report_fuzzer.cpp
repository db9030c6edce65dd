// Any deck file that analyses renders as a Markdown and an HTML report (both
// flavours) without a crash or undefined behaviour; the reports are valid
// UTF-8 and hold every card line, and every chart bar lists as many copies as
// it shows.
#include <cstddef>
#include <cstdint>

#include "core/card_data/text_util.h"
#include "core/charts/deck_figures.h"
#include "core/report/deck_report.h"
#include "core/report/report_text.h"
#include "deck_fuzz_support.h"

using namespace quillet;
using namespace quillet::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CardDatabase db(Folder());
  MainView model;
  model.Show(AnalyzeInView(WriteDeck(data, size), model, db));
  if (model.DName().empty()) return 0;
  // The switches change what the report's figures say; the first byte picks.
  if (size > 0) {
    model.SetAssetSwitch((data[0] & 1) != 0);
    model.SelectCostKind(std::string(CostKinds()[data[0] % CostKinds().size()]));
  }

  const DeckReport report = BuildDeckReport(model.Analysis());
  const std::string md = MarkdownReport(report);
  const std::string html = HtmlReport(report);
  const std::string print = HtmlReport(report, HtmlFlavour::kPrint);
  for (const std::string* text : {&md, &html, &print}) Check(Utf8ToCp1252(*text).has_value());
  for (const auto& card : report.cards) {
    Check(md.find(MarkdownCell(card.name)) != std::string::npos);
    Check(html.find(HtmlEscaped(card.name)) != std::string::npos);
  }

  const CostCurve& curve = report.figures.costCurve;
  const bool hasLines = !model.Analysis().entries.empty();
  for (int bucket = 0; bucket < kCostBuckets; ++bucket) {
    for (int type = 0; type < 4; ++type) {
      Check(ShowBarCards(model, db, {FigureChart::kCostCurve, bucket, type}) == hasLines);
      std::int64_t copies = 0;
      for (const auto& entry : model.CardListEntries()) copies += entry.Count;
      Check(!hasLines ||
            copies ==
                curve.copies[static_cast<std::size_t>(type)][static_cast<std::size_t>(bucket)]);
    }
  }
  return 0;
}
