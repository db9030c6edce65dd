// The GUI-free model of the main window. It runs the deck analysis and keeps
// what the window shows: every integer field's value by component name, the
// zero display, the deck and HQ names, the cost selector, the problem list, the
// card list and the name Save List proposes. The Qt window is a view over it
// (it calls an operation, then shows the model again), and quillet-cli prints
// the same model, so both always agree.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/analysis/card_list.h"
#include "core/analysis/session.h"
#include "core/card_data/io_error.h"

namespace quillet {

// What the open-deck sequence asks of its caller, in the order the sequence
// needs it. Texts are bytes in the card data's code page.
class OpenDeckHost {
 public:
  virtual ~OpenDeckHost() = default;
  // The open dialog: initial directory (empty: the default) and the file
  // name "*.txt". The chosen full path, or nullopt when cancelled.
  virtual std::optional<std::string> ChooseDeckFile(const std::string& initialDirectory) = 0;
  virtual void BeginBusy() = 0;  // always paired with EndBusy, on every path
  virtual void EndBusy() = 0;
  // A modal message box with one OK button.
  virtual void ShowMessage(const std::string& text) = 0;
};

// The open dialog answered with a given path, no busy cursor, and the
// messages kept rather than shown: for analyses run without a window.
class FixedDeckHost : public OpenDeckHost {
 public:
  explicit FixedDeckHost(std::string deck) : deck_(std::move(deck)) {}
  std::optional<std::string> ChooseDeckFile(const std::string& /*dir*/) override { return deck_; }
  void BeginBusy() override {}
  void EndBusy() override {}
  void ShowMessage(const std::string& text) override { messages.push_back(text); }

  std::vector<std::string> messages;

 private:
  std::string deck_;
};

// One integer field of the main window, in window order.
struct MasterField {
  std::string_view name;     // component name, e.g. "HighFP"
  std::string_view caption;  // e.g. "Highest Offensive FP:"
  std::string_view hint;     // the hint at start; see MasterModel::FieldHint
  bool percentage = false;   // NoAssets, NoBases, SelectCard
};

// Every TIntEdit of the main window.
const std::vector<MasterField>& MasterFields();

// The cost selector's items, "All cards" last.
const std::vector<std::string_view>& CostKinds();
// The Military, Covert and CyberOps deploy costs of the cards of `costKind`
// (an item of the cost selector; "All cards" for every card), as the cost
// fields show them. Throws when a sum leaves the 32-bit range.
std::array<std::int32_t, 3> DeployCosts(const TDeckStats& stats, std::string_view costKind);

class MasterModel {
 public:
  explicit MasterModel(Session& session);

  // The window's start (FormCreate): DeckCount 0, CostBox "All cards".
  // Returns whether CardStat.Dat exists.
  bool Create();

  // "Open...": the whole open-deck sequence with its failure path. With
  // `useSettings` the deck directory is read from and written to ZNUTILS.INI
  // in the program folder; the CLI runs without it.
  void OpenDeck(OpenDeckHost& host, bool useSettings = true);

  // What a reload kept of the window's state.
  struct ReloadResult {
    bool analysed = false;      // the deck was read without failure
    bool listReopened = false;  // ShownList()'s drill-down was opened again
  };
  // Analyses the open deck again (the host's ChooseDeckFile names it) by the
  // same sequence and messages as OpenDeck, keeping what the user had chosen:
  // the "Count assets only" switch, the cost kind while the deck still has
  // it, and the figure whose list was shown, whose drill-down is opened again;
  // also across reloads that find the deck broken, back to its last good
  // analysis.
  ReloadResult Reload(OpenDeckHost& host, bool useSettings = true);

  void SetAssetSwitch(bool checked);             // AssetSwitchClick
  void SelectCostKind(const std::string& item);  // CostBoxChange
  // A double click on a field (a click for TopDeckAmount; also "DName" and
  // "HQType"): rebuilds the card list. False when nothing happened.
  bool DrillDown(std::string_view component);
  bool HasList(std::string_view component) const;  // whether the field opens a list
  // Fills the card list with the deck lines whose card `holds` accepts, as a
  // drill-down does, for a list that is not a field's (a chart's bar, say):
  // ShownList() then returns `key`, which is never a component name, and
  // Save List proposes `fileName`. False when no deck is loaded.
  bool ShowList(std::string_view key, std::string_view fileName,
                const std::function<bool(const TCardRecord&)>& holds);

  void CardListClick(int index);                            // sets SelectCard
  void CardListDblClick(std::optional<int> selected);       // sets SelectedCardName
  std::string CopyText(std::optional<int> selected) const;  // PopUpCopyClick: the name part, or ""
  // Save List: count, TAB, name, CR LF per line. Replaces `path` only when the
  // whole list was written. Throws IoError.
  void SaveList(const std::string& path) const;

  // What the window shows.
  std::int32_t FieldValue(std::string_view component) const;
  bool ShowZero() const;
  std::string FieldHint(std::string_view component) const;  // follows AssetSwitch and CostBox
  const std::string& DName() const;
  // The I/O failure that stopped the last OpenDeck, when one did: the window
  // reports every failure as an invalid deck, but a caller that must not
  // blame the deck for a failing disk can tell the two apart.
  const std::optional<IoError>& ReadFailure() const { return readFailure_; }
  const std::string& HQType() const;
  const std::vector<std::string>& CostBoxItems() const;
  const std::string& CostBoxText() const;
  bool AssetSwitch() const;
  const std::vector<std::string>& ProblemBox() const;
  const std::vector<std::string>& CardList() const;
  const std::string& ProposedFileName() const;  // SaveDialog1's file name
  // The component whose drill-down list the card list shows, or the key of
  // the list ShowList showed; empty after an analysis, until a list is opened.
  const std::string& ShownList() const { return shownList_; }
  bool SaveEnabled() const;  // SaveButton

  Session& session() { return session_; }
  const Session& session() const { return session_; }

  // The names of the last analysis's deck lines whose card was not found, in
  // file order.
  const std::vector<std::string>& MissingCards() const { return missing_; }
  // The card list with count and name of every line kept apart.
  const std::vector<TDeckEntry>& CardListEntries() const { return cardList_.Entries(); }
  // After a save the dialog proposes the path just chosen.
  void SetProposedFileName(std::string name) { proposedFileName_ = std::move(name); }

 private:
  void Analyze(OpenDeckHost& host, bool useSettings);
  void Fail();
  void ShowDomainCounts();
  void ShowDeployCosts();

  Session& session_;
  std::string dName_;
  std::optional<IoError> readFailure_;
  bool showZero_ = false;
  bool assetSwitch_ = false;
  bool domainHintsSet_ = false;  // the start hints stand until the switch is first used
  std::int32_t domainShown_[7] = {};
  std::int32_t costShown_[3] = {};
  std::vector<std::string> costBoxItems_;
  std::string costBoxText_;
  std::vector<std::string> problemBox_;
  CardListContents cardList_;
  std::string proposedFileName_;
  std::string shownList_;
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
