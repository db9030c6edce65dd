// The main window's view of a deck analysis, without Qt: every integer
// field's value by component name, the zero display, the deck and HQ names,
// the cost selector, the problem list, the card list and the name Save List
// proposes, and the rules that keep what the player chose across analyses.
// The Qt window shows it; quillet-cli prints the same view, so both always
// agree. The analysis itself is an immutable value (deck_analysis.h) that
// the view holds and hands on to the engines.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/card_list.h"
#include "core/analysis/deck_analysis.h"
#include "core/card_data/card_database.h"
#include "core/card_data/io_error.h"

namespace quillet {

// One integer field of the main window, in window order.
struct MasterField {
  std::string_view name;     // component name, e.g. "HighFP"
  std::string_view caption;  // e.g. "Highest Offensive FP:"
  std::string_view hint;     // the hint at start; see MainView::FieldHint
  bool percentage = false;   // NoAssets, NoBases, SelectCard
};

// Every integer field of the main window.
const std::vector<MasterField>& MasterFields();

// "File 'PATH' is not a valid deck file."
std::string InvalidDeckMessage(std::string_view path);

class MainView;

// The deck at `path` analysed under `view`'s switch and cost kind, its
// lookups starting where `db`'s last one ended and leaving `db` where they
// end: the window chains one analysis after another this way.
AnalysisPtr AnalyzeInView(const std::string& path, const MainView& view, CardDatabase& db);

class MainView {
 public:
  MainView();

  // Shows an analysis of the deck just chosen: a valid one, or a failed one,
  // of which nothing remains on display. Returns what to tell the player, in
  // order: the names not found (said once per deck file: a re-analysis that
  // finds only names already reported has nothing new to say), then, for a
  // failure, that the deck is not valid.
  std::vector<std::string> Show(AnalysisPtr analysis);
  // The open dialog was cancelled: everything stays on display, but no deck
  // counts as loaded any more.
  void Unload();

  // What a reload kept of the view's state.
  struct ReloadResult {
    bool analysed = false;      // the deck was read without failure
    bool listReopened = false;  // ShownList()'s drill-down was opened again
  };
  // Shows a new analysis of the open deck as Show does, keeping what the
  // player had chosen: the cost kind while the deck still has it, and the
  // figure whose list was shown, whose drill-down is opened again; also
  // across reloads that find the deck broken, back to its last good
  // analysis. `messages` receives what Show returns.
  ReloadResult Reload(AnalysisPtr analysis, CardDatabase& db, std::vector<std::string>& messages);
  // Reload in two halves, around an open-deck sequence of the caller's own.
  struct ReloadState {
    std::string costKind;
    std::string shownList;
  };
  ReloadState BeginReload() const;
  ReloadResult FinishReload(const ReloadState& state, CardDatabase& db);

  void SetAssetSwitch(bool checked);             // the "Count assets only" switch
  void SelectCostKind(const std::string& item);  // the cost selector
  // A double click on a field (a click for TopDeckAmount; also "DName" and
  // "HQType"): rebuilds the card list. False when nothing happened.
  bool DrillDown(std::string_view component, CardDatabase& db);
  static bool HasList(std::string_view component);  // whether the field opens a list
  // Fills the card list with the deck lines whose card `holds` accepts, as a
  // drill-down does, for a list that is not a field's (a chart's bar, say):
  // ShownList() then returns `key`, which is never a component name, and
  // Save List proposes `fileName`; the list's heading names it `title`.
  // False when no deck is loaded. Where the card file changed since the
  // analysis, the names are looked up again in `db`, from its cache as it
  // stands.
  bool ShowList(std::string_view key, std::string_view fileName,
                const std::function<bool(const TCardRecord&)>& holds, CardDatabase& db,
                std::string_view title = {});

  // A click on card list line `index`: the selected card's chance.
  void CardListClick(int index, CardDatabase& db);
  // The card the reader opens on after a double click on the card list: the
  // selected line's name, or "" (the first card) when no line is selected;
  // nullopt when the list is empty, and the reader keeps its card.
  std::optional<std::string> CardToRead(std::optional<int> selected) const;
  std::string CopyText(std::optional<int> selected) const;  // the name part, or ""
  // Save List: count, TAB, name, CR LF per line. Replaces `path` only when the
  // whole list was written. Throws IoError.
  void SaveList(const std::string& path) const;

  // The analysis on display (never null; the empty one when none).
  const DeckAnalysis& Analysis() const { return *analysis_; }
  const AnalysisPtr& SharedAnalysis() const { return analysis_; }

  std::int32_t FieldValue(std::string_view component) const;
  bool ShowZero() const { return showZero_; }
  std::string FieldHint(std::string_view component) const;  // follows the switch and cost kind
  const std::string& DName() const { return dName_; }
  // The I/O failure that stopped the last analysis, when one did: the window
  // reports every failure as an invalid deck, but a caller that must not
  // blame the deck for a failing disk can tell the two apart.
  const std::optional<IoError>& ReadFailure() const { return readFailure_; }
  const std::string& HQType() const { return analysis_->stats.HQType; }
  const std::vector<std::string>& CostBoxItems() const { return costBoxItems_; }
  const std::string& CostBoxText() const { return costBoxText_; }
  bool AssetSwitch() const { return assetSwitch_; }
  const std::vector<std::string>& ProblemBox() const { return analysis_->problems; }
  const std::vector<std::string>& CardList() const { return cardList_.Lines(); }
  const std::string& ProposedFileName() const { return proposedFileName_; }  // Save List's name
  // The component whose drill-down list the card list shows, or the key of
  // the list ShowList showed; empty after an analysis, until a list is opened.
  const std::string& ShownList() const { return shownList_; }
  // The words that head a list ShowList showed with a title; else empty.
  const std::string& ShownTitle() const { return shownTitle_; }
  bool SaveEnabled() const { return saveEnabled_; }
  // Whether a deck counts as loaded (analysed, and not since cancelled).
  bool Loaded() const { return loaded_; }

  // The names of the last analysis's deck lines whose card was not found, in
  // file order.
  const std::vector<std::string>& MissingCards() const { return missing_; }
  // The card list with count and name of every line kept apart.
  const std::vector<TDeckEntry>& CardListEntries() const { return cardList_.Entries(); }
  // After a save the dialog proposes the path just chosen.
  void SetProposedFileName(std::string name) { proposedFileName_ = std::move(name); }

 private:
  void ShowValid(AnalysisPtr analysis);
  void Fail();
  void SetOptions(const AnalysisOptions& options);

  AnalysisPtr analysis_;
  std::string dName_;
  std::optional<IoError> readFailure_;
  bool loaded_ = false;
  bool showZero_ = false;
  bool assetSwitch_ = false;
  bool domainHintsSet_ = false;  // the start hints stand until the switch is first used
  std::int32_t domainShown_[7] = {};
  std::int32_t costShown_[3] = {};
  std::int32_t selectCard_ = 0;
  std::vector<std::string> costBoxItems_;
  std::string costBoxText_;
  CardListContents cardList_;
  std::string proposedFileName_;
  std::string shownList_;
  std::string shownTitle_;
  // The cost kind and shown list of the last good analysis, while reloads
  // find the deck broken (Reload).
  std::string keptCostKind_;
  std::string keptShownList_;
  bool saveEnabled_ = false;
  std::vector<std::string> missing_;
  // The deck the not-found message last spoke of, and every name it named.
  std::string reportedDeck_;
  std::set<std::string, std::less<>> reportedMissing_;
};

}  // namespace quillet
