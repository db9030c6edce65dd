#include "gui/compare/compare_panel.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <exception>
#include <string>

#include "core/card_data/paths.h"
#include "gui/main_window/deck_document.h"
#include "gui/main_window/shown_text.h"
#include "gui/platform/card_text_codec.h"
#include "gui/platform/close_keys.h"
#include "gui/platform/goal_action.h"
#include "gui/platform/panel_dock.h"
#include "gui/platform/platform.h"
#include "gui/platform/row_pick_watch.h"
#include "gui/platform/window_font.h"

namespace quillet {
namespace {

const QString kOpenDeck = QStringLiteral("Open deck");
const QString kOtherDeck = QStringLiteral("Other deck");

// "+n", "−n" (with the real minus sign) or "0"; percentages keep their sign.
QString Change(std::int64_t from, std::int64_t to, bool percentage) {
  const std::int64_t change = to - from;
  QString text = change > 0   ? QStringLiteral("+") + QString::number(change)
                 : change < 0 ? QChar(0x2212) + QString::number(-change)
                              : QStringLiteral("0");
  return percentage ? text + QLatin1Char('%') : text;
}

QString Value(std::int64_t value, bool percentage) {
  return QString::number(value) + (percentage ? QStringLiteral("%") : QString());
}

// A caption as a table shows it, without the colon the window's label has.
QString TableCaption(std::string_view caption) {
  QString text = QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
  text = text.trimmed();
  if (text.endsWith(QLatin1Char(':'))) text.chop(1);
  return text;
}

QString FileNameOf(const std::string& path) {
  const std::string directory = DirectoryPart(path);
  return ShownPath(path.substr(directory.size()));
}

QTreeWidget* Table(const char* name, const QStringList& columns) {
  auto* table = new QTreeWidget;
  table->setObjectName(QString::fromLatin1(name));
  table->setColumnCount(static_cast<int>(columns.size()));
  table->setHeaderLabels(columns);
  table->setRootIsDecorated(false);
  table->setUniformRowHeights(true);
  table->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table->setFocusPolicy(Qt::StrongFocus);
  QHeaderView* header = table->header();
  header->setStretchLastSection(false);
  header->setSectionResizeMode(0, QHeaderView::Stretch);
  for (int column = 1; column < columns.size(); ++column) {
    header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    table->headerItem()->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
  }
  return table;
}

QGroupBox* Group(const char* name, const QString& title, QWidget* content) {
  auto* group = new QGroupBox(title);
  group->setObjectName(QString::fromLatin1(name));
  // A screen reader names the list by its group's title.
  if (content->accessibleName().isEmpty()) content->setAccessibleName(title);
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(content);
  return group;
}

QTreeWidgetItem* Row(QTreeWidget* table, const QStringList& cells) {
  auto* item = new QTreeWidgetItem(table, cells);
  for (int column = 1; column < cells.size(); ++column) {
    item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
  }
  item->setToolTip(0, cells.front());
  return item;
}

// One titled branch of a two-deck list, with its lines or "(none)".
void Branch(QTreeWidget* table, const QString& title, const std::vector<std::string>& lines) {
  auto* branch = new QTreeWidgetItem(table, {title});
  branch->setFont(0, BoldWindowFont());
  branch->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  if (lines.empty()) {
    auto* none = new QTreeWidgetItem(branch, {QStringLiteral("(none)")});
    none->setForeground(0, QApplication::palette().color(QPalette::Disabled, QPalette::Text));
  }
  for (const auto& line : lines) {
    auto* item = new QTreeWidgetItem(branch, {FromCardBytes(line)});
    item->setToolTip(0, item->text(0));
  }
  branch->setExpanded(true);
}

// The table as text: its header, then each line, children indented.
void AppendTable(QString& text, const QString& title, const QTreeWidget& table) {
  text += title + QLatin1Char('\n');
  QStringList header;
  for (int column = 0; column < table.columnCount(); ++column) {
    header << table.headerItem()->text(column);
  }
  if (table.columnCount() > 1) text += header.join(QLatin1Char('\t')) + QLatin1Char('\n');
  for (int row = 0; row < table.topLevelItemCount(); ++row) {
    const QTreeWidgetItem* item = table.topLevelItem(row);
    QStringList cells;
    for (int column = 0; column < table.columnCount(); ++column) cells << item->text(column);
    text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (int child = 0; child < item->childCount(); ++child) {
      text += QStringLiteral("  ") + item->child(child)->text(0) + QLatin1Char('\n');
    }
  }
  text += QLatin1Char('\n');
}

}  // namespace

ComparePanel::ComparePanel(DeckDocument& main, Platform& platform, QWidget* owner)
    : main_(main), platform_(platform), owner_(owner) {
  setObjectName(QStringLiteral("CompareForm"));
  CloseOnKeys(*this);
  setWindowTitle(QStringLiteral("Compare Decks"));
  setFont(WindowFont());
  // The controls are made when there is first something to show: a window
  // that most runs never open should not slow the program's start.
}

ComparePanel::~ComparePanel() = default;

void ComparePanel::buildControls() {
  DeckNames = new QLabel;
  DeckNames->setObjectName(QStringLiteral("DeckNames"));
  DeckNames->setTextInteractionFlags(Qt::TextSelectableByMouse);
  DeckNames->setWordWrap(true);
  Switches = new QLabel;
  Switches->setObjectName(QStringLiteral("Switches"));

  CardsBox =
      Table("CardsBox", {QStringLiteral("Card"), kOpenDeck, kOtherDeck, QStringLiteral("Change")});
  FieldsBox = Table("FieldsBox",
                    {QStringLiteral("Figure"), kOpenDeck, kOtherDeck, QStringLiteral("Change")});
  ProblemsBox = Table("ProblemsBox", {QStringLiteral("Problem")});
  MissingBox = Table("MissingBox", {QStringLiteral("Card")});
  for (QTreeWidget* list : {ProblemsBox, MissingBox}) {
    list->setHeaderHidden(true);
    list->setRootIsDecorated(true);
    list->setItemsExpandable(true);
  }

  // The lists one above the other, each the panel's whole width so that
  // their copies columns show in a narrow dock, sharing the height in a
  // splitter the player can move.
  auto* lists = new QSplitter(Qt::Vertical);
  lists->setObjectName(QStringLiteral("CompareSplitter"));
  lists->setChildrenCollapsible(false);
  lists->addWidget(Group("CardsGroup", QStringLiteral("Cards whose copies differ"), CardsBox));
  lists->addWidget(Group("FieldsGroup", QStringLiteral("Figures that differ"), FieldsBox));
  lists->addWidget(
      Group("ProblemsGroup", QStringLiteral("Problems found in only one deck"), ProblemsBox));
  lists->addWidget(Group("MissingGroup", QStringLiteral("Cards not found"), MissingBox));
  for (int i = 0; i < lists->count(); ++i) lists->setStretchFactor(i, i < 2 ? 3 : 1);
  // Each list may shrink to its header and two rows, so that the four fit a
  // dock of a laptop's height without a scroll bar around the whole panel.
  for (QTreeWidget* list : {CardsBox, FieldsBox, ProblemsBox, MissingBox}) {
    list->setMinimumHeight(3 * list->fontMetrics().height() + 2 * list->frameWidth() + 6);
  }

  CompareButton = new QPushButton(QStringLiteral("Compare &With..."));
  CompareButton->setObjectName(QStringLiteral("CompareButton"));
  CopyButton = new QPushButton(QStringLiteral("&Copy"));
  CopyButton->setObjectName(QStringLiteral("CopyButton"));
  CopyButton->setToolTip(QStringLiteral("Copy the comparison as text (Ctrl+C)"));
  CloseButton = new QPushButton(QStringLiteral("Close"));
  CloseButton->setObjectName(QStringLiteral("CloseButton"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(CompareButton);
  buttons->addWidget(CopyButton);
  buttons->addStretch();
  buttons->addWidget(CloseButton);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(DeckNames);
  layout->addWidget(Switches);
  layout->addWidget(lists, 1);
  layout->addLayout(buttons);
  resize(860, 700);

  // Only a card's row holds its name; "(the same cards in both)" holds none.
  const auto nameAt = [](const QModelIndex& index) {
    return index.siblingAtColumn(0).data(Qt::UserRole).toByteArray();
  };
  picks_ = new RowPickWatch(*CardsBox, [this, nameAt](const QModelIndex& index) {
    const QByteArray name = nameAt(index);
    if (!name.isEmpty()) emit cardSelected(name);
  });
  AddGoalAction(*CardsBox, nameAt, [this](const QByteArray& name) { emit addToGoal(name); });
  connect(CompareButton, &QPushButton::clicked, this, &ComparePanel::compareWith);
  connect(CopyButton, &QPushButton::clicked, this, &ComparePanel::copyComparison);
  connect(CloseButton, &QPushButton::clicked, this, [this] { CloseWindowOrPanel(*this); });
  auto* copy = new QShortcut(QKeySequence::Copy, this);
  copy->setObjectName(QStringLiteral("CopyShortcut"));
  // Within the comparison only: beside other panels in one window, their
  // lists copy their own names.
  copy->setContext(Qt::WidgetWithChildrenShortcut);
  connect(copy, &QShortcut::activated, this, &ComparePanel::copyComparison);
  setTabOrder(CardsBox, FieldsBox);
  setTabOrder(FieldsBox, ProblemsBox);
  setTabOrder(ProblemsBox, MissingBox);
  setTabOrder(MissingBox, CompareButton);
  setTabOrder(CompareButton, CopyButton);
  setTabOrder(CopyButton, CloseButton);
}

void ComparePanel::compareWith() {
  try {
    if (!main_.isOpen()) {
      platform_.showMessage(owner_,
                            QStringLiteral("Open a deck first, then compare it with another."));
      return;
    }
    // The other deck is asked for in the open deck's folder.
    const std::optional<std::string> chosen =
        ChooseDeckFile(platform_, owner_, DirectoryPart(main_.view().DName()));
    if (!chosen) return;
    AnalysisPtr analysis;
    {
      BusyCursor busy(platform_);
      // Through the main window's card data, its lookups starting afresh as
      // a deck of its own; the cards not found are listed in the window.
      analysis = std::make_shared<const DeckAnalysis>(
          AnalyzeDeckFile(*chosen, main_.db(), main_.analysis().options));
    }
    if (!analysis->Valid()) {
      platform_.showMessage(owner_, ShownMessage(InvalidDeckMessage(*chosen)));
      return;
    }
    other_ = std::move(analysis);
    refresh();
    BringForward(*this);
  } catch (const std::exception& error) {
    platform_.showMessage(owner_, ShownMessage(error.what()));
  }
}

void ComparePanel::showEvent(QShowEvent* event) {
  if (DeckNames == nullptr) showComparison();
  QWidget::showEvent(event);
}

void ComparePanel::refresh() {
  if (!other_ && DeckNames == nullptr) return;  // never shown: nothing to follow
  comparison_.reset();
  if (other_ && main_.isOpen()) {
    // Under the switches the main window shows; the other deck's analysis is
    // made again only when they changed.
    const AnalysisOptions& options = main_.analysis().options;
    if (other_->options != options) {
      other_ = std::make_shared<const DeckAnalysis>(other_->WithOptions(options));
    }
    comparison_ = CompareDecks(main_.analysis(), *other_);
  }
  showComparison();
}

void ComparePanel::showComparison() {
  if (DeckNames == nullptr) buildControls();
  const RowPickWatch::Quiet quiet(*picks_);
  for (QTreeWidget* table : {CardsBox, FieldsBox, ProblemsBox, MissingBox}) table->clear();
  CopyButton->setEnabled(comparison_.has_value());
  if (!comparison_) {
    // Before any comparison the panel says what it is for.
    DeckNames->setText(
        (!main_.isOpen() ? QStringLiteral("No deck is open in the main window.")
                         : QStringLiteral("No deck to compare with.")) +
        QStringLiteral(" Compare With... shows the cards, figures and problems in which the "
                       "open deck and another deck differ."));
    DeckNames->setToolTip({});
    Switches->clear();
    return;
  }
  const DeckComparison& c = *comparison_;
  DeckNames->setText(QStringLiteral("<b>%1:</b> %2 &nbsp;&nbsp; <b>%3:</b> %4")
                         .arg(kOpenDeck, FileNameOf(c.A).toHtmlEscaped(), kOtherDeck,
                              FileNameOf(c.B).toHtmlEscaped()));
  DeckNames->setToolTip(ShownPath(c.A) + QLatin1Char('\n') + ShownPath(c.B));
  Switches->setText(QStringLiteral("Domains of %1; deployment cost of %2.")
                        .arg(main_.view().AssetSwitch() ? QStringLiteral("assets only")
                                                        : QStringLiteral("all cards"),
                             FromCardBytes(main_.view().CostBoxText()).toLower()));

  for (const auto& card : c.Cards) {
    QTreeWidgetItem* row = Row(CardsBox, {FromCardBytes(card.Name), Value(card.A, false),
                                          Value(card.B, false), Change(card.A, card.B, false)});
    row->setData(0, Qt::UserRole,
                 QByteArray(card.Name.data(), static_cast<qsizetype>(card.Name.size())));
  }
  for (const auto& field : c.Fields) {
    QTreeWidgetItem* row = Row(
        FieldsBox, {TableCaption(field.Caption), Value(field.A, field.percentage),
                    Value(field.B, field.percentage), Change(field.A, field.B, field.percentage)});
    row->setToolTip(
        0, QString::fromLatin1(field.Field.data(), static_cast<qsizetype>(field.Field.size())));
  }
  if (c.Cards.empty()) Row(CardsBox, {QStringLiteral("(the same cards in both)")});
  if (c.Fields.empty()) Row(FieldsBox, {QStringLiteral("(the same figures in both)")});
  Branch(ProblemsBox, QStringLiteral("Only in the open deck"), c.ProblemsOnlyA);
  Branch(ProblemsBox, QStringLiteral("Only in the other deck"), c.ProblemsOnlyB);
  Branch(MissingBox, QStringLiteral("In the open deck"), c.MissingA);
  Branch(MissingBox, QStringLiteral("In the other deck"), c.MissingB);
}

void ComparePanel::copyComparison() {
  if (!comparison_) return;
  QString text = kOpenDeck + QLatin1Char('\t') + ShownPath(comparison_->A) + QLatin1Char('\n') +
                 kOtherDeck + QLatin1Char('\t') + ShownPath(comparison_->B) +
                 QStringLiteral("\n\n");
  AppendTable(text, QStringLiteral("Cards whose copies differ"), *CardsBox);
  AppendTable(text, QStringLiteral("Figures that differ"), *FieldsBox);
  AppendTable(text, QStringLiteral("Problems found in only one deck"), *ProblemsBox);
  AppendTable(text, QStringLiteral("Cards not found"), *MissingBox);
  platform_.setClipboardText(text.trimmed() + QLatin1Char('\n'));
}

}  // namespace quillet
