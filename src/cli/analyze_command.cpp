// `quillet-cli analyze`: the main window's analysis as a report. The text form
// is laid out like the window (the figures grouped as there, with their
// captions, then the problems, the cards not found and the card list); the
// JSON form carries every field, every statistic and every list by name.
#include <iomanip>
#include <ostream>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include "analysis/deck_stats.h"
#include "card_data/text_util.h"
#include "cli/deck_command.h"
#include "cli/json_writer.h"

namespace quillet::cli {
namespace {

constexpr const char* kAnalyzeUsage =
    "usage: quillet-cli analyze DECK [--data DIR] [--assets-only] [--cost KIND] [--json]\n"
    "       quillet-cli list DECK FIELD [--data DIR] [--assets-only] [--cost KIND] [--json]\n"
    "       KIND: \"All cards\", \"Assets\", \"Enhancements\", \"Interventions\" or \"Programs\"\n";

bool IsCostKind(std::string_view kind) {
  return kind == "All cards" || kind == "Assets" || kind == "Enhancements" ||
         kind == "Interventions" || kind == "Programs";
}

// The open dialog answers with the deck; messages become lines of `err`.
class CliHost final : public OpenDeckHost {
 public:
  CliHost(std::string deck, std::ostream& err) : deck_(std::move(deck)), err_(err) {}
  std::optional<std::string> ChooseDeckFile(const std::string&) override { return deck_; }
  void BeginBusy() override {}
  void EndBusy() override {}
  void ShowMessage(const std::string& text) override {
    err_ << Cp1252ToUtf8(text) << '\n';
    lastMessage = text;
  }
  std::string lastMessage;

 private:
  std::string deck_;
  std::ostream& err_;
};

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

void StringArray(JsonWriter& json, const std::vector<std::string>& items) {
  json.BeginArray();
  for (const auto& item : items) json.String(Cp1252ToUtf8(item));
  json.EndArray();
}

void PrintJson(std::ostream& out, const MasterModel& model, const Session& session) {
  JsonWriter json(out);
  json.BeginObject();
  json.Key("DName");
  json.String(Cp1252ToUtf8(model.DName()));
  json.Key("HQType");
  json.String(Cp1252ToUtf8(model.HQType()));
  json.Key("Fields");
  json.BeginObject();
  for (const auto& field : MasterFields()) {
    json.Key(field.name);
    json.Int(model.FieldValue(field.name));
  }
  json.EndObject();
  json.Key("Stats");
  json.BeginObject();
  for (const auto& stat : StatFields()) {
    json.Key(stat.name);
    json.Int(session.stats.*stat.member);
  }
  json.Key("HQFound");
  json.Bool(session.stats.HQFound);
  json.Key("OverLimitNames");
  StringArray(json, session.stats.OverLimitNames);
  json.EndObject();
  json.Key("CostBox");
  StringArray(json, model.CostBoxItems());
  json.Key("CardList");
  StringArray(json, model.CardList());
  json.Key("DeckList");
  json.BeginArray();
  for (std::int32_t i = 0; i < session.deck.DeckCount; ++i) {
    const TDeckEntry& entry = session.deck.DeckList[static_cast<std::size_t>(i)];
    json.BeginObject();
    json.Key("Count");
    json.Int(entry.Count);
    json.Key("Name");
    json.String(Cp1252ToUtf8(entry.Name));
    json.EndObject();
  }
  json.EndArray();
  json.Key("Missing");
  StringArray(json, model.MissingCards());
  json.Key("ProblemBox");
  StringArray(json, model.ProblemBox());
  json.EndObject();
}

}  // namespace

std::optional<DeckCommandOptions> ParseDeckCommand(const Args& args, bool withField,
                                                   const std::string& programDir) {
  DeckCommandOptions options;
  options.dataDir = programDir;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--data" || arg == "--cost") {
      if (i + 1 == args.size()) return std::nullopt;
      const std::string& value = args[++i];
      if (arg == "--data") {
        if (value.empty()) return std::nullopt;
        options.dataDir = value;
      } else {
        if (!IsCostKind(value)) return std::nullopt;
        options.costKind = value;
      }
    } else if (arg == "--assets-only") {
      options.assetsOnly = true;
    } else if (arg == "--json") {
      options.json = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return std::nullopt;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != (withField ? 2u : 1u) || positional[0].empty()) return std::nullopt;
  options.deck = positional[0];
  if (withField) options.field = positional[1];
  options.dataDir = DataFolder(std::move(options.dataDir));
  return options;
}

int AnalyzeForCli(const DeckCommandOptions& options, MasterModel& model, std::ostream& out,
                  std::ostream& err) {
  if (!model.Create()) {
    err << "You must create a data file to use this program\n";
    return 1;
  }
  CliHost host(options.deck, err);
  model.OpenDeck(host, /*useSettings=*/false);
  if (model.session().deck.DeckFileName.empty()) {
    if (options.json) {
      JsonWriter json(out);
      json.BeginObject();
      json.Key("Error");
      json.String(Cp1252ToUtf8(host.lastMessage));
      json.EndObject();
    }
    return 1;
  }
  if (options.assetsOnly) model.SetAssetSwitch(true);
  model.SelectCostKind(options.costKind);
  return 0;
}

int RunAnalyze(const Args& args, const std::string& programDir, std::ostream& out,
               std::ostream& err) {
  const auto options = ParseDeckCommand(args, /*withField=*/false, programDir);
  if (!options) {
    err << kAnalyzeUsage;
    return 2;
  }
  Session session(options->dataDir);
  MasterModel model(session);
  if (const int code = AnalyzeForCli(*options, model, out, err)) return code;
  if (options->json) {
    PrintJson(out, model, session);
  } else {
    PrintText(out, model);
  }
  return 0;
}

}  // namespace quillet::cli
