#include "core/analysis/master_model.h"

#include <utility>

#include "core/card_data/paths.h"
#include "core/settings/ini_settings.h"

namespace quillet {
namespace {

// Ends the busy cursor on every way out of the analysis.
class BusyScope {
 public:
  explicit BusyScope(OpenDeckHost& host) : host_(host) { host_.BeginBusy(); }
  ~BusyScope() { End(); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
  void End() {
    if (active_) host_.EndBusy();
    active_ = false;
  }

 private:
  OpenDeckHost& host_;
  bool active_ = true;
};

}  // namespace

bool MasterModel::Create() {
  session_.deck.DeckCount = 0;
  SelectCostKind(std::string(kAllCardsCostItem));
  return session_.db.CardStatExists();
}

AnalysisPtr MasterModel::Analyze(const std::string& path) {
  CardDatabase& db = session_.db;
  auto analysis = std::make_shared<const DeckAnalysis>(AnalyzeDeckFile(
      path, db, AnalysisOptions{AssetSwitch(), CostBoxText()}, LookupPositionOf(db)));
  ContinueLookups(*analysis, db);
  return analysis;
}

void MasterModel::OpenDeck(OpenDeckHost& host, bool useSettings) {
  const std::string directory =
      useSettings ? ReadDeckDirectory(session_.db.ProgramDir()) : std::string();
  std::optional<std::string> chosen = host.ChooseDeckFile(directory);
  // A cancelled dialog keeps everything on display, but no deck counts as
  // loaded any more.
  if (!chosen || chosen->empty()) {
    Unload();
    session_.deck.DeckFileName.clear();
    return;
  }
  BusyScope busy(host);
  const AnalysisPtr analysis = Analyze(*chosen);
  std::vector<std::string> messages = Show(analysis);
  Sync();
  if (analysis->failure) {
    // The names not found are said as the reading ends, under the busy
    // cursor; that the deck is not valid is said once the work is over.
    if (messages.size() > 1) host.ShowMessage(messages.front());
    busy.End();
    host.ShowMessage(messages.back());
    return;
  }
  for (const std::string& message : messages) host.ShowMessage(message);
  // The folder is remembered only once nothing more can fail, so that it is
  // always the folder of the last deck analysed without failure. It is a
  // convenience: a settings file that cannot be written does not make the
  // deck invalid.
  if (useSettings) {
    try {
      WriteDeckDirectory(session_.db.ProgramDir(), DirectoryPart(DName()));
    } catch (const std::exception&) {
    }
  }
}

MainView::ReloadResult MasterModel::Reload(OpenDeckHost& host, bool useSettings) {
  const ReloadState state = BeginReload();
  OpenDeck(host, useSettings);
  return FinishReload(state, session_.db);
}

void MasterModel::Sync() {
  const DeckAnalysis& a = Analysis();
  DeckState& deck = session_.deck;
  deck.DeckFileName = DName();
  deck.DeckList = a.entries;
  deck.DeckCount = static_cast<std::int32_t>(a.entries.size());
  deck.CardFile = a.cardFile;
  session_.stats = a.stats;
}

void MasterModel::CardListClick(int index) {
  MainView::CardListClick(index, session_.db);
  session_.stats.SelectCard = FieldValue("SelectCard");
}

void MasterModel::CardListDblClick(std::optional<int> selected) {
  if (auto name = CardToRead(selected)) session_.SelectedCardName = std::move(*name);
}

}  // namespace quillet
