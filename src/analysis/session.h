// The program's shared state for one run: the card database with the working
// card and lookup cache, the analysed deck, its statistics and the card name
// that the main window hands to the card reader. The application owns one
// Session and hands it to every window; tests make fresh ones.
#pragma once

#include <string>
#include <utility>

#include "analysis/deck_list.h"
#include "analysis/deck_stats.h"
#include "card_data/card_database.h"

namespace quillet {

struct Session {
  explicit Session(std::string programDir) : db(std::move(programDir)) {}

  CardDatabase db;
  DeckState deck;  // DeckList, DeckCount, CardCount, DeckFileName
  TDeckStats stats;
  std::string SelectedCardName;  // the card the reader opens on; empty: the first card
};

}  // namespace quillet
