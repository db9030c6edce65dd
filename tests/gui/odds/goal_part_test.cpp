// The Draw Odds panel's Goal page inside the whole application, over the
// sample database and the sample Bion deck: conditions come from a figure's
// menu and the menus of the main card list, the Deck panel and the sample
// hand; the table agrees with
// the core cell by cell; a dealt check ends with the core's count for a fixed
// seed and can be cancelled midway; the goal outlives a re-analysis that
// takes its card away and is dropped by another deck.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "core/odds/draw_odds.h"
#include "core/odds/goal_deal.h"
#include "core/odds/goal_odds.h"
#include "gui/main_window/card_list_box.h"
#include "gui/main_window/figure_field.h"
#include "gui/odds/goal_part.h"
#include "support/panel_workspace.h"

using namespace quillet;
using quillet::test::PanelWorkspace;

namespace {

template <typename T>
T* In(QObject& parent, const char* name) {
  T* child = parent.findChild<T*>(QString::fromLatin1(name));
  if (!child) qFatal("no control %s", name);
  return child;
}

// "Add to Goal" from a figure's own menu, as a right-click opens it.
void AddFigure(PanelWorkspace& w, const char* component) {
  auto* field = In<FigureField>(w.app->master, component);
  emit field->customContextMenuRequested(QPoint(2, 2));
  auto* menu = In<QMenu>(w.app->master, "FieldMenu");
  In<QAction>(*menu, "FieldAddToGoal")->trigger();
  menu->close();
}

// Every cell of the goal table as the core computes it.
void CompareWithCore(PanelWorkspace& w) {
  GoalPart& part = w.app->drawOdds().goalPart();
  const auto rows =
      ResolveGoal(w.app->master.view().Analysis(), w.app->master.document().db(), part.conditions())
          .Table();
  auto* table = In<QTableWidget>(part, "GoalTable");
  QCOMPARE(table->columnCount(), static_cast<int>(part.conditions().size() + 1));
  QCOMPARE(table->rowCount(), static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (int c = 0; c < table->columnCount(); ++c) {
      const std::int32_t expected =
          c == 0 ? rows[r].Chance : rows[r].Each[static_cast<std::size_t>(c - 1)];
      QCOMPARE(table->item(static_cast<int>(r), c)->text(),
               QString::fromStdString(PerMilleText(expected)) + QStringLiteral(" %"));
    }
  }
}

}  // namespace

class GoalPartTest : public QObject {
  Q_OBJECT

 private slots:
  void keepableHandFromFiguresAgreesWithTheCore() {
    PanelWorkspace w;
    w.Open(PanelWorkspace::Sample("monastery-bion.txt"));
    AddFigure(w, "AssetAmount");
    AddFigure(w, "BaseAmount");
    GoalPart& part = w.app->drawOdds().goalPart();
    QVERIFY(part.isVisible());  // the panel and its Goal page came forward
    QCOMPARE(part.conditions().size(), std::size_t{2});
    QCOMPARE(part.conditions()[1].Group, (GoalGroup{false, "BaseAmount"}));
    QCOMPARE(In<QComboBox>(part, "GoalGroup2")->currentText(), QStringLiteral("Bases"));
    CompareWithCore(w);
    auto* table = In<QTableWidget>(part, "GoalTable");
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("1+ Assets"));
    // A changed k and a removed row recompute from the core again.
    In<QSpinBox>(part, "GoalCount1")->setValue(3);
    QCOMPARE(part.conditions()[0].AtLeast, 3);
    CompareWithCore(w);
    In<QToolButton>(part, "RemoveCondition1")->click();
    QCOMPARE(part.conditions().size(), std::size_t{1});
    QCOMPARE(In<QComboBox>(part, "GoalGroup1")->currentText(), QStringLiteral("Bases"));
    CompareWithCore(w);
  }

  void cardsFromTheCardListAndTheDeckPanel() {
    PanelWorkspace w;
    w.Open(PanelWorkspace::Sample("monastery-bion.txt"));
    // The main window's card list: the bases, its first line right-clicked.
    w.app->master.showFieldList("BaseAmount");
    auto* list = In<CardListBox>(w.app->master, "CardList");
    w.app->master.selectCardLineAt(list->visualItemRect(list->item(0)).center());
    auto* fromList = In<QAction>(w.app->master, "PopUpAddToGoal");
    QVERIFY(fromList->isEnabled());
    fromList->trigger();
    const std::string first = w.app->master.view().CardListEntries().front().Name;
    // The Deck panel: its first card below a heading.
    QTreeWidget* tree = In<QTreeWidget>(*w.deck, "DeckTree");
    QTreeWidgetItem* card = tree->topLevelItem(1)->child(0);
    tree->setCurrentItem(card);
    In<QAction>(*w.deck, "AddToGoal")->trigger();
    // The sample hand: its first card.
    auto* hand = In<QListWidget>(w.app->sampleHand(), "HandList");
    hand->setCurrentRow(0);
    In<QAction>(*hand, "AddToGoal")->trigger();
    const QString dealt = hand->item(0)->text();
    GoalPart& part = w.app->drawOdds().goalPart();
    QCOMPARE(part.conditions().size(), std::size_t{3});
    QVERIFY(part.conditions()[2].Group.IsCard);
    QVERIFY(dealt.contains(QString::fromStdString(part.conditions()[2].Group.Name)));
    QCOMPARE(part.conditions()[0].Group, (GoalGroup{true, first}));
    QCOMPARE(part.conditions()[1].Group.Name, w.deck->selectedNames().front());
    QVERIFY(part.conditions()[1].Group.IsCard);
    QCOMPARE(In<QComboBox>(part, "GoalGroup1")->currentText(), QString::fromStdString(first));
    CompareWithCore(w);
    // Four conditions at most: the fifth is refused and the button greys.
    QVERIFY(part.addCondition({false, "DName"}));
    QVERIFY(!In<QPushButton>(part, "AddConditionButton")->isEnabled());
    QVERIFY(!part.addCondition({false, "AssetAmount"}));
    QCOMPARE(part.conditions().size(), std::size_t{4});
  }

  // Every list and figure offers the same action, enabled only while it
  // points at a group: never before a deck is open, never on a heading.
  void everyAddToGoalIsOneActionWithOneRule() {
    PanelWorkspace w;
    auto* menu = In<QMenu>(w.app->master, "FieldMenu");
    auto* fromFigure = In<QAction>(*menu, "FieldAddToGoal");
    emit In<FigureField>(w.app->master, "AssetAmount")->customContextMenuRequested(QPoint(2, 2));
    QVERIFY(!fromFigure->isEnabled());
    menu->close();
    auto* fromDeck = In<QAction>(*w.deck, "AddToGoal");
    QVERIFY(!fromDeck->isEnabled());
    w.Open(PanelWorkspace::Sample("monastery-bion.txt"));
    emit In<FigureField>(w.app->master, "AssetAmount")->customContextMenuRequested(QPoint(2, 2));
    QVERIFY(fromFigure->isEnabled());
    menu->close();
    QTreeWidget* tree = In<QTreeWidget>(*w.deck, "DeckTree");
    tree->setCurrentItem(tree->topLevelItem(0));  // a heading names no card
    QVERIFY(!fromDeck->isEnabled());
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    QVERIFY(fromDeck->isEnabled());
    auto* hand = In<QListWidget>(w.app->sampleHand(), "HandList");
    hand->setCurrentRow(0);
    QList<QAction*> actions = {fromFigure, In<QAction>(w.app->master, "PopUpAddToGoal"), fromDeck,
                               In<QAction>(*hand, "AddToGoal"),
                               In<QAction>(w.app->browser(), "AddToGoal")};
    for (QAction* action : actions) QCOMPARE(action->text(), QStringLiteral("Add to &Goal"));
    QVERIFY(In<QAction>(*hand, "AddToGoal")->isEnabled());
  }

  void dealsHandsInSlicesAndCancels() {
    PanelWorkspace w;
    w.Open(PanelWorkspace::Sample("monastery-bion.txt"));
    AddFigure(w, "AssetAmount");
    AddFigure(w, "BaseAmount");
    GoalPart& part = w.app->drawOdds().goalPart();
    In<QLineEdit>(part, "DealSeed")->setText(QStringLiteral("18446744073709551610"));
    In<QSpinBox>(part, "DealTrials")->setValue(20000);
    In<QSpinBox>(part, "DealDraws")->setValue(2);
    In<QPushButton>(part, "DealButton")->click();
    QVERIFY(part.dealing());  // the click returned before the hands were dealt
    QTRY_VERIFY_WITH_TIMEOUT(!part.dealing(), 20000);
    const Goal goal = ResolveGoal(w.app->master.view().Analysis(), w.app->master.document().db(),
                                  part.conditions());
    // The seed wraps past 2^64 within the run.
    const std::uint64_t met = GoalDealer(goal, 10).CountMet(18446744073709551610ULL, 0, 20000);
    QCOMPARE(In<QLabel>(part, "DealResult")->text(),
             QString::fromStdString(DealtCheckText(met, 20000, goal.Row(10).Chance))
                 .replace(QStringLiteral(" %"), QStringLiteral("\u00A0%")));
    QCOMPARE(In<QProgressBar>(part, "DealProgress")->value(), 1000);

    // A long run shows progress between slices and stops when cancelled.
    In<QSpinBox>(part, "DealTrials")->setValue(10'000'000);
    In<QPushButton>(part, "DealButton")->click();
    auto* progress = In<QProgressBar>(part, "DealProgress");
    QTRY_VERIFY(progress->value() > 0);
    In<QPushButton>(part, "CancelDealButton")->click();
    QVERIFY(!part.dealing());
    QCOMPARE(progress->value(), 0);
    // What was dealt before the cancel, the percent signs kept with their
    // figures.
    const QString soFar = In<QLabel>(part, "DealResult")->text();
    QVERIFY2(soFar.contains(QStringLiteral(" dealt hands so far met the goal (")),
             qPrintable(soFar));
    QVERIFY(!soFar.contains(QStringLiteral(" %")));
    QVERIFY(In<QPushButton>(part, "DealButton")->isEnabled());
  }

  void goalFollowsReanalysesOfTheSameDeckOnly() {
    PanelWorkspace w;
    std::string deck = PanelWorkspace::Sample("monastery-bion.txt");
    w.Open(deck);
    AddFigure(w, "AssetAmount");
    GoalPart& part = w.app->drawOdds().goalPart();
    part.addCondition({true, "Hidden Cloister"});
    In<QSpinBox>(part, "GoalCount2")->setValue(2);
    // The deck loses its Hidden Cloisters and is analysed again.
    const std::string line = "3\tHidden Cloister\r\n";
    QVERIFY(deck.find(line) != std::string::npos);
    deck.erase(deck.find(line), line.size());
    w.dir.Write("deck.txt", deck);
    w.app->master.reloadDeck();
    QCOMPARE(part.conditions().size(), std::size_t{2});
    QCOMPARE(part.conditions()[1].AtLeast, 2);
    QCOMPARE(In<QComboBox>(part, "GoalGroup2")->currentText(), QStringLiteral("Hidden Cloister"));
    auto* table = In<QTableWidget>(part, "GoalTable");
    for (int r = 0; r < table->rowCount(); ++r) {
      QCOMPARE(table->item(r, 0)->text(), QStringLiteral("0.0 %"));
      QCOMPARE(table->item(r, 2)->text(), QStringLiteral("0.0 %"));
    }
    CompareWithCore(w);
    // "Count assets only" narrows a domain's figure to its assets: every
    // Monastery card, then only the Monastery assets.
    part.addCondition({false, "MonasAmount"});
    In<QSpinBox>(part, "GoalCount3")->setValue(2);
    QCOMPARE(table->item(0, 3)->text(), QStringLiteral("100.0 %"));
    In<QCheckBox>(w.app->master, "AssetSwitch")->click();
    QVERIFY(table->item(0, 3)->text() != QStringLiteral("100.0 %"));
    CompareWithCore(w);
    // Another deck starts with no goal.
    w.Open(PanelWorkspace::Sample("un-golani.txt"), "other.txt");
    QVERIFY(part.conditions().empty());
    QVERIFY(!In<QPushButton>(part, "DealButton")->isEnabled());
  }
};

QTEST_MAIN(GoalPartTest)
#include "goal_part_test.moc"
