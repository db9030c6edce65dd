// ComparePanel: the open deck beside another deck. File > Compare With...
// asks for the other deck, analyses it in a session of its own (the main
// window's analysis stays untouched) and shows DeckComparison in four lists:
// the cards whose copies differ, the figures that differ, the problems of
// only one deck and the cards of each deck that were not found. The window
// follows the main window: a new analysis of the open deck or another asset
// switch or cost kind compares again, and a failed analysis empties it.
// Every card the user picks among the cards whose copies differ is announced
// by cardSelected.
#pragma once

#include <QByteArray>
#include <QWidget>
#include <memory>
#include <optional>

#include "core/analysis/deck_analysis.h"
#include "core/compare/deck_comparison.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace quillet {

class DeckDocument;
class Platform;
class RowPickWatch;

class ComparePanel : public QWidget {
  Q_OBJECT

 public:
  // `main` is the open deck; `owner` parents the dialogs.
  ComparePanel(DeckDocument& main, Platform& platform, QWidget* owner);
  ~ComparePanel() override;

  // Compare With...: asks for the other deck and shows the window. A
  // cancelled dialog changes nothing; a deck that is not valid is said so.
  void compareWith();
  // Compares again after the main window changed; empties the window when
  // the main window holds no deck.
  void refresh();
  // Copies the whole comparison as tab-separated text.
  void copyComparison();

  // The comparison on display; nullopt when there is none.
  const std::optional<DeckComparison>& comparison() const { return comparison_; }

 signals:
  // The user picked the card of this name (bytes of the card data).
  void cardSelected(const QByteArray& name);
  void addToGoal(const QByteArray& name);  // "Add to Goal" on a card's row

 protected:
  // Shown before any comparison, the panel says what it is for.
  void showEvent(QShowEvent* event) override;

 private:
  void buildControls();
  void showComparison();

  DeckDocument& main_;
  Platform& platform_;
  QWidget* owner_;
  AnalysisPtr other_;  // null until a deck was chosen
  std::optional<DeckComparison> comparison_;

  QLabel* DeckNames = nullptr;
  QLabel* Switches = nullptr;
  QTreeWidget* CardsBox = nullptr;
  QTreeWidget* FieldsBox = nullptr;
  QTreeWidget* ProblemsBox = nullptr;
  QTreeWidget* MissingBox = nullptr;
  QPushButton* CompareButton = nullptr;
  QPushButton* CopyButton = nullptr;
  QPushButton* CloseButton = nullptr;
  RowPickWatch* picks_ = nullptr;
};

}  // namespace quillet
