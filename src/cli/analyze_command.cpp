// `quillet-cli analyze`: the main window's analysis as a report. The text form
// is laid out like the window (the figures grouped as there, with their
// captions, then the problems, the cards not found and the card list); the
// JSON form carries every field, every statistic and every list by name, and
// the cost curve; Markdown and HTML are the deck report the window exports.
#include <CLI/CLI.hpp>
#include <iomanip>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "cli/deck_command.h"
#include "core/analysis/deck_stats.h"
#include "core/card_data/text_util.h"
#include "core/charts/deck_figures.h"
#include "core/report/deck_report.h"

namespace quillet::cli {
namespace {

// A figure as its field shows it after an analysis: zeros shown, percentages
// with "%".
std::string Shown(const MainView& model, const MasterField& field) {
  const std::int32_t value = model.FieldValue(field.name);
  if (value == 0 && !model.ShowZero()) return {};
  return std::to_string(value) + (field.percentage ? "%" : "");
}

const MasterField& Field(std::string_view name) {
  for (const auto& field : MasterFields()) {
    if (field.name == name) return field;
  }
  return MasterFields().front();
}

// The window's groups: a title and the fields shown under it, by row.
struct Group {
  std::string_view title;
  std::vector<std::vector<std::string_view>> rows;
};

const std::vector<Group>& Groups() {
  static const std::vector<Group> groups = {
      {"Card types",
       {{"AssetAmount", "MechAmount", "AntiTerAmount", "SaboAmount", "FirstStrikeAmount",
         "LauncherAmount", "ImmobileAmount", "YakusaAmount", "DebtorAmount", "PilotAmount",
         "SpearHeadAmount", "VeteranAmount", "UniqueAmount", "ArcticAmount", "AlphaAmount"},
        {"EnhanceAmount", "GearAmount", "StimAmount", "ImplantAmount", "VirusAmount",
         "StructAmount", "MissileAmount", "ItemAmount", "OtherEnhAmount"},
        {"IntervenAmount", "LocalAmount", "GlobalAmount", "DirectAmount", "VictoryAmount"},
        {"ProgAmount", "WormAmount", "DaemonAmount", "ConstAmount", "CommandAmount", "IceAmount"},
        {"BaseAmount", "MilBAmount", "CovBAmount", "CybBAmount", "OtherBaseAmount"},
        {"TotalAmount"}}},
      {"Domains",
       {{"UNAmount", "FUSAmount", "MonasAmount", "CorpAmount"},
        {"NoNamesAmount", "InnerCircleAmount", "TranscendAmount"}}},
      {"Assets",
       {{"OffenceAmount", "HighFP", "AverageFP"},
        {"HighStealth", "HighPercep"},
        {"ProgrammerAmount", "HighACA", "AverageACA"}}},
      {"Programs", {{"HighPCA", "AveragePCA"}}},
      {"Opening Hand Chances:", {{"NoAssets", "NoBases", "SelectCard", "TopDeckAmount"}}},
      {"Rarity", {{"VRareAmount", "RareAmount", "UncommonAmount", "CommonAmount"}}},
  };
  return groups;
}

void PrintRow(std::ostream& out, const MainView& model,
              const std::vector<std::string_view>& names) {
  std::string line = " ";
  for (std::string_view name : names) {
    const MasterField& field = Field(name);
    line.append(" ").append(Trim(field.caption)).append(" ").append(Shown(model, field));
    line.append(" ");
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  out << line << '\n';
}

void PrintResources(std::ostream& out, const MainView& model) {
  auto column = [&](std::string_view name) {
    std::ostringstream cell;
    cell << std::setw(8) << Shown(model, Field(name));
    return cell.str();
  };
  out << "Resource Managment\n"
      << "                     Military  Covert  CyberOps\n"
      << "  Production:        " << column("TotalMilAmount") << column("TotalCovAmount")
      << column("TotalCybAmount") << '\n'
      << "  Total Deployment cost for: " << model.CostBoxText() << '\n'
      << "                     " << column("MilCost") << column("CovCost") << column("CybCost")
      << '\n';
}

void PrintText(std::ostream& out, const MainView& model) {
  out << "Deck Name: " << Cp1252ToUtf8(model.DName()) << '\n'
      << "HQ Type: " << Cp1252ToUtf8(model.HQType()) << '\n';
  for (const Group& group : Groups()) {
    out << '\n' << group.title;
    if (group.title == "Domains") out << (model.AssetSwitch() ? " (assets only)" : " (all cards)");
    out << '\n';
    for (const auto& row : group.rows) PrintRow(out, model, row);
    if (group.title == "Assets") {
      out << '\n';
      PrintResources(out, model);
    }
  }
  out << "\nProblems:\n";
  if (model.ProblemBox().empty()) out << "  (none)\n";
  for (const auto& line : model.ProblemBox()) out << "  " << Cp1252ToUtf8(line) << '\n';
  if (!model.MissingCards().empty()) {
    out << "\nCards not found:\n";
    for (const auto& name : model.MissingCards()) out << "  " << Cp1252ToUtf8(name) << '\n';
  }
  out << "\nCard list:\n";
  for (const auto& line : model.CardList()) out << "  " << Cp1252ToUtf8(line) << '\n';
}

// The seven bucket counts of each costed type, by the type's word.
Json CostCurveJson(const CostCurve& curve) {
  Json json = Json::object();
  for (std::size_t t = 0; t < kCostedTypeWords.size(); ++t)
    json[std::string(kCostedTypeWords[t])] = curve.copies[t];
  return json;
}

// The JSON shape of the analysis: every key, in the order scripts see them.
// Keys that came later go at the end, so scripts reading the earlier ones by
// position keep working.
Json AnalysisJson(const MainView& model, const DeckFigures& figures) {
  const DeckAnalysis& analysis = model.Analysis();
  Json fields = Json::object();
  for (const auto& field : MasterFields())
    fields[std::string(field.name)] = model.FieldValue(field.name);
  Json stats = Json::object();
  for (const auto& stat : StatFields()) stats[std::string(stat.name)] = analysis.stats.*stat.member;
  stats["HQFound"] = analysis.stats.HQFound;
  stats["OverLimitNames"] = JsonTexts(analysis.stats.OverLimitNames);
  Json deckList = Json::array();
  for (const TDeckEntry& entry : analysis.entries) {
    deckList.push_back(Json{{"Count", entry.Count}, {"Name", JsonText(entry.Name)}});
  }
  return Json{{"DName", JsonText(model.DName())},
              {"HQType", JsonText(model.HQType())},
              {"Fields", std::move(fields)},
              {"Stats", std::move(stats)},
              {"CostBox", JsonTexts(model.CostBoxItems())},
              {"CardList", JsonTexts(model.CardList())},
              {"DeckList", std::move(deckList)},
              {"Missing", JsonTexts(model.MissingCards())},
              {"ProblemBox", JsonTexts(model.ProblemBox())},
              {"CostCurve", CostCurveJson(figures.costCurve)}};
}

enum class Format { kText, kJson, kMarkdown, kHtml };

constexpr std::pair<std::string_view, Format> kFormats[] = {
    {"text", Format::kText},
    {"json", Format::kJson},
    {"markdown", Format::kMarkdown},
    {"html", Format::kHtml},
};

std::optional<Format> FormatNamed(std::string_view name) {
  for (const auto& [word, format] : kFormats) {
    if (word == name) return format;
  }
  return std::nullopt;
}

struct AnalyzeOptions {
  DeckCommandOptions deck;
  std::string format;  // as given by --format; empty when not given
};

// The format asked for. --json is the short form of --format json, so the
// two may be given together only when they agree.
Format ChosenFormat(const AnalyzeOptions& options) {
  if (options.format.empty()) return options.deck.json ? Format::kJson : Format::kText;
  const Format format = *FormatNamed(options.format);  // checked while parsing
  if (options.deck.json && format != Format::kJson)
    throw UsageError("--json and --format " + options.format + " ask for different formats");
  return format;
}

// What the chosen format prints of the analysed deck. Throws ConvertError or
// IoError when the figures cannot be computed.
void PrintAnalysis(std::ostream& out, Format format, const MainView& model) {
  switch (format) {
    case Format::kText:
      PrintText(out, model);
      return;
    case Format::kJson:
      WriteJson(out, AnalysisJson(model, ComputeDeckFigures(model.Analysis())));
      return;
    case Format::kMarkdown:
      out << MarkdownReport(BuildDeckReport(model.Analysis()));
      return;
    case Format::kHtml:
      out << HtmlReport(BuildDeckReport(model.Analysis()));
      return;
  }
}

}  // namespace

CommandRunner SetupAnalyze(CLI::App& command) {
  auto options = std::make_shared<AnalyzeOptions>();
  AddDeckOptions(command, options->deck);
  command
      .add_option("--format", options->format,
                  "Print text (the default), json, markdown or html (a self-contained page)")
      ->type_name("FORMAT")
      ->check([](const std::string& name) {
        return FormatNamed(name) ? std::string()
                                 : "unknown format '" + name + "' (text, json, markdown or html)";
      });
  return [options](CommandContext& context) {
    const Format format = ChosenFormat(*options);
    // A failure is {"Error": message} on stdout whenever JSON was asked for.
    DeckCommandOptions deck = options->deck;
    deck.json = format == Format::kJson;
    AnalysedDeck analysed(DataFolder(context, deck.dataDir));
    if (const int code = AnalyzeForCli(deck, analysed, context)) return code;
    // Rendered whole before anything is printed, so a failure prints no half report.
    std::ostringstream out;
    try {
      PrintAnalysis(out, format, analysed.view);
    } catch (const std::exception& e) {
      return FailDeckCommand(deck, context, analysed.db.CardStatPath() + ": " + e.what());
    }
    context.out << out.str();
    return 0;
  };
}

}  // namespace quillet::cli
