// What the windows of one run share besides the open deck: the card
// database, with the working card and lookup cache, and the card the card
// reader opens on. The application owns one Session; tests make fresh ones.
#pragma once

#include <string>
#include <utility>

#include "core/card_data/card_database.h"

namespace quillet {

struct Session {
  explicit Session(std::string programDir) : db(std::move(programDir)) {}

  CardDatabase db;
  std::string SelectedCardName;  // the card the reader opens on; empty: the first card
};

}  // namespace quillet
