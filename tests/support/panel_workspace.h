// The whole application over a database built from the sample card list,
// with its Deck and Card panels made: the Deck panel follows every analysis
// and edits through the shared history, and every list's picks show in the
// Card panel. Each panel counts the readers it asked for.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "app/application.h"
#include "core/import/card_data_update.h"
#include "gui/deck_view/deck_panel.h"
#include "gui/reader/card_panel.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

namespace quillet::test {

struct PanelWorkspace {
  PanelWorkspace() {
    {
      CardDatabase db(dir.path());
      UpdateCardData(db, QUILLET_SOURCE_DIR "/samples/cards.txt", UpdateOptions{});
    }
    app = std::make_unique<Application>(dir.path(), platform);
    deck = &app->deckPanel();
    card = &app->cardPanel();
    deck->showReader = [this] { ++deckReaders; };
    card->showReader = [this] { ++cardReaders; };
    app->master.show();
  }

  // Opens a copy of `bytes` as the user would; returns its path.
  std::string Open(const std::string& bytes, const char* name = "deck.txt") {
    const std::string path = dir.Write(name, bytes);
    platform.openAnswers.push_back(QString::fromStdString(path));
    app->master.openDeck();
    return path;
  }
  static std::string Sample(const char* deck) {
    return TempDir::Read(std::string(QUILLET_SOURCE_DIR "/samples/decks/") + deck);
  }

  TempDir dir;
  ScriptedPlatform platform;
  std::unique_ptr<Application> app;
  DeckPanel* deck = nullptr;
  CardPanel* card = nullptr;
  int deckReaders = 0;
  int cardReaders = 0;
};

}  // namespace quillet::test
