// Building the main window: its client area (main_window_layout.cpp) in a
// scroller that lets docked panels take room from it, the menus and the card
// list's popup menu, and the window's least size. The handlers are in
// main_window.cpp.
#include <QAction>
#include <QKeySequence>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>

#include "gui/main_window/card_list_box.h"
#include "gui/main_window/main_window.h"
#include "gui/platform/goal_action.h"
#include "gui/platform/window_font.h"

namespace quillet {

namespace {

QAction* Item(QMenu* menu, const char* name, const QString& caption) {
  auto* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

void Separator(QMenu* menu, const char* name) {
  menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

}  // namespace

void MainWindow::buildControls() {
  setFont(WindowFont());
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("ClientScroller"));
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);
  scroll->setWidgetResizable(true);
  QWidget* client = buildClient();
  scroll->setWidget(client);
  setCentralWidget(scroll);
  buildCardListMenu();
  buildMenus();
  buildKeyboard();

  // The least size is the classic form's; the client scrolls only when
  // panels beside it leave it less than that.
  // Measured as shown: a control's size can change when it is polished.
  for (QWidget* control : client->findChildren<QWidget*>()) control->ensurePolished();
  client->layout()->invalidate();
  scroll->setMinimumSize(client->minimumSizeHint());
  const QSize least = minimumSizeHint();
  scroll->setMinimumSize(0, 0);
  setMinimumSize(least);
  resize(least);
}

void MainWindow::buildCardListMenu() {
  CardListMenu = new QMenu(this);
  CardListMenu->setObjectName(QStringLiteral("CardListMenu"));
  PopUpCopy = Item(CardListMenu, "PopUpCopy", QStringLiteral("Copy"));
  PopUpCopy->setEnabled(false);
  Separator(CardListMenu, "N3");
  auto* stats = Item(CardListMenu, "PopUpStats", QStringLiteral("Stats"));
  connect(PopUpCopy, &QAction::triggered, this, &MainWindow::copyCard);
  connect(stats, &QAction::triggered, this, &MainWindow::showCardStats);
  // The figures' menu: the figure is the one right-clicked last.
  FieldMenu = new QMenu(this);
  FieldMenu->setObjectName(QStringLiteral("FieldMenu"));
  auto* fieldToGoal = new GoalAction(
      QStringLiteral("FieldAddToGoal"),
      [this] {
        return view_.DName().empty() ? QByteArray() : QByteArray::fromStdString(menuField_);
      },
      [this](const QByteArray& figure) { emit addToGoal(false, figure); }, FieldMenu);
  FieldMenu->addAction(fieldToGoal);
  connect(FieldMenu, &QMenu::aboutToShow, fieldToGoal, &GoalAction::refresh);
  PopUpAddToGoal = new GoalAction(
      QStringLiteral("PopUpAddToGoal"),
      [this] {
        const auto line = selectedLine();
        const auto& entries = view_.CardListEntries();
        if (!line || *line < 0 || static_cast<std::size_t>(*line) >= entries.size())
          return QByteArray();
        const std::string& name = entries[static_cast<std::size_t>(*line)].Name;
        return QByteArray(name.data(), static_cast<qsizetype>(name.size()));
      },
      [this](const QByteArray& card) { emit addToGoal(true, card); }, CardListMenu);
  CardListMenu->addAction(PopUpAddToGoal);
}

void MainWindow::buildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  auto* file = bar->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("File1"));
  NewDeck1 = Item(file, "NewDeck1", QStringLiteral("&New Deck..."));
  NewDeck1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  Open1 = Item(file, "Open1", QStringLiteral("&Open Deck..."));
  Open1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  OpenRecent1 = file->addMenu(QStringLiteral("Open &Recent"));
  OpenRecent1->setObjectName(QStringLiteral("OpenRecent1"));
  OpenRecent1->menuAction()->setObjectName(QStringLiteral("OpenRecentItem1"));
  Reload1 = Item(file, "Reload1", QStringLiteral("Re&load Deck"));
  Reload1->setShortcut(QKeySequence(Qt::Key_F5));
  Reload1->setEnabled(false);
  CompareWith1 = Item(file, "CompareWith1", QStringLiteral("Compare &With..."));
  SaveList1 = Item(file, "SaveList1", QStringLiteral("&Save List..."));
  SaveList1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  CardStats1 = Item(file, "CardStats1", QStringLiteral("&Card Stats"));
  ExportReport1 = Item(file, "ExportReport1", QStringLiteral("&Export Report..."));
  Print1 = Item(file, "Print1", QStringLiteral("&Print..."));
  Print1->setShortcut(QKeySequence::Print);
  Separator(file, "N1");
  auto* exit = Item(file, "Exit1", QStringLiteral("E&xit"));
  exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  Edit1 = bar->addMenu(QStringLiteral("&Edit"));
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Copy2 = Item(Edit1, "Copy2", QStringLiteral("&Copy Card to Clipboard"));
  Copy2->setEnabled(false);
  auto* view = bar->addMenu(QStringLiteral("&View"));
  view->setObjectName(QStringLiteral("View1"));
  auto* charts = Item(view, "Charts1", QStringLiteral("&Charts"));
  charts->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  auto* tools = bar->addMenu(QStringLiteral("&Tools"));
  tools->setObjectName(QStringLiteral("Tools1"));
  auto* update = Item(tools, "UpdateCardDataFile1", QStringLiteral("&Update Card Data File"));
  auto* drawOdds = Item(tools, "DrawOdds1", QStringLiteral("&Draw Odds"));
  auto* sampleHand = Item(tools, "SampleHand1", QStringLiteral("&Sample Hand"));
  auto* browser = Item(tools, "CardBrowser1", QStringLiteral("Card &Browser"));
  browser->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
  auto* help = bar->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("Help1"));
  auto* helpTopic = Item(help, "Help2", QStringLiteral("Quillet &Help"));
  helpTopic->setShortcut(QKeySequence(Qt::Key_F1));
  auto* about = Item(help, "About1", QStringLiteral("&About"));
  Separator(help, "N2");
  auto* utilities = Item(help, "QuilletHomepage1", QStringLiteral("Orvane Utilities &Home Page"));
  auto* orvane = Item(help, "OrvaneHomePage1", QStringLiteral("&Orvane Home Page"));

  connect(NewDeck1, &QAction::triggered, this, &MainWindow::newDeck);
  connect(Open1, &QAction::triggered, this, &MainWindow::openDeck);
  connect(Reload1, &QAction::triggered, this, &MainWindow::reloadDeck);
  connect(CompareWith1, &QAction::triggered, this, &MainWindow::compareWithDeck);
  connect(SaveList1, &QAction::triggered, this, &MainWindow::saveList);
  connect(CardStats1, &QAction::triggered, this, &MainWindow::showCardStats);
  connect(exit, &QAction::triggered, this, &MainWindow::exitProgram);
  connect(ExportReport1, &QAction::triggered, this, &MainWindow::exportReport);
  connect(Print1, &QAction::triggered, this, &MainWindow::printReport);
  connect(charts, &QAction::triggered, this, &MainWindow::openCharts);
  connect(Copy2, &QAction::triggered, this, &MainWindow::copyCard);
  connect(update, &QAction::triggered, this, &MainWindow::updateCardData);
  connect(drawOdds, &QAction::triggered, this, [this] {
    if (showDrawOdds) showDrawOdds();
  });
  connect(sampleHand, &QAction::triggered, this, [this] {
    if (showSampleHand) showSampleHand();
  });
  connect(browser, &QAction::triggered, this, [this] {
    if (showBrowser) showBrowser();
  });
  connect(helpTopic, &QAction::triggered, this, &MainWindow::showHelp);
  connect(about, &QAction::triggered, this, &MainWindow::showAboutBox);
  connect(utilities, &QAction::triggered, this, &MainWindow::openUtilitiesHomePage);
  connect(orvane, &QAction::triggered, this, &MainWindow::openOrvaneHomePage);
}

}  // namespace quillet
