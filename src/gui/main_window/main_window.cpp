#include "gui/main_window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>
#include <QUrl>
#include <exception>

#include "core/analysis/card_list_heading.h"
#include "core/card_data/paths.h"
#include "gui/main_window/card_list_box.h"
#include "gui/main_window/card_list_hint.h"
#include "gui/main_window/elided_label.h"
#include "gui/main_window/figure_field.h"
#include "gui/main_window/report_actions.h"
#include "gui/main_window/shown_text.h"
#include "gui/platform/card_text_codec.h"
#include "gui/platform/centring.h"
#include "gui/platform/goal_action.h"

namespace quillet {

namespace {

QStringList ShownLines(const std::vector<std::string>& lines) {
  QStringList shown;
  shown.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) shown << FromCardBytes(line);
  return shown;
}

QStringList ListLines(const QListWidget& list) {
  QStringList lines;
  for (int row = 0; row < list.count(); ++row) lines << list.item(row)->text();
  return lines;
}

}  // namespace

MainWindow::MainWindow(DeckDocument& document, Platform& platform, QWidget* parent)
    : QMainWindow(parent), document_(document), platform_(platform), view_(document.view()) {
  setObjectName(QStringLiteral("MasterForm"));
  setWindowTitle(QStringLiteral("Orvane Deck Analyzer"));
  buildControls();
  panels_.clear();
  countPanels_.clear();
  setAcceptDrops(true);
  watcher_ = platform_.newFileWatcher();
  watcher_->changed = [this] { reloadIfChanged(); };
  // First of all that follow the deck: the panels read what the window
  // shows (its list, its choices).
  connect(&document_, &DeckDocument::changed, this, &MainWindow::followDocument);
  showRecentDecks();
  startUp();
}

MainWindow::~MainWindow() {
  // The application outlives the window, and the focus moves while the
  // window's children go: no notice may reach the window half destroyed.
  disconnect(focusWatch_);
}

FigureField* MainWindow::field(std::string_view name) const {
  const auto it = fields_.find(name);
  return it == fields_.end() ? nullptr : it->second;
}

void MainWindow::run(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    platform_.showMessage(this, ShownMessage(error.what()));
  }
}

void MainWindow::startUp() {
  centreOnScreen();
  const bool haveDataFile = document_.db().CardStatExists();
  saveDialogFileName_ = ShownPath(view_.ProposedFileName());
  showModel();
  AnalyzeButton->setFocus();
  if (!haveDataFile) {
    platform_.showMessage(this, QStringLiteral("You must create a data file to use this program"));
    setDeckCommandsEnabled(false);
  }
}

void MainWindow::centreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  const QSize outer = frameGeometry().size();
  move(area.x() + CentredOffset(area.width(), outer.width()),
       area.y() + CentredOffset(area.height(), outer.height()));
}

void MainWindow::setDeckCommandsEnabled(bool enabled) {
  for (QWidget* button : {ReaderButton, SaveButton, AnalyzeButton}) button->setEnabled(enabled);
  for (QAction* item : {SaveList1, NewDeck1, Open1, CardStats1}) item->setEnabled(enabled);
  OpenRecent1->setEnabled(enabled && !recent_.Paths().empty());
  Reload1->setEnabled(enabled && !document_.path().empty());
}

void MainWindow::compareWithDeck() const {
  if (compareWith) compareWith();
}

void MainWindow::showModel() {
  // Only an analysed deck can be compared with another.
  CompareWith1->setEnabled(!view_.DName().empty());
  const bool showZero = view_.ShowZero();
  for (const auto& [name, field] : fields_) {
    field->setShowZero(showZero);
    field->setValue(view_.FieldValue(name));
    field->setToolTip(FromCardBytes(view_.FieldHint(name)));
  }
  // Long names show from their start, as they are read.
  DName->setText(ShownPath(view_.DName()));
  DName->setCursorPosition(0);
  HQType->setText(FromCardBytes(view_.HQType()));
  HQType->setCursorPosition(0);
  {
    const QSignalBlocker quiet(AssetSwitch);
    AssetSwitch->setChecked(view_.AssetSwitch());
  }
  {
    const QSignalBlocker quiet(CostBox);
    const QStringList items = ShownLines(view_.CostBoxItems());
    QStringList shownItems;
    for (int i = 0; i < CostBox->count(); ++i) shownItems << CostBox->itemText(i);
    if (shownItems != items) {
      CostBox->clear();
      CostBox->addItems(items);
    }
    CostBox->setCurrentIndex(CostBox->findText(FromCardBytes(view_.CostBoxText())));
  }
  const QStringList problems = ShownLines(view_.ProblemBox());
  if (ListLines(*ProblemBox) != problems) {
    ProblemBox->clear();
    ProblemBox->addItems(problems);
  }
  // Rebuilding an unchanged card list would drop the user's selection.
  for (QAction* item : {ExportReport1, Print1}) item->setEnabled(!view_.DName().empty());
  const QStringList lines = ShownLines(view_.CardList());
  if (CardList->lines() != lines) CardList->setLines(lines);
  const QString heading = FromCardBytes(CardListHeading(view_));
  ListHeading->showText(heading);
  CardList->setAccessibleDescription(heading);
}

std::optional<int> MainWindow::selectedLine() const {
  const int row = CardList->selectedRow();
  if (row < 0) return std::nullopt;
  return row;
}

void MainWindow::openDeck() {
  openWith(std::nullopt);
}

void MainWindow::followDocument() {
  // A new analysis shows a new list even when its lines are the same.
  CardList->setLines({});
  if (!view_.DName().empty()) saveDialogFileName_ = ShownPath(view_.ProposedFileName());
  SaveButton->setEnabled(view_.SaveEnabled());
  showModel();
}

void MainWindow::openWith(std::optional<std::string> path) {
  run([this, &path] {
    if (!document_.open(this, std::move(path))) {
      showModel();
      return;
    }
    reloadBroken_ = false;
    trackOpenDeck(document_.path());
  });
}

void MainWindow::trackOpenDeck(const std::string& path) {
  // Only a deck analysed without failure is watched and remembered; after a
  // failed open no deck is open.
  watcher_->watch(ShownPath(path));
  analysedPrint_ = path.empty() ? std::nullopt : FingerprintFile(path);
  Reload1->setEnabled(!path.empty());
  if (path.empty() || !recent_.Add(path)) return;
  saveRecentDecksQuietly();
  showRecentDecks();
}

void MainWindow::openDeckFile(const QString& path) {
  if (!Open1->isEnabled() || path.isEmpty()) return;
  openWith(PathBytes(QFileInfo(path).absoluteFilePath()));
}

void MainWindow::newDeck() {
  if (!NewDeck1->isEnabled()) return;
  std::optional<QString> path;
  run([this, &path] {
    FileDialogOptions options;
    options.title = QStringLiteral("New Deck");
    options.fileName = QStringLiteral("New Deck.txt");
    options.filter = QStringLiteral("Text Files|*.txt");
    options.defaultSuffix = QStringLiteral("txt");
    path = platform_.getSaveFileName(this, options);
    if (!path || path->isEmpty()) return;
    *path = QFileInfo(*path).absoluteFilePath();
    // Written by the editor, so its history starts with the new file.
    document_.editor().Create(PathBytes(*path));
  });
  // Opened as a deck given by its path is: analysed, watched, remembered.
  if (path && !path->isEmpty() && document_.editor().Path() == PathBytes(*path))
    openDeckFile(*path);
}

void MainWindow::useEditActions(QAction* undo, QAction* redo) {
  QAction* first = Edit1->actions().value(0);
  Edit1->insertAction(first, undo);
  Edit1->insertAction(first, redo);
  Edit1->insertSeparator(first)->setObjectName(QStringLiteral("N4"));
}

void MainWindow::useNameActions(QAction* import, QAction* paste, QAction* fix, QAction* copyList) {
  findChild<QMenu*>(QStringLiteral("File1"))->insertAction(Reload1, import);
  Edit1->addAction(copyList);
  Edit1->addAction(paste);
  Edit1->addSeparator()->setObjectName(QStringLiteral("N5"));
  Edit1->addAction(fix);
}

void MainWindow::openFromCommandLine(const QStringList& arguments) {
  if (arguments.size() < 2) return;
  const QString& path = arguments.at(1);
  QTimer::singleShot(0, this, [this, path] { openDeckFile(path); });
}

void MainWindow::openRecentDeck(const std::string& path) {
  if (!Open1->isEnabled()) return;
  if (!FileExists(path)) {
    recent_.Remove(path);
    saveRecentDecksQuietly();
    showRecentDecks();
    platform_.showMessage(this, QStringLiteral("The deck file '%1' no longer exists; it has been "
                                               "removed from the recent list.")
                                    .arg(ShownPath(path)));
    return;
  }
  openDeckFile(ShownPath(path));
}

void MainWindow::useConfigDir(std::string dir) {
  configDir_ = std::move(dir);
  recent_ = LoadRecentDecks(configDir_);
  showRecentDecks();
}

void MainWindow::saveRecentDecksQuietly() {
  // The list is a convenience, like the remembered deck folder: a settings
  // folder that cannot be written must not make opening a deck fail.
  try {
    SaveRecentDecks(configDir_, recent_);
  } catch (const std::exception&) {
  }
}

void MainWindow::showRecentDecks() {
  OpenRecent1->clear();
  int number = 0;
  for (const std::string& path : recent_.Paths()) {
    ++number;
    QString shown = ShownPath(path);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item = OpenRecent1->addAction(QStringLiteral("&%1 %2").arg(number).arg(shown));
    item->setObjectName(QStringLiteral("RecentDeck%1").arg(number));
    connect(item, &QAction::triggered, this, [this, path] { openRecentDeck(path); });
  }
  OpenRecent1->setEnabled(Open1->isEnabled() && !recent_.Paths().empty());
}

void MainWindow::reloadDeck() {
  if (document_.path().empty() || !Open1->isEnabled()) return;
  reloading_ = true;
  // A deck saved broken is reported once; while it stays broken, each new
  // save of it fails quietly (an editor saving a half-typed deck again and
  // again must not stack boxes), and the first good save ends the stretch.
  const bool stillBroken = reloadBroken_;
  const auto reload = [this, stillBroken] {
    // Taken before the reading, so a save during the analysis still differs.
    analysedPrint_ = FingerprintFile(document_.path());
    if (document_.reload(this, stillBroken).listReopened) emit listShown();
  };
  if (stillBroken) {
    try {
      reload();
    } catch (const std::exception&) {
      // Part of the stretch already reported.
    }
  } else {
    run(reload);
  }
  reloadBroken_ = view_.DName().empty();
  reloading_ = false;
}

void MainWindow::reloadIfChanged() {
  // Notices that come while a reload waits on its message box are answered
  // once it is closed, by the same content check.
  if (reloading_) {
    changedWhileReloading_ = true;
    return;
  }
  do {
    changedWhileReloading_ = false;
    // A file briefly missing (between an editor's delete and write) or
    // holding what was last analysed, broken or not, brings nothing new.
    const std::string& path = document_.path();
    const std::optional<FileFingerprint> print = FingerprintFile(path);
    if (!path.empty() && print && print != analysedPrint_) reloadDeck();
  } while (changedWhileReloading_);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (Open1->isEnabled() && !urls.isEmpty() && urls.front().isLocalFile()) {
    event->acceptProposedAction();
  }
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  const QString path = urls.front().toLocalFile();
  // The drag's source waits until the drop returns; the deck opens after it.
  QTimer::singleShot(0, this, [this, path] { openDeckFile(path); });
}

void MainWindow::applyAssetSwitch() {
  run([this] {
    view_.SetAssetSwitch(AssetSwitch->isChecked());
    showModel();
    emit switchesChanged();
  });
}

void MainWindow::selectCostKind(const QString& item) {
  run([this, &item] {
    view_.SelectCostKind(item.toLatin1().toStdString());
    showModel();
    emit switchesChanged();
  });
}

void MainWindow::showFieldList(std::string_view name) {
  showList([name](MainView& view, CardDatabase& db) { return view.DrillDown(name, db); });
}

void MainWindow::showList(const std::function<bool(MainView&, CardDatabase&)>& show) {
  run([this, &show] {
    if (!show(view_, document_.db())) return;
    CardList->setLines({});
    saveDialogFileName_ = ShownPath(view_.ProposedFileName());
    showModel();
    emit listShown();
  });
}

void MainWindow::saveList() {
  run([this] {
    FileDialogOptions options;
    options.fileName = saveDialogFileName_;
    options.filter = QStringLiteral("Text Files|*.txt");
    options.defaultSuffix = QStringLiteral("txt");
    const std::optional<QString> path = platform_.getSaveFileName(this, options);
    if (!path || path->isEmpty()) return;
    saveDialogFileName_ = *path;
    view_.SaveList(PathBytes(*path));
  });
}

void MainWindow::selectCardLine() {
  run([this] {
    const std::optional<int> line = selectedLine();
    if (!line) return;
    view_.CardListClick(*line, document_.db());
    showModel();
    emit cardLineSelected(*line);
  });
}

void MainWindow::showCardStats() {
  run([this] {
    if (auto name = view_.CardToRead(selectedLine())) {
      document_.session().SelectedCardName = std::move(*name);
    }
    if (showReader) showReader();
  });
}

void MainWindow::selectCardLineAt(const QPoint& position) {
  QListWidgetItem* line =
      CardList->viewport()->rect().contains(position) ? CardList->itemAt(position) : nullptr;
  const std::optional<int> before = selectedLine();
  CardList->selectQuietly(line != nullptr ? CardList->row(line) : -1);
  // The right button selects without the chance display, as the form always
  // did, but the card it selected is the one the Card panel shows.
  if (line != nullptr && selectedLine() != before) emit cardLineMarked(*selectedLine());
  const bool canCopy = CardList->count() > 0 && selectedLine().has_value();
  PopUpCopy->setEnabled(canCopy);
  PopUpAddToGoal->refresh();
  Copy2->setEnabled(canCopy);
}

void MainWindow::showCardLineHint(const QPoint& position) {
  QListWidgetItem* line = CardList->itemAt(position);
  if (CardList->count() == 0 || line == nullptr) return;
  CardListName->setText(line->text());
  const int width = CardListName->sizeHint().width();
  const int visibleLines = CardList->viewport()->height() / CardListBox::kItemHeight;
  const bool needsHint =
      CardLineNeedsHint(CardList->count(), width, CardList->width(), visibleLines);
  CardList->setToolTip(needsHint ? line->text() : QString());
}

void MainWindow::copyCard() {
  run([this] { platform_.setClipboardText(FromCardBytes(view_.CopyText(selectedLine()))); });
}

void MainWindow::updateCardData() {
  run([this] {
    if (!runUpdater || !runUpdater()) return;
    if (!document_.db().CardStatExists()) return;
    setDeckCommandsEnabled(true);
  });
}

void MainWindow::closeWindow() {
  close();
}

void MainWindow::exitProgram() {
  close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  // The program is its main window: closing it ends the program with every
  // window it opened. A tool window left behind would keep the process
  // alive and could still edit the deck nobody sees any more.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != this && window->isVisible()) window->close();
  }
  QCoreApplication::quit();
}

void MainWindow::showAboutBox() const {
  if (showAbout) showAbout();
}

void MainWindow::showHelp() {
  platform_.showHelp(this, QStringLiteral("IDH_110"));
}

void MainWindow::openUtilitiesHomePage() {
  platform_.openUrl(kUtilitiesHomePage);
}

void MainWindow::openOrvaneHomePage() {
  platform_.openUrl(kOrvaneHomePage);
}

void MainWindow::openCharts() {
  run([this] {
    if (showCharts) showCharts();
  });
}

void MainWindow::exportReport() {
  run([this] { ExportDeckReport(this, platform_, view_); });
}

void MainWindow::printReport() {
  run([this] { PrintDeckReport(this, platform_, view_); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != DName && watched != HQType) return QMainWindow::eventFilter(watched, event);
  const std::string_view name = watched == DName ? "DName" : "HQType";
  if (event->type() == QEvent::MouseButtonDblClick) showFieldList(name);
  if (event->type() == QEvent::KeyPress) {
    // Enter or Space opens the list, as on a figure.
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
      showFieldList(name);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace quillet
