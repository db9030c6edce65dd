#include "app/application.h"

#include <QAction>

#include "gui/odds/goal_part.h"
#include "gui/platform/panel_dock.h"

namespace quillet {

namespace {

// The panels' component names, kept in the saved arrangement: renaming one
// loses where the user put it.
constexpr const char* kDrawOdds = "DrawOddsPanel";
constexpr const char* kSampleHand = "SampleHandPanel";
constexpr const char* kCompare = "ComparePanel";
constexpr const char* kBrowser = "CardBrowserPanel";
constexpr const char* kCharts = "ChartsPanel";
constexpr const char* kDeck = "DeckPanel";
constexpr const char* kCard = "CardPanel";

QKeySequence Keys(QKeyCombination key) {
  return QKeySequence(key);
}

}  // namespace

Application::Application(std::string dataDir, Platform& platform)
    : session(std::move(dataDir)),
      document(session, platform),
      edits(document, platform),
      names(document, platform, edits),
      master(document, platform),
      reader(session, platform),
      updater(session, platform),
      about(QString::fromLocal8Bit(session.db.ProgramDir())),
      workspace(master),
      platform_(platform) {
  // Every panel analyses the open deck again after an edit: one index of the
  // card file, kept for the run, serves them all.
  session.db.KeepIndex(true);
  master.runUpdater = [this] {
    const bool updated = updater.exec() == QDialog::Accepted;
    // The browser holds every card of the database; an update replaces them.
    if (updated && workspace.panel(QString::fromLatin1(kBrowser))->hasContent()) {
      browser().followDatabaseUpdate();
    }
    return updated;
  };
  master.showReader = [this] {
    // Not modal: the reader stays beside the main window. Showing an already
    // visible reader only brings it forward; its activation reloads the card.
    reader.showNormal();
    reader.raise();
    reader.activateWindow();
  };
  master.showAbout = [this] { about.exec(); };

  // Editing the open deck: the history follows the open deck by itself, and
  // every change to the file is analysed again at once.
  QObject::connect(&edits, &DeckEditActions::deckEdited, &master, &MainWindow::reloadIfChanged);
  master.useEditActions(edits.undoAction(), edits.redoAction());
  // An imported list becomes a deck file, opened as any other.
  names.openDeck = [this](const QString& path) { master.openDeckFile(path); };
  master.useNameActions(names.importAction(), names.pasteAction(), names.fixAction(),
                        names.copyListAction());
  // The card shown under a name just fixed is shown under its new name.
  QObject::connect(&names, &DeckNamesActions::cardRenamed, &master,
                   [this](const QByteArray& from, const QByteArray& to) {
                     if (pickedCard_ == from) showPickedCard(to);
                   });

  addPanels();
  // Until a configuration folder says otherwise, the arrangement a new user
  // gets.
  workspace.resetLayout();
  master.resize(workspace.defaultWindowSize());
  master.showDrawOdds = [this] { workspace.showPanel(QString::fromLatin1(kDrawOdds)); };
  master.showSampleHand = [this] { workspace.showPanel(QString::fromLatin1(kSampleHand)); };
  master.showBrowser = [this] {
    workspace.showPanel(QString::fromLatin1(kBrowser));
    browser().showBrowser();
  };
  master.showCharts = [this] { workspace.showPanel(QString::fromLatin1(kCharts)); };
  master.compareWith = [this] { compare().compareWith(); };
  QObject::connect(&master, &MainWindow::addToGoal, &master,
                   [this](bool card, const QByteArray& name) { addGoalCondition(card, name); });
  // A line of the main window's card list is a pick like any other, also
  // one the right button selected.
  const auto pickLine = [this](int line) {
    const auto& entries = document.view().CardListEntries();
    if (line >= 0 && static_cast<std::size_t>(line) < entries.size()) {
      const std::string& name = entries[static_cast<std::size_t>(line)].Name;
      showPickedCard(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
    }
  };
  QObject::connect(&master, &MainWindow::cardLineSelected, &master, pickLine);
  QObject::connect(&master, &MainWindow::cardLineMarked, &master, pickLine);
}

void Application::addGoalCondition(bool card, const QByteArray& name) {
  workspace.showPanel(QString::fromLatin1(kDrawOdds));
  drawOdds().showGoal();
  drawOdds().goalPart().addCondition({card, name.toStdString()});
}

void Application::showPickedCard(const QByteArray& name) {
  pickedCard_ = name;
  PanelDock* panel = workspace.panel(QString::fromLatin1(kCard));
  if (panel && panel->hasContent()) cardPanel().showCard(name);
}

void Application::addPanels() {
  // The Tools menu keeps its items, which show a panel; the View menu's
  // items show and hide them, with the shortcuts.
  if (QAction* browserItem = master.findChild<QAction*>(QStringLiteral("CardBrowser1"))) {
    browserItem->setShortcut({});
  }
  const auto make = [this](QWidget* (Application::*maker)()) {
    return [this, maker] { return (this->*maker)(); };
  };
  const auto ctrlShift = [](Qt::Key key) { return Keys(Qt::CTRL | Qt::SHIFT | key); };
  workspace.addPanel({kDeck, QStringLiteral("D&eck"), ctrlShift(Qt::Key_D), true,
                      make(&Application::makeDeckPanel)});
  workspace.addPanel({kCard, QStringLiteral("C&ard"), ctrlShift(Qt::Key_C), true,
                      make(&Application::makeCardPanel), true});
  workspace.addPanel({kBrowser, QStringLiteral("Card &Browser"), Keys(Qt::CTRL | Qt::Key_B), false,
                      make(&Application::makeBrowser)});
  workspace.addPanel({kDrawOdds, QStringLiteral("&Draw Odds"), ctrlShift(Qt::Key_O), false,
                      make(&Application::makeDrawOdds)});
  workspace.addPanel({kSampleHand, QStringLiteral("&Sample Hand"), ctrlShift(Qt::Key_H), false,
                      make(&Application::makeSampleHand)});
  workspace.addPanel({kCharts, QStringLiteral("&Charts"), Keys(Qt::CTRL | Qt::Key_G), false,
                      make(&Application::makeCharts)},
                     master.findChild<QAction*>(QStringLiteral("Charts1")));
  workspace.addPanel({kCompare, QStringLiteral("Co&mpare"), ctrlShift(Qt::Key_M), false,
                      make(&Application::makeCompare)});
}

// Each panel's content is made on its first show; it hears of every analysis
// from then on and catches up with the one on display now.

QWidget* Application::makeDeckPanel() {
  auto* panel = new DeckPanel(document, platform_);
  panel->showReader = master.showReader;
  panel->useEditActions(edits);
  followDeck(panel, &DeckPanel::followAnalysis);
  followCardPicks(panel);
  panel->followAnalysis();
  return panel;
}

QWidget* Application::makeCardPanel() {
  auto* panel = new CardPanel(session);
  panel->showReader = master.showReader;
  panel->showCard(pickedCard_);
  return panel;
}

QWidget* Application::makeBrowser() {
  auto* form = new CardBrowserPanel(document, platform_);
  form->showReader = master.showReader;
  form->useEditActions(edits);
  followDeck(form, &CardBrowserPanel::followAnalysis);
  followCardPicks(form);
  form->followAnalysis();
  return form;
}

QWidget* Application::makeDrawOdds() {
  auto* form = new DrawOddsPanel(document);
  followDeck(form, &DrawOddsPanel::followAnalysis);
  QObject::connect(&master, &MainWindow::listShown, form, &DrawOddsPanel::followList);
  QObject::connect(&master, &MainWindow::cardLineSelected, form, &DrawOddsPanel::followCardLine);
  // The goal's figures follow the asset switch and the cost kind.
  QObject::connect(&master, &MainWindow::switchesChanged, form,
                   [form] { form->goalPart().followAnalysis(); });
  form->followAnalysis();
  return form;
}

QWidget* Application::makeSampleHand() {
  auto* form = new SampleHandPanel(document);
  form->showReader = master.showReader;
  followDeck(form, &SampleHandPanel::followAnalysis);
  followCardPicks(form);
  form->followAnalysis();
  return form;
}

QWidget* Application::makeCharts() {
  // The charts follow the main window by themselves.
  return new ChartsPanel(master, platform_);
}

QWidget* Application::makeCompare() {
  auto* form = new ComparePanel(document, platform_, &master);
  // The comparison follows the open deck and the switches it is shown under.
  followDeck(form, &ComparePanel::refresh);
  QObject::connect(&master, &MainWindow::switchesChanged, form, &ComparePanel::refresh);
  followCardPicks(form);
  form->refresh();
  return form;
}

template <typename List>
void Application::followCardPicks(List* list) {
  QObject::connect(list, &List::cardSelected, &master,
                   [this](const QByteArray& name) { showPickedCard(name); });
  QObject::connect(list, &List::addToGoal, &master,
                   [this](const QByteArray& name) { addGoalCondition(true, name); });
}

template <typename Panel>
void Application::followDeck(Panel* panel, void (Panel::*follow)()) {
  // Before the analysis's messages: a failure empties every panel first.
  QObject::connect(&document, &DeckDocument::changed, panel, follow);
}

template <typename Form>
Form& Application::content(const char* panel) {
  return *static_cast<Form*>(workspace.panel(QString::fromLatin1(panel))->ensureContent());
}

DrawOddsPanel& Application::drawOdds() {
  return content<DrawOddsPanel>(kDrawOdds);
}
SampleHandPanel& Application::sampleHand() {
  return content<SampleHandPanel>(kSampleHand);
}
ComparePanel& Application::compare() {
  return content<ComparePanel>(kCompare);
}
CardBrowserPanel& Application::browser() {
  return content<CardBrowserPanel>(kBrowser);
}
ChartsPanel& Application::charts() {
  return content<ChartsPanel>(kCharts);
}
DeckPanel& Application::deckPanel() {
  return content<DeckPanel>(kDeck);
}
CardPanel& Application::cardPanel() {
  return content<CardPanel>(kCard);
}

void Application::useConfigDir(const std::string& dir) {
  master.useConfigDir(dir);
  workspace.useConfigDir(dir);
}

}  // namespace quillet
