// `quillet-cli analyze`: the main window's analysis as a report. The text form
// is laid out like the window (the figures grouped as there, with their
// captions, then the problems, the cards not found and the card list); the
// JSON form carries every field, every statistic and every list by name.
#include <CLI/CLI.hpp>
#include <iomanip>
#include <memory>
#include <ostream>
#include <sstream>
#include <string_view>
#include <vector>

#include "analysis/deck_stats.h"
#include "card_data/text_util.h"
#include "cli/commands.h"
#include "cli/deck_command.h"

namespace quillet::cli {
namespace {

// A figure as its field shows it after an analysis: zeros shown, percentages
// with "%".
std::string Shown(const MasterModel& model, const MasterField& field) {
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

void PrintRow(std::ostream& out, const MasterModel& model,
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

void PrintResources(std::ostream& out, const MasterModel& model) {
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

void PrintText(std::ostream& out, const MasterModel& model) {
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

// The JSON shape of the analysis: every key, in the order scripts see them.
Json AnalysisJson(const MasterModel& model, const Session& session) {
  Json fields = Json::object();
  for (const auto& field : MasterFields())
    fields[std::string(field.name)] = model.FieldValue(field.name);
  Json stats = Json::object();
  for (const auto& stat : StatFields()) stats[std::string(stat.name)] = session.stats.*stat.member;
  stats["HQFound"] = session.stats.HQFound;
  stats["OverLimitNames"] = JsonTexts(session.stats.OverLimitNames);
  Json deckList = Json::array();
  for (std::int32_t i = 0; i < session.deck.DeckCount; ++i) {
    const TDeckEntry& entry = session.deck.DeckList[static_cast<std::size_t>(i)];
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
              {"ProblemBox", JsonTexts(model.ProblemBox())}};
}

}  // namespace

CommandRunner SetupAnalyze(CLI::App& command) {
  auto options = std::make_shared<DeckCommandOptions>();
  AddDeckOptions(command, *options);
  return [options](CommandContext& context) {
    Session session(DataFolder(context, options->dataDir));
    MasterModel model(session);
    if (const int code = AnalyzeForCli(*options, model, context)) return code;
    if (options->json) {
      WriteJson(context.out, AnalysisJson(model, session));
    } else {
      PrintText(context.out, model);
    }
    return 0;
  };
}

}  // namespace quillet::cli
