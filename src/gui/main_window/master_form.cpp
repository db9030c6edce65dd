#include "gui/main_window/master_form.h"

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
#include "gui/main_window/deck_host.h"
#include "gui/main_window/elided_label.h"
#include "gui/main_window/int_edit.h"
#include "gui/main_window/report_actions.h"
#include "gui/main_window/shown_text.h"
#include "gui/platform/card_text_codec.h"
#include "gui/platform/centring.h"

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

TMasterForm::TMasterForm(Session& session, Platform& platform, QWidget* parent)
    : QMainWindow(parent), session_(session), platform_(platform), model_(session) {
  setObjectName(QStringLiteral("MasterForm"));
  setWindowTitle(QStringLiteral("Orvane Deck Analyzer"));
  BuildControls();
  panels_.clear();
  countPanels_.clear();
  setAcceptDrops(true);
  watcher_ = platform_.NewFileWatcher();
  watcher_->changed = [this] { DeckFileChanged(); };
  ShowRecentDecks();
  FormCreate();
}

TMasterForm::~TMasterForm() {
  // The application outlives the window, and the focus moves while the
  // window's children go: no notice may reach the window half destroyed.
  disconnect(focusWatch_);
}

TIntEdit* TMasterForm::Field(std::string_view name) const {
  const auto it = fields_.find(name);
  return it == fields_.end() ? nullptr : it->second;
}

void TMasterForm::Run(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    platform_.ShowMessage(this, ShownMessage(error.what()));
  }
}

void TMasterForm::FormCreate() {
  CentreOnScreen();
  const bool haveDataFile = model_.Create();
  saveDialogFileName_ = ShownPath(model_.ProposedFileName());
  ShowModel();
  AnalyzeButton->setFocus();
  if (!haveDataFile) {
    platform_.ShowMessage(this, QStringLiteral("You must create a data file to use this program"));
    SetDeckCommandsEnabled(false);
  }
}

void TMasterForm::CentreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  const QSize outer = frameGeometry().size();
  move(area.x() + CentredOffset(area.width(), outer.width()),
       area.y() + CentredOffset(area.height(), outer.height()));
}

void TMasterForm::SetDeckCommandsEnabled(bool enabled) {
  for (QWidget* button : {ReaderButton, SaveButton, AnalyzeButton}) button->setEnabled(enabled);
  for (QAction* item : {SaveList1, NewDeck1, Open1, CardStats1}) item->setEnabled(enabled);
  OpenRecent1->setEnabled(enabled && !recent_.Paths().empty());
  Reload1->setEnabled(enabled && !openDeck_.empty());
}

void TMasterForm::CompareWith1Click() const {
  if (compareWith) compareWith();
}

void TMasterForm::ShowModel() {
  // Only an analysed deck can be compared with another.
  CompareWith1->setEnabled(!model_.DName().empty());
  const bool showZero = model_.ShowZero();
  for (const auto& [name, field] : fields_) {
    field->SetShowZero(showZero);
    field->SetValue(model_.FieldValue(name));
    field->setToolTip(FromCardBytes(model_.FieldHint(name)));
  }
  // Long names show from their start, as they are read.
  DName->setText(ShownPath(model_.DName()));
  DName->setCursorPosition(0);
  HQType->setText(FromCardBytes(model_.HQType()));
  HQType->setCursorPosition(0);
  {
    const QSignalBlocker quiet(AssetSwitch);
    AssetSwitch->setChecked(model_.AssetSwitch());
  }
  {
    const QSignalBlocker quiet(CostBox);
    const QStringList items = ShownLines(model_.CostBoxItems());
    QStringList shownItems;
    for (int i = 0; i < CostBox->count(); ++i) shownItems << CostBox->itemText(i);
    if (shownItems != items) {
      CostBox->clear();
      CostBox->addItems(items);
    }
    CostBox->setCurrentIndex(CostBox->findText(FromCardBytes(model_.CostBoxText())));
  }
  const QStringList problems = ShownLines(model_.ProblemBox());
  if (ListLines(*ProblemBox) != problems) {
    ProblemBox->clear();
    ProblemBox->addItems(problems);
  }
  // Rebuilding an unchanged card list would drop the user's selection.
  for (QAction* item : {ExportReport1, Print1}) item->setEnabled(!model_.DName().empty());
  const QStringList lines = ShownLines(model_.CardList());
  if (CardList->Lines() != lines) CardList->SetLines(lines);
  const QString heading = FromCardBytes(CardListHeading(model_));
  ListHeading->SetText(heading);
  CardList->setAccessibleDescription(heading);
}

std::optional<int> TMasterForm::SelectedLine() const {
  const int row = CardList->SelectedRow();
  if (row < 0) return std::nullopt;
  return row;
}

void TMasterForm::AnalyzeButtonClick() {
  PlatformDeckHost host(platform_, this);
  OpenWith(host);
}

void TMasterForm::ShowBeforeMessage(PlatformDeckHost& host) {
  host.beforeMessage = [this] {
    // A failed analysis has emptied the model by the time it says so; the
    // user reads the message over the emptied window, not the old deck.
    if (!model_.DName().empty()) return;
    CardList->SetLines({});
    SaveButton->setEnabled(model_.SaveEnabled());
    ShowModel();
    emit deckCleared();
  };
}

void TMasterForm::OpenWith(PlatformDeckHost& host) {
  Run([this, &host] {
    ShowBeforeMessage(host);
    model_.OpenDeck(host);
    if (host.Chosen()) reloadBroken_ = false;
    if (host.Chosen()) {
      // A new analysis shows a new list even when its lines are the same.
      CardList->SetLines({});
      if (!model_.DName().empty()) saveDialogFileName_ = ShownPath(model_.ProposedFileName());
      SaveButton->setEnabled(model_.SaveEnabled());
      TrackOpenDeck(model_.DName());
    }
    ShowModel();
    if (host.Chosen()) emit deckAnalysed();
  });
}

void TMasterForm::TrackOpenDeck(const std::string& path) {
  // Only a deck analysed without failure is watched and remembered; after a
  // failed open no deck is open.
  openDeck_ = path;
  watcher_->Watch(ShownPath(path));
  analysedPrint_ = path.empty() ? std::nullopt : FingerprintFile(path);
  Reload1->setEnabled(!path.empty());
  if (path.empty() || !recent_.Add(path)) return;
  SaveRecentDecksQuietly();
  ShowRecentDecks();
}

void TMasterForm::OpenDeckFile(const QString& path) {
  if (!Open1->isEnabled() || path.isEmpty()) return;
  PlatformDeckHost host(platform_, this);
  host.UsePath(PathBytes(QFileInfo(path).absoluteFilePath()));
  OpenWith(host);
}

void TMasterForm::NewDeck1Click() {
  if (!NewDeck1->isEnabled()) return;
  std::optional<QString> path;
  Run([this, &path] {
    FileDialogOptions options;
    options.title = QStringLiteral("New Deck");
    options.fileName = QStringLiteral("New Deck.txt");
    options.filter = QStringLiteral("Text Files|*.txt");
    options.defaultSuffix = QStringLiteral("txt");
    path = platform_.GetSaveFileName(this, options);
    if (!path || path->isEmpty()) return;
    *path = QFileInfo(*path).absoluteFilePath();
    // Written by the editor, so its history starts with the new file.
    session_.editor.Create(PathBytes(*path));
  });
  // Opened as a deck given by its path is: analysed, watched, remembered.
  if (path && !path->isEmpty() && session_.editor.Path() == PathBytes(*path)) OpenDeckFile(*path);
}

void TMasterForm::UseEditActions(QAction* undo, QAction* redo) {
  QAction* first = Edit1->actions().value(0);
  Edit1->insertAction(first, undo);
  Edit1->insertAction(first, redo);
  Edit1->insertSeparator(first)->setObjectName(QStringLiteral("N4"));
}

void TMasterForm::UseNameActions(QAction* import, QAction* paste, QAction* fix, QAction* copyList) {
  findChild<QMenu*>(QStringLiteral("File1"))->insertAction(Reload1, import);
  Edit1->addAction(copyList);
  Edit1->addAction(paste);
  Edit1->addSeparator()->setObjectName(QStringLiteral("N5"));
  Edit1->addAction(fix);
}

void TMasterForm::OpenFromCommandLine(const QStringList& arguments) {
  if (arguments.size() < 2) return;
  const QString& path = arguments.at(1);
  QTimer::singleShot(0, this, [this, path] { OpenDeckFile(path); });
}

void TMasterForm::OpenRecentDeck(const std::string& path) {
  if (!Open1->isEnabled()) return;
  if (!FileExists(path)) {
    recent_.Remove(path);
    SaveRecentDecksQuietly();
    ShowRecentDecks();
    platform_.ShowMessage(this, QStringLiteral("The deck file '%1' no longer exists; it has been "
                                               "removed from the recent list.")
                                    .arg(ShownPath(path)));
    return;
  }
  OpenDeckFile(ShownPath(path));
}

void TMasterForm::UseConfigDir(std::string dir) {
  configDir_ = std::move(dir);
  recent_ = LoadRecentDecks(configDir_);
  ShowRecentDecks();
}

void TMasterForm::SaveRecentDecksQuietly() {
  // The list is a convenience, like the remembered deck folder: a settings
  // folder that cannot be written must not make opening a deck fail.
  try {
    SaveRecentDecks(configDir_, recent_);
  } catch (const std::exception&) {
  }
}

void TMasterForm::ShowRecentDecks() {
  OpenRecent1->clear();
  int number = 0;
  for (const std::string& path : recent_.Paths()) {
    ++number;
    QString shown = ShownPath(path);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item = OpenRecent1->addAction(QStringLiteral("&%1 %2").arg(number).arg(shown));
    item->setObjectName(QStringLiteral("RecentDeck%1").arg(number));
    connect(item, &QAction::triggered, this, [this, path] { OpenRecentDeck(path); });
  }
  OpenRecent1->setEnabled(Open1->isEnabled() && !recent_.Paths().empty());
}

void TMasterForm::ReloadDeck() {
  if (openDeck_.empty() || !Open1->isEnabled()) return;
  reloading_ = true;
  // A deck saved broken is reported once; while it stays broken, each new
  // save of it fails quietly (an editor saving a half-typed deck again and
  // again must not stack boxes), and the first good save ends the stretch.
  const bool stillBroken = reloadBroken_;
  const auto reload = [this, stillBroken] {
    PlatformDeckHost host(platform_, this);
    host.UsePath(openDeck_);
    ShowBeforeMessage(host);
    if (stillBroken) host.HoldMessages();
    // Taken before the reading, so a save during the analysis still differs.
    analysedPrint_ = FingerprintFile(openDeck_);
    const MasterModel::ReloadResult result = model_.Reload(host);
    if (result.analysed) host.ShowHeldMessages();
    CardList->SetLines({});
    saveDialogFileName_ = ShownPath(model_.ProposedFileName());
    SaveButton->setEnabled(model_.SaveEnabled());
    ShowModel();
    emit deckAnalysed();
    if (result.listReopened) emit listShown();
  };
  if (stillBroken) {
    try {
      reload();
    } catch (const std::exception&) {
      // Part of the stretch already reported.
    }
  } else {
    Run(reload);
  }
  reloadBroken_ = model_.DName().empty();
  reloading_ = false;
}

void TMasterForm::DeckFileChanged() {
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
    const std::optional<FileFingerprint> print = FingerprintFile(openDeck_);
    if (!openDeck_.empty() && print && print != analysedPrint_) ReloadDeck();
  } while (changedWhileReloading_);
}

void TMasterForm::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (Open1->isEnabled() && !urls.isEmpty() && urls.front().isLocalFile()) {
    event->acceptProposedAction();
  }
}

void TMasterForm::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  const QString path = urls.front().toLocalFile();
  // The drag's source waits until the drop returns; the deck opens after it.
  QTimer::singleShot(0, this, [this, path] { OpenDeckFile(path); });
}

void TMasterForm::AssetSwitchClick() {
  Run([this] {
    model_.SetAssetSwitch(AssetSwitch->isChecked());
    ShowModel();
    emit switchesChanged();
  });
}

void TMasterForm::CostBoxChange(const QString& item) {
  Run([this, &item] {
    model_.SelectCostKind(item.toLatin1().toStdString());
    ShowModel();
    emit switchesChanged();
  });
}

void TMasterForm::FieldDblClick(std::string_view name) {
  ShowList([name](MasterModel& model) { return model.DrillDown(name); });
}

void TMasterForm::ShowList(const std::function<bool(MasterModel&)>& show) {
  Run([this, &show] {
    if (!show(model_)) return;
    CardList->SetLines({});
    saveDialogFileName_ = ShownPath(model_.ProposedFileName());
    ShowModel();
    emit listShown();
  });
}

void TMasterForm::SaveButtonClick() {
  Run([this] {
    FileDialogOptions options;
    options.fileName = saveDialogFileName_;
    options.filter = QStringLiteral("Text Files|*.txt");
    options.defaultSuffix = QStringLiteral("txt");
    const std::optional<QString> path = platform_.GetSaveFileName(this, options);
    if (!path || path->isEmpty()) return;
    saveDialogFileName_ = *path;
    model_.SaveList(PathBytes(*path));
  });
}

void TMasterForm::CardListClick() {
  Run([this] {
    const std::optional<int> line = SelectedLine();
    if (!line) return;
    model_.CardListClick(*line);
    ShowModel();
    emit cardLineSelected(*line);
  });
}

void TMasterForm::CardListDblClick() {
  Run([this] {
    model_.CardListDblClick(SelectedLine());
    if (showReader) showReader();
  });
}

void TMasterForm::CardListMouseUp(const QPoint& position) {
  QListWidgetItem* line =
      CardList->viewport()->rect().contains(position) ? CardList->itemAt(position) : nullptr;
  CardList->SelectQuietly(line != nullptr ? CardList->row(line) : -1);
  const bool canCopy = CardList->count() > 0 && SelectedLine().has_value();
  PopUpCopy->setEnabled(canCopy);
  PopUpAddToGoal->setEnabled(canCopy);
  Copy2->setEnabled(canCopy);
}

void TMasterForm::CardListMouseMove(const QPoint& position) {
  QListWidgetItem* line = CardList->itemAt(position);
  if (CardList->count() == 0 || line == nullptr) return;
  CardListName->setText(line->text());
  const int width = CardListName->sizeHint().width();
  const int visibleLines = CardList->viewport()->height() / TCardListBox::kItemHeight;
  const bool needsHint =
      CardLineNeedsHint(CardList->count(), width, CardList->width(), visibleLines);
  CardList->setToolTip(needsHint ? line->text() : QString());
}

void TMasterForm::PopUpCopyClick() {
  Run([this] { platform_.SetClipboardText(FromCardBytes(model_.CopyText(SelectedLine()))); });
}

void TMasterForm::UpdaterButtonClick() {
  Run([this] {
    if (!runUpdater || !runUpdater()) return;
    if (!session_.db.CardStatExists()) return;
    SetDeckCommandsEnabled(true);
  });
}

void TMasterForm::CloseButtonClick() {
  close();
}

void TMasterForm::Exit1Click() {
  close();
}

void TMasterForm::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  // The program is its main window: closing it ends the program with every
  // window it opened. A tool window left behind would keep the process
  // alive and could still edit the deck nobody sees any more.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != this && window->isVisible()) window->close();
  }
  QCoreApplication::quit();
}

void TMasterForm::About1Click() const {
  if (showAbout) showAbout();
}

void TMasterForm::Help2Click() {
  platform_.ShowHelp(this, QStringLiteral("IDH_110"));
}

void TMasterForm::QuilletHomepage1Click() {
  platform_.OpenUrl(kUtilitiesHomePage);
}

void TMasterForm::OrvaneHomePage1Click() {
  platform_.OpenUrl(kOrvaneHomePage);
}

void TMasterForm::ChartsClick() {
  Run([this] {
    if (showCharts) showCharts();
  });
}

void TMasterForm::ExportReportClick() {
  Run([this] { ExportDeckReport(this, platform_, model_); });
}

void TMasterForm::PrintClick() {
  Run([this] { PrintDeckReport(this, platform_, model_); });
}

bool TMasterForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched != DName && watched != HQType) return QMainWindow::eventFilter(watched, event);
  const std::string_view name = watched == DName ? "DName" : "HQType";
  if (event->type() == QEvent::MouseButtonDblClick) FieldDblClick(name);
  if (event->type() == QEvent::KeyPress) {
    // Enter or Space opens the list, as on a figure.
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
      FieldDblClick(name);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace quillet
