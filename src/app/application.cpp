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
      edits(session, platform),
      names(session, platform, edits),
      master(session, platform),
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
    if (updated && workspace.Panel(QString::fromLatin1(kBrowser))->HasContent()) {
      browser().DatabaseUpdated();
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

  // Editing the open deck: the history follows the main window's open file
  // (before any panel hears of the analysis, so their buttons see the new
  // state), and every change to the file is analysed again at once.
  QObject::connect(&master, &TMasterForm::deckAnalysed, &edits, [this] {
    edits.FollowDeck(master.OpenDeckPath(), !master.model().DName().empty());
  });
  QObject::connect(&edits, &DeckEditActions::deckEdited, &master, &TMasterForm::DeckFileChanged);
  master.UseEditActions(edits.undoAction(), edits.redoAction());
  // An imported list becomes a deck file, opened as any other.
  names.openDeck = [this](const QString& path) { master.OpenDeckFile(path); };
  master.UseNameActions(names.importAction(), names.pasteAction(), names.fixAction(),
                        names.copyListAction());

  AddPanels();
  // Until a configuration folder says otherwise, the arrangement a new user
  // gets.
  workspace.ResetLayout();
  master.resize(workspace.DefaultWindowSize());
  master.showDrawOdds = [this] { workspace.ShowPanel(QString::fromLatin1(kDrawOdds)); };
  master.showSampleHand = [this] { workspace.ShowPanel(QString::fromLatin1(kSampleHand)); };
  master.showBrowser = [this] {
    workspace.ShowPanel(QString::fromLatin1(kBrowser));
    browser().ShowBrowser();
  };
  master.showCharts = [this] { workspace.ShowPanel(QString::fromLatin1(kCharts)); };
  master.compareWith = [this] { compare().CompareWith(); };
  QObject::connect(&master, &TMasterForm::addToGoal, &master,
                   [this](bool card, const QByteArray& name) { AddToGoal(card, name); });
  // A line of the main window's card list is a pick like any other.
  QObject::connect(&master, &TMasterForm::cardLineSelected, &master, [this](int line) {
    const auto& entries = master.model().CardListEntries();
    if (line >= 0 && static_cast<std::size_t>(line) < entries.size()) {
      const std::string& name = entries[static_cast<std::size_t>(line)].Name;
      CardPicked(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
    }
  });
}

void Application::AddToGoal(bool card, const QByteArray& name) {
  workspace.ShowPanel(QString::fromLatin1(kDrawOdds));
  drawOdds().ShowGoal();
  drawOdds().goal().AddCondition({card, name.toStdString()});
}

void Application::CardPicked(const QByteArray& name) {
  pickedCard_ = name;
  PanelDock* panel = workspace.Panel(QString::fromLatin1(kCard));
  if (panel && panel->HasContent()) cardPanel().ShowCard(name);
}

void Application::AddPanels() {
  // The Tools menu keeps its items, which show a panel; the View menu's
  // items show and hide them, with the shortcuts.
  if (QAction* browserItem = master.findChild<QAction*>(QStringLiteral("CardBrowser1"))) {
    browserItem->setShortcut({});
  }
  const auto make = [this](QWidget* (Application::*maker)()) {
    return [this, maker] { return (this->*maker)(); };
  };
  const auto ctrlShift = [](Qt::Key key) { return Keys(Qt::CTRL | Qt::SHIFT | key); };
  workspace.Add({kDeck, QStringLiteral("D&eck"), ctrlShift(Qt::Key_D), true,
                 make(&Application::MakeDeckPanel)});
  workspace.Add({kCard, QStringLiteral("C&ard"), ctrlShift(Qt::Key_C), true,
                 make(&Application::MakeCardPanel), true});
  workspace.Add({kBrowser, QStringLiteral("Card &Browser"), Keys(Qt::CTRL | Qt::Key_B), false,
                 make(&Application::MakeBrowser)});
  workspace.Add({kDrawOdds, QStringLiteral("&Draw Odds"), ctrlShift(Qt::Key_O), false,
                 make(&Application::MakeDrawOdds)});
  workspace.Add({kSampleHand, QStringLiteral("&Sample Hand"), ctrlShift(Qt::Key_H), false,
                 make(&Application::MakeSampleHand)});
  workspace.Add({kCharts, QStringLiteral("&Charts"), Keys(Qt::CTRL | Qt::Key_G), false,
                 make(&Application::MakeCharts)},
                master.findChild<QAction*>(QStringLiteral("Charts1")));
  workspace.Add({kCompare, QStringLiteral("Co&mpare"), ctrlShift(Qt::Key_M), false,
                 make(&Application::MakeCompare)});
}

// Each panel's content is made on its first show; it hears of every analysis
// from then on and catches up with the one on display now.

QWidget* Application::MakeDeckPanel() {
  auto* panel = new DeckPanel(master.model(), platform_);
  panel->showReader = master.showReader;
  panel->UseEditActions(edits);
  FollowDeck(panel, &DeckPanel::FollowAnalysis);
  FollowCardPicks(panel);
  panel->FollowAnalysis();
  return panel;
}

QWidget* Application::MakeCardPanel() {
  auto* panel = new CardPanel(session);
  panel->showReader = master.showReader;
  panel->ShowCard(pickedCard_);
  return panel;
}

QWidget* Application::MakeBrowser() {
  auto* form = new TCardBrowserForm(session, platform_);
  form->showReader = master.showReader;
  form->UseEditActions(edits);
  FollowDeck(form, &TCardBrowserForm::DeckAnalysed);
  FollowCardPicks(form);
  form->DeckAnalysed();
  return form;
}

QWidget* Application::MakeDrawOdds() {
  auto* form = new TDrawOddsForm(master.model());
  FollowDeck(form, &TDrawOddsForm::FollowAnalysis);
  QObject::connect(&master, &TMasterForm::listShown, form, &TDrawOddsForm::FollowList);
  QObject::connect(&master, &TMasterForm::cardLineSelected, form, &TDrawOddsForm::FollowCardLine);
  // The goal's figures follow the asset switch and the cost kind.
  QObject::connect(&master, &TMasterForm::switchesChanged, form,
                   [form] { form->goal().FollowAnalysis(); });
  form->FollowAnalysis();
  return form;
}

QWidget* Application::MakeSampleHand() {
  auto* form = new TSampleHandForm(master.model());
  form->showReader = master.showReader;
  FollowDeck(form, &TSampleHandForm::FollowAnalysis);
  FollowCardPicks(form);
  form->FollowAnalysis();
  return form;
}

QWidget* Application::MakeCharts() {
  // The charts follow the main window by themselves.
  return new ChartsForm(master, platform_);
}

QWidget* Application::MakeCompare() {
  auto* form = new TCompareForm(master.model(), platform_, &master);
  // The comparison follows the open deck and the switches it is shown under.
  FollowDeck(form, &TCompareForm::Refresh);
  QObject::connect(&master, &TMasterForm::switchesChanged, form, &TCompareForm::Refresh);
  FollowCardPicks(form);
  form->Refresh();
  return form;
}

template <typename List>
void Application::FollowCardPicks(List* list) {
  QObject::connect(list, &List::cardSelected, &master,
                   [this](const QByteArray& name) { CardPicked(name); });
  QObject::connect(list, &List::addToGoal, &master,
                   [this](const QByteArray& name) { AddToGoal(true, name); });
}

template <typename Panel>
void Application::FollowDeck(Panel* panel, void (Panel::*follow)()) {
  QObject::connect(&master, &TMasterForm::deckAnalysed, panel, follow);
  // A failure empties every panel before its message shows.
  QObject::connect(&master, &TMasterForm::deckCleared, panel, follow);
}

template <typename Form>
Form& Application::Content(const char* panel) {
  return *static_cast<Form*>(workspace.Panel(QString::fromLatin1(panel))->Content());
}

TDrawOddsForm& Application::drawOdds() {
  return Content<TDrawOddsForm>(kDrawOdds);
}
TSampleHandForm& Application::sampleHand() {
  return Content<TSampleHandForm>(kSampleHand);
}
TCompareForm& Application::compare() {
  return Content<TCompareForm>(kCompare);
}
TCardBrowserForm& Application::browser() {
  return Content<TCardBrowserForm>(kBrowser);
}
ChartsForm& Application::charts() {
  return Content<ChartsForm>(kCharts);
}
DeckPanel& Application::deckPanel() {
  return Content<DeckPanel>(kDeck);
}
CardPanel& Application::cardPanel() {
  return Content<CardPanel>(kCard);
}

void Application::UseConfigDir(const std::string& dir) {
  master.UseConfigDir(dir);
  workspace.UseConfigDir(dir);
}

}  // namespace quillet
