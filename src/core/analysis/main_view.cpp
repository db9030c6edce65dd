// The main window's view: the figures as the window shows them, the
// state-dependent hints, the cost selector, the drill-down lists and the card
// list commands. Everything here is plain data; the Qt window shows it and
// the CLI prints it.
#include "core/analysis/main_view.h"

#include <algorithm>
#include <utility>

#include "core/analysis/deck_counting.h"
#include "core/analysis/drill_down.h"
#include "core/analysis/hand_chance.h"
#include "core/card_data/byte_source.h"
#include "core/card_data/safe_file.h"

namespace quillet {
namespace {

constexpr std::string_view kCardListName = "CardList.txt";

// Whether CardStat.Dat still is as `analysis` read it, so that its record
// numbers still name the same cards.
bool SameCardFile(const DeckAnalysis& analysis, const CardDatabase& db) {
  return analysis.cardFile && analysis.cardFile == StateOfFile(db.CardStatPath());
}

}  // namespace

std::string InvalidDeckMessage(std::string_view path) {
  return "File '" + std::string(path) + "' is not a valid deck file.";
}

AnalysisPtr AnalyzeInView(const std::string& path, const MainView& view, CardDatabase& db) {
  auto analysis = std::make_shared<const DeckAnalysis>(AnalyzeDeckFile(
      path, db, AnalysisOptions{view.AssetSwitch(), view.CostBoxText()}, LookupPositionOf(db)));
  ContinueLookups(*analysis, db);
  return analysis;
}

MainView::MainView()
    : analysis_(NoAnalysis()),
      costBoxItems_{std::string(kAllCardsCostItem)},
      costBoxText_(kAllCardsCostItem),
      proposedFileName_(kCardListName) {}

std::vector<std::string> MainView::Show(AnalysisPtr analysis) {
  // A deck opened anew owes nothing to a broken one before it.
  keptCostKind_.clear();
  keptShownList_.clear();
  readFailure_.reset();
  std::vector<std::string> messages;
  // Said once per deck file: a re-analysis of the same file that finds only
  // names already reported (a reload, an edit, a fix of some of them, its
  // undo) has nothing new to say, and a box at every edit would stand
  // between the user and the fix.
  if (analysis->deckPath != reportedDeck_) {
    reportedDeck_ = analysis->deckPath;
    reportedMissing_.clear();
  }
  bool news = false;
  for (const std::string& name : analysis->missing) news |= reportedMissing_.insert(name).second;
  if (news) messages.push_back(MissingCardsMessage(analysis->missing));
  if (analysis->failure) {
    try {
      std::rethrow_exception(analysis->failure);
    } catch (const IoError& e) {
      readFailure_ = e;
    } catch (...) {
    }
    // Every failure of the analysis is one case for the user: the deck is
    // not valid, and nothing of it remains.
    Fail();
    messages.push_back(InvalidDeckMessage(analysis->deckPath));
    return messages;
  }
  ShowValid(std::move(analysis));
  return messages;
}

void MainView::ShowValid(AnalysisPtr analysis) {
  dName_ = analysis->deckPath;
  loaded_ = true;
  showZero_ = true;
  selectCard_ = 0;
  missing_ = analysis->missing;
  costBoxItems_ = analysis->CostKindItems();
  costBoxText_ = kAllCardsCostItem;
  analysis_ = std::move(analysis);
  SetOptions(AnalysisOptions{assetSwitch_, costBoxText_});
  proposedFileName_ = kCardListName;
  shownList_.clear();
  shownTitle_.clear();
  cardList_.Clear();
  for (const TDeckEntry& entry : analysis_->entries) cardList_.AddCardListLine(entry);
  saveEnabled_ = true;
}

void MainView::Fail() {
  analysis_ = NoAnalysis();
  dName_.clear();
  loaded_ = false;
  showZero_ = false;
  selectCard_ = 0;
  std::fill(std::begin(domainShown_), std::end(domainShown_), 0);
  std::fill(std::begin(costShown_), std::end(costShown_), 0);
  costBoxItems_.assign(1, std::string(kAllCardsCostItem));
  costBoxText_ = kAllCardsCostItem;
  cardList_.Clear();
  shownList_.clear();
  shownTitle_.clear();
  missing_.clear();
  saveEnabled_ = false;
}

// Keeps the analysis's options in step with the switch and the cost kind,
// and the fields with them while a deck is loaded.
void MainView::SetOptions(const AnalysisOptions& options) {
  if (analysis_->options != options) {
    analysis_ = std::make_shared<const DeckAnalysis>(analysis_->WithOptions(options));
  }
  if (!loaded_) return;
  const auto& domains = DomainFields();
  for (std::size_t i = 0; i < domains.size(); ++i) {
    domainShown_[i] = analysis_->stats.*(assetSwitch_ ? domains[i].assets : domains[i].all);
  }
  if (FindCostKind(costBoxText_)) {
    const auto costs = DeployCosts(analysis_->stats, costBoxText_);
    std::copy(costs.begin(), costs.end(), std::begin(costShown_));
  }
}

void MainView::Unload() {
  keptCostKind_.clear();
  keptShownList_.clear();
  loaded_ = false;
}

MainView::ReloadResult MainView::Reload(AnalysisPtr analysis, CardDatabase& db,
                                        std::vector<std::string>& messages) {
  const ReloadState state = BeginReload();
  messages = Show(std::move(analysis));
  return FinishReload(state, db);
}

// The switch is the view's own and survives an analysis; the cost kind and
// the shown list are reset by it, so they are put back afterwards. A failed
// reload has emptied them too: what was chosen before the deck broke is kept
// aside until a reload reads it again.
MainView::ReloadState MainView::BeginReload() const {
  const bool wasAnalysed = !dName_.empty();
  return {wasAnalysed ? costBoxText_ : keptCostKind_, wasAnalysed ? shownList_ : keptShownList_};
}

MainView::ReloadResult MainView::FinishReload(const ReloadState& state, CardDatabase& db) {
  ReloadResult result;
  result.analysed = !dName_.empty();
  if (!result.analysed) {
    keptCostKind_ = state.costKind;
    keptShownList_ = state.shownList;
    return result;
  }
  if (std::find(costBoxItems_.begin(), costBoxItems_.end(), state.costKind) !=
      costBoxItems_.end()) {
    SelectCostKind(state.costKind);
  }
  if (!state.shownList.empty()) result.listReopened = DrillDown(state.shownList, db);
  return result;
}

void MainView::SetAssetSwitch(bool checked) {
  assetSwitch_ = checked;
  domainHintsSet_ = true;
  SetOptions(AnalysisOptions{assetSwitch_, costBoxText_});
}

void MainView::SelectCostKind(const std::string& item) {
  costBoxText_ = item;
  SetOptions(AnalysisOptions{assetSwitch_, costBoxText_});
}

bool MainView::HasList(std::string_view component) {
  return FindDrillDown(component) != nullptr;
}

bool MainView::DrillDown(std::string_view component, CardDatabase& db) {
  const DrillDownList* list = FindDrillDown(component);
  if (!list) return false;
  const DrillDownContext context{analysis_->stats, assetSwitch_, costBoxText_};
  return ShowList(
      list->component, list->listName,
      [&](const TCardRecord& card) { return list->filter(card, context); }, db);
}

bool MainView::ShowList(std::string_view key, std::string_view fileName,
                        const std::function<bool(const TCardRecord&)>& holds, CardDatabase& db,
                        std::string_view title) {
  const std::vector<TDeckEntry>& entries = analysis_->entries;
  if (entries.empty()) return false;
  CardListContents built;
  if (SameCardFile(*analysis_, db)) {
    for (const TDeckEntry& entry : entries) {
      if (holds(entry.Card)) built.AddCardListLine(entry);
    }
    // The working card and the cache end as the lookups of the list would
    // have left them.
    const TDeckEntry& last = entries.back();
    db.CurrentCard = last.Card;
    db.CurrentCardIndex = last.Record + 1;
    db.LastFoundName = last.Name;
    db.LastFoundPos = last.Record + 1;
  } else {
    // The card file changed since the analysis, so its record numbers may
    // name other cards: every name is looked up again, from the cache as it
    // stands.
    std::vector<std::string_view> names;
    names.reserve(entries.size());
    for (const TDeckEntry& entry : entries) names.push_back(entry.Name);
    LookupBatch batch(db, names);
    for (const TDeckEntry& entry : entries) {
      // A card the rebuilt data file no longer holds is left out.
      if (!db.LookupCard(entry.Name)) continue;
      const TCardRecord& card = db.CurrentCard;
      if (holds(card)) {
        built.AddCardListLine(
            TDeckEntry{entry.Count, card.Name.Str(), db.CurrentCardIndex - 1, card});
      }
    }
  }
  cardList_ = std::move(built);
  proposedFileName_ = fileName;
  shownList_ = key;
  shownTitle_ = title;
  return true;
}

void MainView::CardListClick(int index, CardDatabase& db) {
  if (index < 0 || static_cast<std::size_t>(index) >= cardList_.Size()) return;
  const TDeckEntry& entry = cardList_.Entries()[static_cast<std::size_t>(index)];
  // A card the data file no longer holds is taken as a plain card rather
  // than as whatever record the failed lookup left behind.
  TCardRecord card;
  if (entry.Record >= 0 && SameCardFile(*analysis_, db)) {
    card = entry.Card;
  } else if (db.LookupCard(entry.Name)) {
    card = db.CurrentCard;
  }
  selectCard_ = SelectedCardChance(entry.Count, card, analysis_->stats);
}

std::optional<std::string> MainView::CardToRead(std::optional<int> selected) const {
  if (cardList_.Empty()) return std::nullopt;
  return CopyText(selected);
}

std::string MainView::CopyText(std::optional<int> selected) const {
  if (!selected || *selected < 0 || static_cast<std::size_t>(*selected) >= cardList_.Size()) {
    return {};
  }
  return cardList_.Entries()[static_cast<std::size_t>(*selected)].Name;
}

void MainView::SaveList(const std::string& path) const {
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

std::int32_t MainView::FieldValue(std::string_view component) const {
  const auto& domains = DomainFields();
  for (std::size_t i = 0; i < domains.size(); ++i) {
    if (domains[i].component == component) return domainShown_[i];
  }
  for (std::size_t i = 0; i < kCostFields.size(); ++i) {
    if (kCostFields[i] == component) return costShown_[i];
  }
  if (component == "SelectCard") return selectCard_;
  const std::int32_t* stat = FindStat(analysis_->stats, component);
  return stat ? *stat : 0;
}

std::string MainView::FieldHint(std::string_view component) const {
  if (domainHintsSet_) {
    if (const DomainField* d = FindDomainField(component)) {
      return std::string(assetSwitch_ ? d->assetHint : d->allHint);
    }
  }
  for (std::size_t i = 0; i < kCostFields.size(); ++i) {
    if (kCostFields[i] != component) continue;
    const CostKind* kind = FindCostKind(costBoxText_);
    if (!kind) kind = &CostKindTable().front();
    return "Total amount of " + std::string(kResourceWords[i]) + " resources required to " +
           std::string(kind->hintTail);
  }
  for (const auto& field : MasterFields()) {
    if (field.name == component) return std::string(field.hint);
  }
  return {};
}

}  // namespace quillet
