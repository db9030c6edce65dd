#include "main_window/master_form.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <exception>

#include "desktop/card_text_codec.h"
#include "main_window/card_list_box.h"
#include "main_window/card_list_hint.h"
#include "main_window/centring.h"
#include "main_window/deck_host.h"
#include "main_window/int_edit.h"
#include "main_window/report_actions.h"
#include "main_window/shown_text.h"

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
  // System menu and minimise only: the window never grows past its design.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  BuildControls();
  panels_.clear();
  FormCreate();
}

TMasterForm::~TMasterForm() = default;

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
  for (QAction* item : {SaveList1, Open1, CardStats1}) item->setEnabled(enabled);
}

void TMasterForm::ShowModel() {
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
}

std::optional<int> TMasterForm::SelectedLine() const {
  const int row = CardList->SelectedRow();
  if (row < 0) return std::nullopt;
  return row;
}

void TMasterForm::AnalyzeButtonClick() {
  Run([this] {
    PlatformDeckHost host(platform_, this);
    host.beforeMessage = [this] {
      // A failed analysis has emptied the model by the time it says so; the
      // user reads the message over the emptied window, not the old deck.
      if (!model_.DName().empty()) return;
      CardList->SetLines({});
      SaveButton->setEnabled(model_.SaveEnabled());
      ShowModel();
    };
    model_.OpenDeck(host);
    if (host.Chosen()) {
      // A new analysis shows a new list even when its lines are the same.
      CardList->SetLines({});
      if (!model_.DName().empty()) saveDialogFileName_ = ShownPath(model_.ProposedFileName());
      SaveButton->setEnabled(model_.SaveEnabled());
    }
    ShowModel();
    if (host.Chosen()) emit deckAnalysed();
  });
}

void TMasterForm::AssetSwitchClick() {
  Run([this] {
    model_.SetAssetSwitch(AssetSwitch->isChecked());
    ShowModel();
  });
}

void TMasterForm::CostBoxChange(const QString& item) {
  Run([this, &item] {
    model_.SelectCostKind(item.toLatin1().toStdString());
    ShowModel();
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
  Copy2->setEnabled(canCopy);
}

void TMasterForm::CardListMouseMove(const QPoint& position) {
  QListWidgetItem* line = CardList->itemAt(position);
  if (CardList->count() == 0 || line == nullptr) return;
  CardListName->setText(line->text());
  const int width = CardListName->sizeHint().width();
  const bool needsHint = CardLineNeedsHint(CardList->count(), width, CardList->width());
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
  QCoreApplication::quit();
}

void TMasterForm::Exit1Click() {
  close();
}

void TMasterForm::About1Click() {
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
  if (event->type() == QEvent::MouseButtonDblClick) {
    if (watched == DName) FieldDblClick("DName");
    if (watched == HQType) FieldDblClick("HQType");
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace quillet
