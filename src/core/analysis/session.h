// The program's shared state for one run: the card database with the working
// card and lookup cache, the analysed deck, its statistics and the card name
// that the main window hands to the card reader, and the editor of the open
// deck file with its undo history. The application owns one Session and
// hands it to every window; tests make fresh ones.
#pragma once

#include <string>
#include <utility>

#include "core/analysis/deck_list.h"
#include "core/analysis/deck_stats.h"
#include "core/card_data/card_database.h"
#include "core/deck_edit/deck_editor.h"

namespace quillet {

struct Session {
  explicit Session(std::string programDir) : db(std::move(programDir)) {}

  CardDatabase db;
  DeckState deck;  // DeckList, DeckCount, CardCount, DeckFileName
  TDeckStats stats;
  std::string SelectedCardName;  // the card the reader opens on; empty: the first card
  // The deck file the windows edit: the main window's open deck (follows it
  // whenever another file is opened), closed while none is open.
  DeckEditor editor;
};

}  // namespace quillet
