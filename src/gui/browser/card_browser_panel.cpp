#include "gui/browser/card_browser_panel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>
#include <algorithm>
#include <optional>
#include <set>
#include <stdexcept>

#include "gui/browser/card_table_model.h"
#include "gui/browser/deck_edit_actions.h"
#include "gui/browser/list_edit_actions.h"
#include "gui/main_window/deck_document.h"
#include "gui/platform/card_text_codec.h"
#include "gui/platform/centre_window.h"
#include "gui/platform/close_keys.h"
#include "gui/platform/goal_action.h"
#include "gui/platform/panel_dock.h"
#include "gui/platform/platform.h"
#include "gui/platform/row_pick_watch.h"

namespace quillet {
namespace {

const QString kAnyWord = QStringLiteral("(any)");

QComboBox* WordBox(QWidget* parent, const char* name, WordKind kind) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->addItem(kAnyWord);
  for (std::string_view word : ShownWords(kind)) box->addItem(FromCardBytes(word));
  return box;
}

std::optional<std::string> ChosenWord(const QComboBox* box) {
  if (box->currentIndex() <= 0) return std::nullopt;
  return ToCardBytes(box->currentText());
}

}  // namespace

CardBrowserPanel::CardBrowserPanel(DeckDocument& deck, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), deck_(deck), platform_(platform), catalogue_(deck.db()) {
  setObjectName(QStringLiteral("CardBrowserForm"));
  CloseOnKeys(*this);
  setWindowTitle(QStringLiteral("Card Browser"));
  // The program ends with its main window, even while the browser is open.
  setAttribute(Qt::WA_QuitOnClose, false);
  model_ = new CardTableModel(catalogue_, this);
  buildControls();
  resize(1250, 640);
  CentreOnScreen(*this);
}

CardBrowserPanel::~CardBrowserPanel() = default;

void CardBrowserPanel::buildControls() {
  auto* layout = new QGridLayout(this);
  layout->setObjectName(QStringLiteral("BrowserLayout"));

  auto* searchLabel = new QLabel(QStringLiteral("&Search:"), this);
  searchLabel->setObjectName(QStringLiteral("SearchLabel"));
  SearchEdit = new QLineEdit(this);
  SearchEdit->setObjectName(QStringLiteral("SearchEdit"));
  SearchEdit->setPlaceholderText(QStringLiteral("Name or rules text"));
  searchLabel->setBuddy(SearchEdit);

  TypeBox = WordBox(this, "TypeBox", WordKind::Type);
  DomainBox = WordBox(this, "DomainBox", WordKind::Domain);
  RarityBox = WordBox(this, "RarityBox", WordKind::Rarity);
  KeywordBox = WordBox(this, "KeywordBox", WordKind::Keyword);
  InDeckOnly = new QCheckBox(QStringLiteral("In &deck only"), this);
  InDeckOnly->setObjectName(QStringLiteral("InDeckOnly"));

  auto* filters = new QHBoxLayout;
  filters->setObjectName(QStringLiteral("FilterRow"));
  filters->addWidget(searchLabel);
  filters->addWidget(SearchEdit, 1);
  const struct {
    const char* name;
    const char* caption;
    QComboBox* box;
  } boxes[] = {{"TypeLabel", "&Type:", TypeBox},
               {"DomainLabel", "Do&main:", DomainBox},
               {"RarityLabel", "&Rarity:", RarityBox},
               {"KeywordLabel", "&Keyword:", KeywordBox}};
  for (const auto& b : boxes) {
    auto* label = new QLabel(QString::fromLatin1(b.caption), this);
    label->setObjectName(QString::fromLatin1(b.name));
    label->setBuddy(b.box);
    filters->addSpacing(8);
    filters->addWidget(label);
    filters->addWidget(b.box);
  }
  filters->addSpacing(8);
  filters->addWidget(InDeckOnly);
  layout->addLayout(filters, 0, 0);

  CardTable = new QTableView(this);
  CardTable->setObjectName(QStringLiteral("CardTable"));
  CardTable->setAccessibleName(QStringLiteral("Cards"));
  CardTable->setModel(model_);
  CardTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  CardTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
  CardTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  CardTable->setAlternatingRowColors(true);
  CardTable->setWordWrap(false);
  CardTable->verticalHeader()->hide();
  CardTable->verticalHeader()->setDefaultSectionSize(CardTable->fontMetrics().height() + 6);
  CardTable->horizontalHeader()->setStretchLastSection(false);
  CardTable->horizontalHeader()->setHighlightSections(false);
  CardTable->setSortingEnabled(true);
  CardTable->sortByColumn(0, Qt::AscendingOrder);
  // Columns wide enough for their caption (and the sort arrow) and for the
  // longest word they can show; the widths do not depend on the cards, so
  // opening never measures thousands of rows.
  const QFontMetrics metrics = CardTable->fontMetrics();
  const auto widest = [&metrics](WordKind kind) {
    int width = 0;
    for (std::string_view word : ShownWords(kind)) {
      width = std::max(width, metrics.horizontalAdvance(FromCardBytes(word)));
    }
    return width + 12;
  };
  for (int column = 0; column < kCatalogueColumnCount; ++column) {
    const QString caption = FromCardBytes(CatalogueColumns()[column].caption);
    int width = metrics.horizontalAdvance(caption) + 22;
    switch (static_cast<CatalogueColumn>(column)) {
      case CatalogueColumn::Name:
        width = metrics.horizontalAdvance(QStringLiteral("Rook Class Assault Chassis")) + 12;
        break;
      case CatalogueColumn::Type:
        width = std::max(width, widest(WordKind::Type));
        break;
      case CatalogueColumn::Domain:
        width = std::max(width, widest(WordKind::Domain));
        break;
      case CatalogueColumn::Rarity:
        width = std::max(width, widest(WordKind::Rarity));
        break;
      case CatalogueColumn::Keywords:
        width = metrics.horizontalAdvance(QStringLiteral("AntiTerrorism, Veteran, Unique"));
        break;
      default:
        break;
    }
    CardTable->setColumnWidth(column, width);
  }
  layout->addWidget(CardTable, 1, 0);

  CountLabel = new QLabel(this);
  CountLabel->setObjectName(QStringLiteral("CountLabel"));

  const ListEditActions edits = AddListEditActions(
      *CardTable, *this, [this] { copySelected(); }, [this](int delta) { changeSelected(delta); });
  CopyNames = edits.copyNames;
  AddCopy = edits.addCopy;
  RemoveCopy = edits.removeCopy;

  auto* bottom = new QHBoxLayout;
  bottom->setObjectName(QStringLiteral("BottomRow"));
  bottom->addWidget(CountLabel, 1);
  for (QAction* action : {AddCopy, RemoveCopy}) {
    bottom->addWidget(NewEditButton(*action, 48, *this));
  }
  layout->addLayout(bottom, 2, 0);

  connect(SearchEdit, &QLineEdit::textChanged, this, &CardBrowserPanel::applyQuery);
  for (QComboBox* box : {TypeBox, DomainBox, RarityBox, KeywordBox}) {
    connect(box, &QComboBox::currentIndexChanged, this, &CardBrowserPanel::applyQuery);
  }
  connect(InDeckOnly, &QCheckBox::toggled, this, &CardBrowserPanel::applyQuery);
  connect(CardTable, &QTableView::activated, this,
          [this](const QModelIndex& index) { openCard(index.row()); });
  connect(CardTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &CardBrowserPanel::showEditState);
  const auto nameAt = [this](const QModelIndex& index) {
    const std::string name = catalogue_.Card(model_->cardAt(index.row())).Name.Str();
    return QByteArray(name.data(), static_cast<qsizetype>(name.size()));
  };
  picks_ = new RowPickWatch(
      *CardTable, [this, nameAt](const QModelIndex& index) { emit cardSelected(nameAt(index)); });
  AddGoalAction(*CardTable, nameAt, [this](const QByteArray& name) { emit addToGoal(name); });
  showEditState();

  setTabOrder(SearchEdit, TypeBox);
  setTabOrder(TypeBox, DomainBox);
  setTabOrder(DomainBox, RarityBox);
  setTabOrder(RarityBox, KeywordBox);
  setTabOrder(KeywordBox, InDeckOnly);
  setTabOrder(InDeckOnly, CardTable);
}

void CardBrowserPanel::useEditActions(DeckEditActions& actions) {
  edits_ = &actions;
  AddUndoRedo(*CardTable, *this, actions);
  connect(&actions, &DeckEditActions::stateChanged, this, &CardBrowserPanel::showEditState);
  showEditState();
}

void CardBrowserPanel::showEditState() {
  const bool canEdit =
      edits_ != nullptr && edits_->deckOpen() && CardTable->selectionModel()->hasSelection();
  AddCopy->setEnabled(canEdit);
  RemoveCopy->setEnabled(canEdit);
}

void CardBrowserPanel::showBrowser() {
  BringForward(*this);
  SearchEdit->setFocus();
}

void CardBrowserPanel::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  ensureLoaded();
}

void CardBrowserPanel::ensureLoaded() {
  if (loaded_) return;
  // Marked first: a database that cannot be read is reported once, not on
  // every show; an update marks it for reading again.
  loaded_ = true;
  try {
    BusyCursor busy(platform_);
    if (!deck_.db().CardStatExists()) {
      throw std::runtime_error("You must create a data file to use this program");
    }
    model_->reload();
    catalogue_.SetDeck(deck_.analysis().entries, deck_.analysis().cardFile);
  } catch (const std::exception& error) {
    platform_.showMessage(this, FromCardBytes(error.what()));
  }
  applyQuery();
}

CatalogueQuery CardBrowserPanel::currentQuery() const {
  CatalogueQuery query;
  query.text = ToCardBytes(SearchEdit->text());
  query.inText = true;
  query.type = ChosenWord(TypeBox);
  query.domain = ChosenWord(DomainBox);
  query.rarity = ChosenWord(RarityBox);
  query.keyword = ChosenWord(KeywordBox);
  query.inDeckOnly = InDeckOnly->isChecked();
  return query;
}

void CardBrowserPanel::applyQuery() {
  if (!loaded_) return;
  // The selected cards stay selected when they still match.
  std::set<std::uint32_t> selected;
  for (const QModelIndex& index : CardTable->selectionModel()->selectedRows()) {
    selected.insert(model_->cardAt(index.row()));
  }
  // A plain sentinel rather than an optional keeps GCC's uninitialised-value
  // warning quiet.
  const std::int64_t current = CardTable->currentIndex().isValid()
                                   ? std::int64_t{model_->cardAt(CardTable->currentIndex().row())}
                                   : -1;
  const CatalogueQuery query = currentQuery();
  // The rows are refilled and the selection put back: no card is picked.
  const RowPickWatch::Quiet quiet(*picks_);
  try {
    // Only the first search of the rules texts reads a file.
    std::optional<BusyCursor> busy;
    if (!query.text.empty() && !catalogue_.TextsLoaded()) busy.emplace(platform_);
    model_->setQuery(query);
  } catch (const std::exception& error) {
    platform_.showMessage(this, FromCardBytes(error.what()));
  }
  if (!selected.empty()) {
    QItemSelection selection;
    for (int row = 0; row < model_->rowCount(); ++row) {
      const std::uint32_t card = model_->cardAt(row);
      if (selected.contains(card)) {
        selection.select(model_->index(row, 0), model_->index(row, kCatalogueColumnCount - 1));
      }
      if (card == current) {
        CardTable->selectionModel()->setCurrentIndex(model_->index(row, 0),
                                                     QItemSelectionModel::NoUpdate);
      }
    }
    CardTable->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  }
  CountLabel->setText(QStringLiteral("%1 of %2 cards")
                          .arg(model_->rowCount())
                          .arg(static_cast<qulonglong>(catalogue_.Size())));
}

void CardBrowserPanel::followAnalysis() {
  catalogue_.SetDeck(deck_.analysis().entries, deck_.analysis().cardFile);
  applyQuery();
}

void CardBrowserPanel::followDatabaseUpdate() {
  loaded_ = false;
  if (isVisible()) ensureLoaded();
}

void CardBrowserPanel::openCard(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  deck_.session().SelectedCardName = catalogue_.Card(model_->cardAt(row)).Name.Str();
  if (showReader) showReader();
}

void CardBrowserPanel::changeSelected(int delta) {
  if (edits_ == nullptr) return;
  QModelIndexList rows = CardTable->selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end(),
            [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  std::vector<std::string> names;
  for (const QModelIndex& index : rows) {
    names.push_back(catalogue_.Card(model_->cardAt(index.row())).Name.Str());
  }
  edits_->changeCopies(names, delta, this);
}

void CardBrowserPanel::copySelected() {
  QModelIndexList rows = CardTable->selectionModel()->selectedRows();
  if (rows.isEmpty()) return;
  std::sort(rows.begin(), rows.end(),
            [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  QStringList names;
  for (const QModelIndex& index : rows) {
    names << FromCardBytes(catalogue_.Card(model_->cardAt(index.row())).Name.View());
  }
  platform_.setClipboardText(names.join(QLatin1Char('\n')));
}

}  // namespace quillet
