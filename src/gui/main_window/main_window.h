// MainWindow: the program's main window. It is a view of the open deck
// (DeckDocument) through its MainView: every handler runs one view
// operation and then shows the whole view again (showModel), so the window
// holds no analysis of its own, only its controls.
// The controls carry their component names as objectName, and the integer
// fields are built from one table (field_places.h) in one loop. The shell
// wires the other windows in through the three hooks below.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core/settings/file_fingerprint.h"
#include "core/settings/recent_decks.h"
#include "gui/main_window/deck_document.h"
#include "gui/main_window/figure_field.h"
#include "gui/platform/platform.h"

class QAction;
class QCheckBox;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QComboBox;
class QFrame;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QScrollArea;

namespace quillet {

class CardListBox;
class GoalAction;
class ElidedLabel;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(DeckDocument& document, Platform& platform, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Set by the shell. runUpdater shows the updater dialog modally and returns
  // true when it closed with OK; showReader shows the card reader without
  // waiting and raises it; showAbout shows the about box modally.
  std::function<bool()> runUpdater;
  std::function<void()> showReader;
  std::function<void()> showAbout;
  // The Tools menu's Draw Odds and Sample Hand: show the window without
  // waiting and raise it.
  std::function<void()> showDrawOdds;
  std::function<void()> showSampleHand;
  // Set by the shell: File > Compare With... (enabled while a deck is open).
  std::function<void()> compareWith;
  // Set by the shell: shows the card browser (Tools > Card Browser).
  std::function<void()> showBrowser;
  // Shows the charts window without waiting; set by the shell, which makes
  // the window on first use.
  std::function<void()> showCharts;

  DeckDocument& document() { return document_; }
  MainView& view() { return view_; }
  FigureField* field(std::string_view name) const;

  // Where the recent decks are kept (config_dir.h); loads the list from it.
  // Until this is called, and with an empty folder, the list is not kept.
  void useConfigDir(std::string dir);
  const RecentDecks& recentDecks() const { return recent_; }

  // Opens the deck at `path` by the Open dialog's sequence and messages,
  // without the dialog. Nothing happens while the deck commands are off (no
  // card data file).
  void openDeckFile(const QString& path);
  // Opens the deck named by the first argument after the program's name,
  // once the event loop runs, so the window is up before any message.
  void openFromCommandLine(const QStringList& arguments);
  // Opens a deck of the recent list; one that no longer exists leaves the
  // list with a message saying so.
  void openRecentDeck(const std::string& path);
  // Puts the shared Undo and Redo actions of the deck edits at the top of
  // the Edit menu (the application's DeckEditActions).
  void useEditActions(QAction* undo, QAction* redo);
  // Puts the list actions in the menus: Import Deck in the File menu, the
  // others at the end of the Edit menu (the application's DeckNamesActions).
  void useNameActions(QAction* import, QAction* paste, QAction* fix, QAction* copyList);
  // File > New Deck...: asks for a file name, writes an empty deck there and
  // opens it as any deck is opened.
  void newDeck();
  // Analyses the open deck again, keeping the cost kind, the switch and the
  // shown list (DeckDocument::reload). The window calls it when the deck's
  // file changes; F5 calls it at any time.
  void reloadDeck();
  // Analyses the open deck again when its file no longer holds what was last
  // analysed: on the watcher's notices, and after the deck was edited here
  // (so the edit's own notice that follows finds nothing new).
  void reloadIfChanged();
  // The deck being watched and reloaded (DeckDocument::path).
  const std::string& openDeckPath() const { return document_.path(); }

  // The handlers, public so the shell and the tests can drive them as the
  // controls do.
  void openDeck();
  void applyAssetSwitch();
  void selectCostKind(const QString& item);
  void showFieldList(std::string_view name);  // also a single click on TopDeckAmount
  void saveList();
  void selectCardLine();
  void showCardStats();
  void selectCardLineAt(const QPoint& position);
  void showCardLineHint(const QPoint& position);
  void copyCard();
  void updateCardData();
  void closeWindow();
  void exitProgram();
  void compareWithDeck() const;
  void showAboutBox() const;
  void showHelp();
  void openUtilitiesHomePage();
  void openOrvaneHomePage();
  void openCharts();
  void exportReport();
  void printReport();
  // Runs `show`, which fills the view's card list with a list of its own (a
  // chart's bar), and shows the list as a figure's list is shown. Does
  // nothing when `show` returns false.
  void showList(const std::function<bool(MainView&, CardDatabase&)>& show);

 signals:
  // For the windows that follow the main window's choices (they follow the
  // deck itself through DeckDocument::changed). listShown after a figure's
  // list replaced the card list (view().ShownList() names the figure);
  // cardLineSelected after a click on a card list line.
  void listShown();
  void cardLineSelected(int line);
  // After the right button selected a line (without its chance).
  void cardLineMarked(int line);
  // After the asset switch or the cost kind changed the figures on display.
  void switchesChanged();
  // "Add to Goal" on a figure that opens a list (`card` false, its
  // component name) or on a card list line (`card` true, the card's name).
  void addToGoal(bool card, const QByteArray& name);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void buildControls();
  QWidget* buildClient();
  QLayout* buildTopStrip(QWidget* client);
  QWidget* buildTypes(QWidget* client);
  QWidget* buildTotal(QWidget* client);
  QWidget* buildDomains(QWidget* client);
  QWidget* buildFigures(QWidget* client);
  QLayout* buildCardList(QWidget* client);
  QLayout* buildButtons(QWidget* client);
  void buildCardListMenu();
  void buildMenus();
  void buildFields();
  // Tab order, arrow keys and keeping the focus in sight (main_window_keys.cpp).
  void buildKeyboard();
  void stepField(const FigureField& from, FigureField::Step step) const;
  void keepInSight(QWidget* control);
  QMetaObject::Connection focusWatch_;  // keepInSight's, cut before the window goes
  // Runs a user action; a failure it raises is shown in a message box.
  void run(const std::function<void()>& action);

  void startUp();
  void centreOnScreen();
  void showModel();
  void setDeckCommandsEnabled(bool enabled);
  // The open-deck sequence shared by the dialog (nullopt) and every
  // path-given open.
  void openWith(std::optional<std::string> path);
  // Shows each analysis of the open deck (DeckDocument::changed).
  void followDocument();
  void trackOpenDeck(const std::string& path);
  void showRecentDecks();
  void saveRecentDecksQuietly();
  std::optional<int> selectedLine() const;

  DeckDocument& document_;
  Platform& platform_;
  MainView& view_;              // document_'s
  QString saveDialogFileName_;  // SaveDialog1's file name
  std::string configDir_;
  RecentDecks recent_;
  std::unique_ptr<FileWatcher> watcher_;
  // The content the last analysis of the open deck read; a notice that brings
  // the same content again (above all a broken file) is not analysed again.
  std::optional<FileFingerprint> analysedPrint_;
  bool reloading_ = false;
  bool changedWhileReloading_ = false;
  // The last reload found the open deck broken and said so.
  bool reloadBroken_ = false;

  std::map<std::string, FigureField*, std::less<>> fields_;
  // While the window is built, by FieldGroup: the panel that lays out a
  // group's figures, and a type row's cell for the type's own count.
  std::map<int, QWidget*> panels_;
  std::map<int, QWidget*> countPanels_;
  QWidget* figuresBox_ = nullptr;
  QLineEdit* DName = nullptr;
  QLineEdit* HQType = nullptr;
  QCheckBox* AssetSwitch = nullptr;
  QComboBox* CostBox = nullptr;
  QListWidget* ProblemBox = nullptr;
  CardListBox* CardList = nullptr;
  QLabel* CardListName = nullptr;
  ElidedLabel* ListHeading = nullptr;
  QPushButton* AnalyzeButton = nullptr;
  QPushButton* SaveButton = nullptr;
  QPushButton* ReaderButton = nullptr;
  QPushButton* CloseButton = nullptr;
  QScrollArea* AssetScroller = nullptr;
  QScrollArea* EnhanceScroller = nullptr;
  QScrollArea* DomainScroller = nullptr;
  QMenu* CardListMenu = nullptr;
  QAction* NewDeck1 = nullptr;
  QAction* Open1 = nullptr;
  QMenu* OpenRecent1 = nullptr;
  QAction* Reload1 = nullptr;
  QAction* SaveList1 = nullptr;
  QAction* CompareWith1 = nullptr;
  QAction* CardStats1 = nullptr;
  QMenu* Edit1 = nullptr;
  QAction* Copy2 = nullptr;
  QAction* PopUpCopy = nullptr;
  GoalAction* PopUpAddToGoal = nullptr;
  QMenu* FieldMenu = nullptr;
  std::string menuField_;  // the figure the field menu was opened on
  QAction* ExportReport1 = nullptr;
  QAction* Print1 = nullptr;
};

}  // namespace quillet
