// The main window's model: the open-deck sequence with its failure path, the
// figures as the window shows them, the state-dependent hints, the cost
// selector, the drill-down lists and the card list commands. Everything here
// is plain data; the Qt window shows it and the CLI prints it.
#include "core/analysis/master_model.h"

#include "core/card_data/io_error.h"

#include <algorithm>
#include <array>

#include "core/analysis/checked_math.h"
#include "core/analysis/cost_kinds.h"
#include "core/analysis/deck_analysis.h"
#include "core/analysis/deck_problems.h"
#include "core/analysis/drill_down.h"
#include "core/analysis/hand_chance.h"
#include "core/card_data/byte_source.h"
#include "core/card_data/paths.h"
#include "core/card_data/safe_file.h"
#include "core/settings/ini_settings.h"

namespace quillet {
namespace {

constexpr std::string_view kAllCards = "All cards";
constexpr std::string_view kCardListName = "CardList.txt";

struct DomainField {
  std::string_view component;
  std::int32_t TDeckStats::*all;
  std::int32_t TDeckStats::*assets;
  std::string_view allHint;
  std::string_view assetHint;
};

constexpr std::array<DomainField, 7> kDomainFields = {{
    {"UNAmount", &TDeckStats::AllUNAmount, &TDeckStats::AssetUNAmount,
     "Double click to see all UN cards", "Double click to see UN assets"},
    {"FUSAmount", &TDeckStats::AllFUSAmount, &TDeckStats::AssetFUSAmount,
     "Double click to see all FUS cards", "Double click to see FUS assets"},
    {"MonasAmount", &TDeckStats::AllMonasAmount, &TDeckStats::AssetMonasAmount,
     "Double click to see all Monastery cards", "Double click to see Monastery assets"},
    {"CorpAmount", &TDeckStats::AllCorpAmount, &TDeckStats::AssetCorpAmount,
     "Double click to see all Corporate cards", "Double click to see Corporate assets"},
    {"NoNamesAmount", &TDeckStats::AllNoNamesAmount, &TDeckStats::AssetNoNamesAmount,
     "Double click to see all NoNames cards", "Double click to see NoNames assets"},
    {"InnerCircleAmount", &TDeckStats::AllInnerCircleAmount, &TDeckStats::AssetInnerCircleAmount,
     "Double click to see all Inner Circle cards", "Double click to see Inner Circle assets"},
    {"TranscendAmount", &TDeckStats::AllTranscendAmount, &TDeckStats::AssetTranscendAmount,
     "Double click to see all Transcendent cards", "Double click to see Transcendent assets"},
}};

// The cost selector's kinds with their three sums and the verb and noun of
// the cost hints.
struct CostKind {
  std::string_view item;
  std::array<std::int32_t TDeckStats::*, 4> mil;  // summed; unused slots null
  std::array<std::int32_t TDeckStats::*, 4> cov;
  std::array<std::int32_t TDeckStats::*, 4> cyb;
  std::string_view hintTail;  // "deploy all your cards"
};

using S = TDeckStats;
const std::array<CostKind, 5> kCostKinds = {{
    {kAllCards,
     {&S::AssetMilCost, &S::EnhMilCost, &S::IntervenMilCost, &S::ProgMilCost},
     {&S::AssetCovCost, &S::EnhCovCost, &S::IntervenCovCost, &S::ProgCovCost},
     {&S::AssetCybCost, &S::EnhCybCost, &S::IntervenCybCost, &S::ProgCybCost},
     "deploy all your cards"},
    {"Assets",
     {&S::AssetMilCost},
     {&S::AssetCovCost},
     {&S::AssetCybCost},
     "deploy all your assets"},
    {"Enhancements",
     {&S::EnhMilCost},
     {&S::EnhCovCost},
     {&S::EnhCybCost},
     "use all your enhancements"},
    {"Interventions",
     {&S::IntervenMilCost},
     {&S::IntervenCovCost},
     {&S::IntervenCybCost},
     "invoke all your interventions"},
    {"Programs", {&S::ProgMilCost}, {&S::ProgCovCost}, {&S::ProgCybCost}, "run all your programs"},
}};

constexpr std::array<std::string_view, 3> kCostFields = {"MilCost", "CovCost", "CybCost"};
constexpr std::array<std::string_view, 3> kResourceWords = {"Military", "Covert", "CyberOps"};

const CostKind* FindCostKind(std::string_view item) {
  for (const auto& kind : kCostKinds) {
    if (kind.item == item) return &kind;
  }
  return nullptr;
}

std::int32_t CostSum(const TDeckStats& stats, const std::array<std::int32_t S::*, 4>& fields) {
  std::int64_t sum = 0;
  for (auto field : fields) {
    if (field) sum += stats.*field;
  }
  return CheckedInt32(sum);
}

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

const std::vector<std::string_view>& CostKinds() {
  static const std::vector<std::string_view> items = [] {
    std::vector<std::string_view> all;
    for (std::size_t i = 1; i < kCostKinds.size(); ++i) all.push_back(kCostKinds[i].item);
    all.push_back(kCostKinds[0].item);
    return all;
  }();
  return items;
}

std::array<std::int32_t, 3> DeployCosts(const TDeckStats& stats, std::string_view costKind) {
  const CostKind* kind = FindCostKind(costKind);
  if (!kind) return {};
  return {CostSum(stats, kind->mil), CostSum(stats, kind->cov), CostSum(stats, kind->cyb)};
}

MasterModel::MasterModel(Session& session)
    : session_(session),
      costBoxItems_{std::string(kAllCards)},
      costBoxText_(kAllCards),
      proposedFileName_(kCardListName) {}

bool MasterModel::Create() {
  session_.deck.DeckCount = 0;
  costBoxText_ = costBoxItems_.front();
  return session_.db.CardStatExists();
}

void MasterModel::OpenDeck(OpenDeckHost& host, bool useSettings) {
  // A deck opened anew owes nothing to a broken one before it.
  keptCostKind_.clear();
  keptShownList_.clear();
  const std::string directory =
      useSettings ? ReadDeckDirectory(session_.db.ProgramDir()) : std::string();
  DeckState& deck = session_.deck;
  deck.DeckFileName.clear();
  if (auto chosen = host.ChooseDeckFile(directory)) deck.DeckFileName = std::move(*chosen);
  // A cancelled dialog keeps everything on display, but no deck counts as
  // loaded any more.
  if (deck.DeckFileName.empty()) return;

  BusyScope busy(host);
  readFailure_.reset();
  try {
    try {
      Analyze(host, useSettings);
    } catch (const IoError& e) {
      readFailure_ = e;
      throw;
    }
  } catch (...) {
    // Every failure of the analysis is one case for the user: the deck is
    // not valid, and nothing of it remains.
    busy.End();
    Fail();
    host.ShowMessage("File '" + deck.DeckFileName + "' is not a valid deck file.");
    deck.DeckFileName.clear();
  }
}

MasterModel::ReloadResult MasterModel::Reload(OpenDeckHost& host, bool useSettings) {
  // The switch is the model's own and survives an analysis; the cost kind
  // and the shown list are reset by it, so they are put back afterwards. A
  // failed reload has emptied them too: what was chosen before the deck
  // broke is kept aside until a reload reads it again.
  const bool wasAnalysed = !dName_.empty();
  const std::string costKind = wasAnalysed ? costBoxText_ : keptCostKind_;
  const std::string shownList = wasAnalysed ? shownList_ : keptShownList_;
  OpenDeck(host, useSettings);
  ReloadResult result;
  result.analysed = !dName_.empty();
  if (!result.analysed) {
    keptCostKind_ = costKind;
    keptShownList_ = shownList;
    return result;
  }
  if (std::find(costBoxItems_.begin(), costBoxItems_.end(), costKind) != costBoxItems_.end()) {
    SelectCostKind(costKind);
  }
  if (!shownList.empty()) result.listReopened = DrillDown(shownList);
  return result;
}

void MasterModel::Analyze(OpenDeckHost& host, bool useSettings) {
  Session& s = session_;
  {
    FileSource file(s.deck.DeckFileName);
    ByteReader reader(file);
    missing_ = ComputeDeckStatistics(reader, s.db, s.deck, s.stats, cardList_);
  }
  // Said once per deck file: a re-analysis of the same file that finds only
  // names already reported (a reload, an edit, a fix of some of them, its
  // undo) has nothing new to say, and a box at every edit would stand
  // between the user and the fix.
  if (s.deck.DeckFileName != reportedDeck_) {
    reportedDeck_ = s.deck.DeckFileName;
    reportedMissing_.clear();
  }
  bool news = false;
  for (const std::string& name : missing_) news |= reportedMissing_.insert(name).second;
  if (news) host.ShowMessage(MissingCardsMessage(missing_));
  dName_ = s.deck.DeckFileName;
  showZero_ = true;
  TDeckStats& st = s.stats;
  ComputeDerivedValues(st);
  st.NoAssets =
      CheckedInt32(100 - std::int64_t{OpeningHandChance(st.AssetAmount, st.TotalAmount,
                                                        st.TopDeckAssetAmount, st.TopDeckAmount)});
  st.NoBases =
      CheckedInt32(100 - std::int64_t{OpeningHandChance(st.BaseAmount, st.TotalAmount,
                                                        st.TopDeckBaseAmount, st.TopDeckAmount)});
  ShowDomainCounts();

  costBoxItems_.clear();
  for (const CostKindItem& kind : kCostKindItems) {
    if (kind.count != nullptr && st.*kind.count > 0) costBoxItems_.emplace_back(kind.item);
  }
  costBoxItems_.emplace_back(kAllCards);
  costBoxText_ = kAllCards;
  ShowDeployCosts();

  proposedFileName_ = kCardListName;
  shownList_.clear();
  problemBox_ = CheckDeckProblems(st);
  // The folder is remembered only once nothing more can fail, so that it is
  // always the folder of the last deck analysed without failure (an average
  // or a chance over negative counts can still fail after the reading). It is
  // a convenience: a settings file that cannot be written does not make the
  // deck invalid.
  if (useSettings) {
    try {
      WriteDeckDirectory(s.db.ProgramDir(), DirectoryPart(s.deck.DeckFileName));
    } catch (const std::exception&) {
    }
  }
  saveEnabled_ = true;
}

void MasterModel::Fail() {
  dName_.clear();
  showZero_ = false;
  session_.deck.DeckCount = 0;
  session_.deck.DeckList.clear();
  ResetStatistics(session_.stats);
  std::fill(std::begin(domainShown_), std::end(domainShown_), 0);
  std::fill(std::begin(costShown_), std::end(costShown_), 0);
  costBoxItems_.assign(1, std::string(kAllCards));
  costBoxText_ = kAllCards;
  problemBox_.clear();
  cardList_.Clear();
  shownList_.clear();
  missing_.clear();
  saveEnabled_ = false;
}

void MasterModel::ShowDomainCounts() {
  for (std::size_t i = 0; i < kDomainFields.size(); ++i) {
    const auto& d = kDomainFields[i];
    domainShown_[i] = session_.stats.*(assetSwitch_ ? d.assets : d.all);
  }
}

void MasterModel::ShowDeployCosts() {
  if (!FindCostKind(costBoxText_)) return;
  const auto costs = DeployCosts(session_.stats, costBoxText_);
  std::copy(costs.begin(), costs.end(), std::begin(costShown_));
}

void MasterModel::SetAssetSwitch(bool checked) {
  assetSwitch_ = checked;
  domainHintsSet_ = true;
  if (!session_.deck.DeckFileName.empty()) ShowDomainCounts();
}

void MasterModel::SelectCostKind(const std::string& item) {
  costBoxText_ = item;
  if (!session_.deck.DeckFileName.empty()) ShowDeployCosts();
}

bool MasterModel::HasList(std::string_view component) const {
  return FindDrillDown(component) != nullptr;
}

bool MasterModel::DrillDown(std::string_view component) {
  const DrillDownList* list = FindDrillDown(component);
  if (!list) return false;
  const DrillDownContext context{session_.stats, assetSwitch_, costBoxText_};
  return ShowList(list->component, list->listName,
                  [&](const TCardRecord& card) { return list->filter(card, context); });
}

bool MasterModel::ShowList(std::string_view key, std::string_view fileName,
                           const std::function<bool(const TCardRecord&)>& holds) {
  DeckState& deck = session_.deck;
  if (deck.DeckCount <= 0) return false;
  const auto count =
      std::min<std::size_t>(static_cast<std::size_t>(deck.DeckCount), deck.DeckList.size());
  CardListContents built;
  if (SameCardFile(deck, session_.db)) {
    for (std::size_t i = 0; i < count; ++i) {
      const TDeckEntry& entry = deck.DeckList[i];
      deck.CardCount = entry.Count;
      if (holds(entry.Card)) built.AddCardListLine(entry);
    }
    // The working card and the cache end as the lookups of the list would
    // have left them.
    if (count > 0) {
      const TDeckEntry& last = deck.DeckList[count - 1];
      CardDatabase& db = session_.db;
      db.CurrentCard = last.Card;
      db.CurrentCardIndex = last.Record + 1;
      db.LastFoundName = last.Name;
      db.LastFoundPos = last.Record + 1;
    }
  } else {
    // The card file changed since the analysis, so its record numbers may
    // name other cards: every name is looked up again, from the cache as it
    // stands.
    std::vector<std::string_view> names;
    for (std::size_t i = 0; i < count; ++i) names.push_back(deck.DeckList[i].Name);
    LookupBatch batch(session_.db, names);
    for (std::size_t i = 0; i < count; ++i) {
      const TDeckEntry& entry = deck.DeckList[i];
      deck.CardCount = entry.Count;
      // A card the rebuilt data file no longer holds is left out.
      if (!session_.db.LookupCard(entry.Name)) continue;
      const TCardRecord& card = session_.db.CurrentCard;
      if (holds(card)) {
        built.AddCardListLine(
            TDeckEntry{entry.Count, card.Name.Str(), session_.db.CurrentCardIndex - 1, card});
      }
    }
  }
  cardList_ = std::move(built);
  proposedFileName_ = fileName;
  shownList_ = key;
  return true;
}

void MasterModel::CardListClick(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= cardList_.Size()) return;
  const TDeckEntry& entry = cardList_.Entries()[static_cast<std::size_t>(index)];
  CardDatabase& db = session_.db;
  // A card the data file no longer holds is taken as a plain card rather
  // than as whatever record the failed lookup left behind.
  TCardRecord card;
  if (entry.Record >= 0 && SameCardFile(session_.deck, db)) {
    card = entry.Card;
  } else if (db.LookupCard(entry.Name)) {
    card = db.CurrentCard;
  }
  session_.stats.SelectCard = SelectedCardChance(entry.Count, card, session_.stats);
}

void MasterModel::CardListDblClick(std::optional<int> selected) {
  if (cardList_.Empty()) return;
  if (selected && *selected >= 0 && static_cast<std::size_t>(*selected) < cardList_.Size()) {
    session_.SelectedCardName = cardList_.Entries()[static_cast<std::size_t>(*selected)].Name;
  } else {
    session_.SelectedCardName.clear();
  }
}

std::string MasterModel::CopyText(std::optional<int> selected) const {
  if (!selected || *selected < 0 || static_cast<std::size_t>(*selected) >= cardList_.Size()) {
    return {};
  }
  return cardList_.Entries()[static_cast<std::size_t>(*selected)].Name;
}

void MasterModel::SaveList(const std::string& path) const {
  AtomicFile file(path);
  BufferedSink sink(file.fd());
  for (const auto& entry : cardList_.Entries()) {
    sink.Write(std::to_string(entry.Count));
    sink.Write("\t");
    sink.Write(entry.Name);
    sink.Write("\r\n");
  }
  sink.Flush();
  file.Commit();
}

std::int32_t MasterModel::FieldValue(std::string_view component) const {
  for (std::size_t i = 0; i < kDomainFields.size(); ++i) {
    if (kDomainFields[i].component == component) return domainShown_[i];
  }
  for (std::size_t i = 0; i < kCostFields.size(); ++i) {
    if (kCostFields[i] == component) return costShown_[i];
  }
  const std::int32_t* stat = FindStat(session_.stats, component);
  return stat ? *stat : 0;
}

bool MasterModel::ShowZero() const {
  return showZero_;
}

std::string MasterModel::FieldHint(std::string_view component) const {
  if (domainHintsSet_) {
    for (const auto& d : kDomainFields) {
      if (d.component == component) return std::string(assetSwitch_ ? d.assetHint : d.allHint);
    }
  }
  for (std::size_t i = 0; i < kCostFields.size(); ++i) {
    if (kCostFields[i] != component) continue;
    const CostKind* kind = FindCostKind(costBoxText_);
    if (!kind) kind = kCostKinds.data();
    return "Total amount of " + std::string(kResourceWords[i]) + " resources required to " +
           std::string(kind->hintTail);
  }
  for (const auto& field : MasterFields()) {
    if (field.name == component) return std::string(field.hint);
  }
  return {};
}

const std::string& MasterModel::DName() const {
  return dName_;
}
const std::string& MasterModel::HQType() const {
  return session_.stats.HQType;
}
const std::vector<std::string>& MasterModel::CostBoxItems() const {
  return costBoxItems_;
}
const std::string& MasterModel::CostBoxText() const {
  return costBoxText_;
}
bool MasterModel::AssetSwitch() const {
  return assetSwitch_;
}
const std::vector<std::string>& MasterModel::ProblemBox() const {
  return problemBox_;
}
const std::vector<std::string>& MasterModel::CardList() const {
  return cardList_.Lines();
}
const std::string& MasterModel::ProposedFileName() const {
  return proposedFileName_;
}
bool MasterModel::SaveEnabled() const {
  return saveEnabled_;
}

}  // namespace quillet
