#include "gui/deck_view/deck_panel.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <exception>
#include <memory>
#include <set>

#include "core/names/name_suggestions.h"
#include "gui/browser/deck_edit_actions.h"
#include "gui/browser/list_edit_actions.h"
#include "gui/main_window/deck_document.h"
#include "gui/platform/card_text_codec.h"
#include "gui/platform/goal_action.h"
#include "gui/platform/platform.h"
#include "gui/platform/row_pick_watch.h"

namespace quillet {
namespace {

// Where a card row keeps its name's bytes; a heading has none.
constexpr int kNameRole = Qt::UserRole;

QByteArray NameOf(const QTreeWidgetItem* item) {
  return item != nullptr ? item->data(DeckPanel::kNameColumn, kNameRole).toByteArray()
                         : QByteArray();
}

QByteArray Bytes(const std::string& text) {
  return {text.data(), static_cast<qsizetype>(text.size())};
}

// "did you mean: A, B", or "no suggestion".
QString SuggestionText(const NameSuggestions& suggestions) {
  if (suggestions.names.empty()) return QStringLiteral("no suggestion");
  QStringList names;
  for (const std::string& name : suggestions.names) names << FromCardBytes(name);
  return QStringLiteral("did you mean: %1").arg(names.join(QStringLiteral(", ")));
}

}  // namespace

DeckPanel::DeckPanel(DeckDocument& deck, Platform& platform, QWidget* parent)
    : QWidget(parent), deck_(deck), platform_(platform) {
  setObjectName(QStringLiteral("DeckPanel"));
  setWindowTitle(QStringLiteral("Deck"));
  buildControls();
  followAnalysis();
}

DeckPanel::~DeckPanel() = default;

void DeckPanel::buildControls() {
  DeckTree = new QTreeWidget(this);
  DeckTree->setObjectName(QStringLiteral("DeckTree"));
  DeckTree->setAccessibleName(QStringLiteral("Cards of the open deck"));
  DeckTree->setColumnCount(kColumnCount);
  DeckTree->setHeaderLabels({QStringLiteral("Copies"), QStringLiteral("Card"),
                             QStringLiteral("Cost"), QStringLiteral("Domain")});
  DeckTree->headerItem()->setToolTip(kCostColumn, QStringLiteral("Total deploy cost"));
  // The branch marks go beside the name, so the copies line up in a column.
  DeckTree->setTreePosition(kNameColumn);
  DeckTree->setSelectionMode(QAbstractItemView::ExtendedSelection);
  DeckTree->setAllColumnsShowFocus(true);
  DeckTree->setUniformRowHeights(true);
  DeckTree->setAlternatingRowColors(true);
  DeckTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // The core sorts within each group, so the groups keep their order.
  QHeaderView* header = DeckTree->header();
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(true);
  header->setSortIndicator(kNameColumn, Qt::AscendingOrder);
  header->setStretchLastSection(false);
  for (int column = 0; column < kColumnCount; ++column) {
    header->setSectionResizeMode(
        column, column == kNameColumn ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
  }
  DeckTree->headerItem()->setTextAlignment(kCopiesColumn, Qt::AlignRight | Qt::AlignVCenter);
  DeckTree->headerItem()->setTextAlignment(kCostColumn, Qt::AlignRight | Qt::AlignVCenter);

  DeckStatus = new QLabel(this);
  DeckStatus->setObjectName(QStringLiteral("DeckStatus"));
  DeckStatus->setWordWrap(true);

  const ListEditActions edits = AddListEditActions(
      *DeckTree, *this, [this] { copySelected(); }, [this](int delta) { changeSelected(delta); });
  CopyNames = edits.copyNames;
  AddCopy = edits.addCopy;
  RemoveCopy = edits.removeCopy;
  // A card of the deck: the first one selected.
  AddToGoal = new GoalAction(
      QStringLiteral("AddToGoal"),
      [this] {
        const auto names = selectedNames();
        return !deck_.isOpen() || names.empty() ? QByteArray()
                                                : QByteArray::fromStdString(names.front());
      },
      [this](const QByteArray& name) { emit addToGoal(name); }, this);
  DeckTree->addAction(AddToGoal);

  auto* bottom = new QHBoxLayout;
  bottom->setObjectName(QStringLiteral("DeckButtons"));
  bottom->addWidget(DeckStatus, 1);
  bottom->addStretch(1);  // the buttons stay right when the status is hidden
  const struct {
    QAction* action;
    const char* accessibleName;
  } buttons[] = {{AddCopy, "Add a copy of each selected card"},
                 {RemoveCopy, "Take a copy of each selected card out"}};
  for (const auto& b : buttons) {
    QToolButton* button = NewEditButton(*b.action, 40, *this);
    button->setAccessibleName(QString::fromLatin1(b.accessibleName));
    bottom->addWidget(button);
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(DeckTree, 1);
  layout->addLayout(bottom);

  picks_ = new RowPickWatch(*DeckTree, [this](const QModelIndex& index) {
    const QByteArray name = NameOf(DeckTree->itemFromIndex(index));
    if (!name.isEmpty()) emit cardSelected(name);
  });
  connect(header, &QHeaderView::sortIndicatorChanged, this, &DeckPanel::sortBy);
  connect(DeckTree, &QTreeWidget::itemActivated, this,
          [this](const QTreeWidgetItem* item) { openCard(item); });
  connect(DeckTree, &QTreeWidget::itemSelectionChanged, this, &DeckPanel::showEditState);
}

void DeckPanel::useEditActions(DeckEditActions& actions) {
  edits_ = &actions;
  AddUndoRedo(*DeckTree, *this, actions);
  connect(&actions, &DeckEditActions::stateChanged, this, &DeckPanel::showEditState);
  showEditState();
}

void DeckPanel::followAnalysis() {
  tree_.clear();
  if (deck_.isOpen()) {
    tree_ = BuildDeckTree(deck_.analysis());
    SortDeckTree(tree_, sortKey_, descending_);
  }
  suggestions_.clear();
  if (!deck_.view().MissingCards().empty()) {
    try {
      const std::shared_ptr<const SuggestionIndex> cards =
          SuggestionIndex::Shared(deck_.db().CardStatPath());
      for (const std::string& name : deck_.view().MissingCards()) {
        suggestions_[name] = SuggestionText(cards->Suggest(name));
      }
    } catch (const std::exception&) {
      // The database the analysis just read is gone again: the names show
      // without suggestions, and the next analysis says what became of it.
    }
  }
  showTree();
  showEditState();
}

void DeckPanel::sortBy(int column, Qt::SortOrder order) {
  const DeckTreeSort keys[] = {DeckTreeSort::Copies, DeckTreeSort::Name, DeckTreeSort::Cost};
  if (column < 0 || column >= kDomainColumn) {
    // The domain is no order of its own: the indicator goes back.
    const int shown = sortKey_ == DeckTreeSort::Copies ? kCopiesColumn
                      : sortKey_ == DeckTreeSort::Cost ? kCostColumn
                                                       : kNameColumn;
    const QSignalBlocker block(DeckTree->header());
    DeckTree->header()->setSortIndicator(shown,
                                         descending_ ? Qt::DescendingOrder : Qt::AscendingOrder);
    return;
  }
  sortKey_ = keys[column];
  descending_ = order == Qt::DescendingOrder;
  SortDeckTree(tree_, sortKey_, descending_);
  showTree();
}

void DeckPanel::showTree() {
  const RowPickWatch::Quiet quiet(*picks_);
  // What the user had chosen stays: the selected cards, the current one, the
  // groups closed and the place in the list.
  std::set<QByteArray> selected;
  for (const QTreeWidgetItem* item : DeckTree->selectedItems()) selected.insert(NameOf(item));
  const QByteArray current = NameOf(DeckTree->currentItem());
  std::set<QString> closed;
  for (int i = 0; i < DeckTree->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* heading = DeckTree->topLevelItem(i);
    if (!heading->isExpanded()) closed.insert(heading->text(kNameColumn));
  }
  const int scrolled = DeckTree->verticalScrollBar()->value();

  DeckTree->clear();
  QTreeWidgetItem* newCurrent = nullptr;
  const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
  const QColor missingColour = palette().color(QPalette::Disabled, QPalette::Text);
  for (const DeckTreeGroup& group : tree_) {
    auto* heading = new QTreeWidgetItem(DeckTree);
    const bool found = group.Kind != DeckGroupKind::NotFound;
    const QString title = FromCardBytes(DeckGroupTitle(group.Kind));
    heading->setText(kNameColumn, title);
    if (found) heading->setText(kCopiesColumn, QString::number(group.Copies));
    heading->setFlags(Qt::ItemIsEnabled);
    QFont bold = heading->font(kNameColumn);
    bold.setBold(true);
    for (int column = 0; column < kColumnCount; ++column) heading->setFont(column, bold);
    heading->setTextAlignment(kCopiesColumn, Qt::AlignRight | Qt::AlignVCenter);

    for (const DeckTreeRow& row : group.Rows) {
      auto* item = new QTreeWidgetItem(heading);
      const QByteArray name = Bytes(row.Name);
      item->setData(kNameColumn, kNameRole, name);
      item->setText(kNameColumn, FromCardBytes(row.Name));
      if (row.Found) item->setText(kCopiesColumn, QString::number(row.Copies));
      if (row.Cost) item->setText(kCostColumn, QString::number(*row.Cost));
      item->setText(kDomainColumn, FromCardBytes(row.Domain));
      item->setTextAlignment(kCopiesColumn, Qt::AlignRight | Qt::AlignVCenter);
      item->setTextAlignment(kCostColumn, Qt::AlignRight | Qt::AlignVCenter);
      item->setToolTip(kNameColumn, item->text(kNameColumn));
      if (!row.Found) {
        item->setForeground(kNameColumn, missingColour);
        QString tip =
            QStringLiteral("%1 is not in the card database.").arg(item->text(kNameColumn));
        // What the name may mean, on a line of its own under it: a line
        // that is no card, so it is never selected, edited or opened.
        const auto suggestion = suggestions_.find(row.Name);
        if (suggestion != suggestions_.end()) {
          auto* hint = new QTreeWidgetItem(item);
          hint->setText(kNameColumn, suggestion->second);
          hint->setFlags(Qt::ItemIsEnabled);
          hint->setForeground(kNameColumn, missingColour);
          hint->setToolTip(kNameColumn, suggestion->second);
          item->setExpanded(true);
          tip += QLatin1Char('\n') + suggestion->second;
        }
        item->setToolTip(kNameColumn, tip);
      }
      if (!row.LimitProblem.empty()) {
        const QString sentence = FromCardBytes(row.LimitProblem);
        item->setIcon(kCopiesColumn, warning);
        for (int column = 0; column < kColumnCount; ++column) {
          item->setToolTip(column, sentence);
          item->setData(column, Qt::AccessibleDescriptionRole, sentence);
        }
      }
      if (selected.contains(name)) item->setSelected(true);
      if (!current.isEmpty() && name == current) newCurrent = item;
    }
    heading->setExpanded(!closed.contains(title));
  }
  if (newCurrent != nullptr) {
    DeckTree->setCurrentItem(newCurrent, kNameColumn, QItemSelectionModel::NoUpdate);
  }
  DeckTree->verticalScrollBar()->setValue(scrolled);

  DeckStatus->setText(!deck_.isOpen() ? QStringLiteral("No deck is open.")
                      : tree_.empty() ? QStringLiteral("The deck has no cards.")
                                      : QString());
  DeckStatus->setVisible(!DeckStatus->text().isEmpty());
}

void DeckPanel::showEditState() {
  const bool canEdit = edits_ != nullptr && edits_->deckOpen() && !selectedNames().empty();
  AddCopy->setEnabled(canEdit);
  RemoveCopy->setEnabled(canEdit);
  AddToGoal->refresh();
}

std::vector<std::string> DeckPanel::selectedNames() const {
  // In the order of the tree, whatever order they were selected in.
  std::vector<std::string> names;
  for (QTreeWidgetItemIterator it(DeckTree, QTreeWidgetItemIterator::Selected); *it; ++it) {
    const QByteArray name = NameOf(*it);
    if (!name.isEmpty()) names.push_back(name.toStdString());
  }
  return names;
}

void DeckPanel::openCard(const QTreeWidgetItem* item) {
  const QByteArray name = NameOf(item);
  if (name.isEmpty()) return;  // a heading opens and closes its group
  deck_.session().SelectedCardName = name.toStdString();
  if (showReader) showReader();
}

void DeckPanel::changeSelected(int delta) {
  if (edits_ == nullptr) return;
  edits_->changeCopies(selectedNames(), delta, this);
}

void DeckPanel::copySelected() {
  QStringList names;
  for (const std::string& name : selectedNames()) names << FromCardBytes(name);
  if (!names.isEmpty()) platform_.setClipboardText(names.join(QLatin1Char('\n')));
}

}  // namespace quillet
