// The Sample Hand window: deals a hand from the analysed deck as the game
// deals (top-deck cards first), shows it in draw order with the top-deck
// cards marked, and lets the user draw on, deal anew, or type a seed to deal
// that hand again (the same seed deals the same hand in quillet-cli hand).
// The whole pile is dealt at once by the core (DealPile); the window only
// shows how much of it has been drawn. Every card the user picks in the hand
// is announced by cardSelected.
#pragma once

#include <QByteArray>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/odds/sample_deal.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quillet {

class DeckDocument;
class RowPickWatch;

class SampleHandPanel : public QWidget {
  Q_OBJECT

 public:
  explicit SampleHandPanel(DeckDocument& deck, QWidget* parent = nullptr);

  // Set by the shell: shows the card reader on session().SelectedCardName.
  std::function<void()> showReader;
  // Where New Hand takes its seeds; tests may replace it.
  std::function<std::uint64_t()> newSeed = RandomSeed;

  // The handlers, public so the shell and the tests drive them as the
  // controls do.
  void followAnalysis();  // deals anew after an analysis, or clears on failure
  void dealNewHand();
  void drawCard();
  void dealFromSeed(const QString& text);
  void openCard();

 signals:
  // The user picked the card of this name (bytes of the card data).
  void cardSelected(const QByteArray& name);
  void addToGoal(const QByteArray& name);  // "Add to Goal" on a card of the hand

 private:
  void dealHand(std::uint64_t seed);
  void clear(const QString& notice);
  void showHand();

  DeckDocument& deck_;
  std::vector<DealtCard> dealt_;  // the whole pile in dealt order
  std::size_t shown_ = 0;         // the cards drawn so far
  QLineEdit* SeedEdit = nullptr;
  QListWidget* HandList = nullptr;
  QLabel* HandStatus = nullptr;
  QPushButton* DrawButton = nullptr;
  QPushButton* NewHandButton = nullptr;
  RowPickWatch* picks_ = nullptr;
};

}  // namespace quillet
