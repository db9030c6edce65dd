// The card reader without its window: which card of CardStat.Dat is on
// display and what every control of the reader shows for it. The reader
// window and `quillet-cli card` both drive this model, so they always agree.
//
// The model reads the shared database of the session one record at a time
// into its CurrentCard and keeps its place in CurrentCardIndex, exactly as
// the main window's lookups do; it reopens both data files whenever the
// reader becomes active, so a lookup made elsewhere in between does no harm.
// Where the database keeps an index (the windows), the records come from
// that index of the file as it was at the activation, shared with the
// analysis, instead of one read each.
// Texts are bytes in the card data's code page; the window decodes them.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/card_data/card_database.h"

namespace quillet {

// The notices of the reader ("This is the last card!", ...) go through the
// host, which shows them as modal message boxes or prints them.
class ReaderHost {
 public:
  virtual ~ReaderHost() = default;
  virtual void ShowMessage(const std::string& text) = 0;
};

inline constexpr std::string_view kNoCardTextMessage =
    "You must create a card text file before being able to view text.";

// What the controls of the reader show, by control name.
struct ReaderView {
  std::string CardName, Edition, Rarity, CardType, Domain;
  std::string ProdMil, TurnsMil, ProdCov, TurnsCov, ProdCyb, TurnsCyb;
  std::string HP, Firepower, Armor, Stealth, Perception, CyberAffinity;
  std::string DeployMil, DeployCov, DeployCyb;
  std::string AttackMil, AttackCov, AttackCyb;
  std::string MoveMil, MoveCov, MoveCyb;
  std::string SearchMil, SearchCov, SearchCyb;
  std::vector<std::string> SpecialBox;  // keywords, then "$" flags, in bit order
  std::string CardText;
  bool CardTextMissing = false;  // CardText holds the missing-file notice (teal, centred)
};

// One single-line box of the reader: its control name, the member of the
// view it shows, and a caption naming it on its own (the window shares
// labels between the boxes of a row).
struct ReaderField {
  std::string_view name;
  std::string ReaderView::*value;
  std::string_view caption;  // how quillet-cli labels the box
};

// Every single-line box, in the order of the window: the name group, the
// resources, the combat column and the cost grid row by row.
const std::vector<ReaderField>& ReaderFields();

class ReaderModel {
 public:
  // `selectedCardName` is the session's SelectedCardName: read on
  // activation, written by Done.
  ReaderModel(CardDatabase& db, std::string& selectedCardName, ReaderHost& host);

  // Every time the reader becomes active: reopens the data files and shows
  // the card named SelectedCardName (the last card when no card has that
  // name) or, with no name, the first card. Throws IoError.
  void FormActivate();

  // Navigation and search; they throw IoError when the file cannot be read.
  void FirstButtonClick();
  void PreviousButtonClick();
  void NextButtonClick();
  void LastButtonClick();
  // Finds the first card in file order whose name begins with the search
  // text, both compared lower-cased (A-Z) and trimmed.
  void SearchButtonClick(std::string_view searchText);
  // Hands the name on display back as SelectedCardName and returns it.
  const std::string& DoneButtonClick();

  const ReaderView& view() const { return view_; }

 private:
  void Read(std::int32_t index);
  std::int32_t Count();
  void ShowCard();

  CardDatabase& db_;
  std::string& selectedCardName_;
  ReaderHost& host_;
  ReaderView view_;
  std::shared_ptr<const CardIndex> index_;  // null: read from the file
  bool textAvailable_ = false;              // CardText.Dat was there at the last activation
};

// The key of Find Card, and the test it applies to a card's name.
std::string SearchKey(std::string_view text);
bool MatchesSearchKey(std::string_view cardName, std::string_view key);

}  // namespace quillet
