#include "gui/odds/draw_odds_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <exception>
#include <optional>

#include "core/analysis/field_names.h"
#include "core/odds/draw_odds.h"
#include "gui/main_window/deck_document.h"
#include "gui/odds/goal_part.h"
#include "gui/platform/card_text_codec.h"
#include "gui/platform/close_keys.h"
#include "gui/platform/window_font.h"

namespace quillet {
namespace {

const QString kNoDeck = QStringLiteral("Open a deck to see its draw odds.");
// The group before the user has touched anything.
constexpr std::string_view kFirstGroup = "AssetAmount";

QString Copies(std::int64_t n) {
  return n == 1 ? QStringLiteral("1 copy") : QStringLiteral("%1 copies").arg(n);
}

}  // namespace

DrawOddsPanel::DrawOddsPanel(DeckDocument& deck, QWidget* parent)
    : QWidget(parent, Qt::Window), deck_(deck) {
  setObjectName(QStringLiteral("DrawOddsForm"));
  CloseOnKeys(*this);
  setFont(WindowFont());
  // One group's table and the goal's are two pages: each wants the height.
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(2, 2, 2, 2);
  OddsTabs = new QTabWidget(this);
  OddsTabs->setObjectName(QStringLiteral("OddsTabs"));
  OddsTabs->setAccessibleName(QStringLiteral("Draw odds pages"));
  outer->addWidget(OddsTabs);
  auto* single = new QWidget(OddsTabs);
  single->setObjectName(QStringLiteral("OneGroupPage"));
  auto* layout = new QVBoxLayout(single);
  GroupLabel = new QLabel(this);
  GroupLabel->setObjectName(QStringLiteral("GroupLabel"));
  GroupLabel->setWordWrap(true);
  layout->addWidget(GroupLabel);

  OddsPages = new QStackedWidget(this);
  OddsPages->setObjectName(QStringLiteral("OddsPages"));
  OddsTable = new QTableWidget(static_cast<int>(kLastOddsRow - kOpeningHand + 1),
                               static_cast<int>(kMostCopiesAsked), OddsPages);
  OddsTable->setObjectName(QStringLiteral("OddsTable"));
  OddsTable->setAccessibleName(QStringLiteral("Odds by cards seen"));
  OddsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  OddsTable->setSelectionMode(QAbstractItemView::SingleSelection);
  OddsTable->setAlternatingRowColors(true);
  QStringList columns;
  for (std::size_t k = 1; k <= kMostCopiesAsked; ++k)
    columns << QStringLiteral("At least %1").arg(k);
  OddsTable->setHorizontalHeaderLabels(columns);
  QStringList rows;
  for (std::int64_t seen = kOpeningHand; seen <= kLastOddsRow; ++seen) {
    rows << QString::fromStdString(OddsRowCaption(seen));
  }
  OddsTable->setVerticalHeaderLabels(rows);
  OddsTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  // Compact rows, and a table tall enough to show all of them without a
  // scroll bar.
  OddsTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  OddsTable->verticalHeader()->setDefaultSectionSize(OddsTable->fontMetrics().height() + 6);
  OddsTable->setMinimumHeight(OddsTable->horizontalHeader()->sizeHint().height() +
                              OddsTable->rowCount() *
                                  OddsTable->verticalHeader()->defaultSectionSize() +
                              2 * OddsTable->frameWidth() + 2);
  OddsNotice = new QLabel(OddsPages);
  OddsNotice->setObjectName(QStringLiteral("OddsNotice"));
  OddsNotice->setAlignment(Qt::AlignCenter);
  OddsNotice->setWordWrap(true);
  OddsPages->addWidget(OddsTable);
  OddsPages->addWidget(OddsNotice);
  layout->addWidget(OddsPages);
  layout->addStretch(1);
  goalPart_ = new GoalPart(deck, OddsTabs);
  OddsTabs->addTab(single, QStringLiteral("&One Group"));
  OddsTabs->addTab(goalPart_, QStringLiteral("&Goal"));
  resize(470, sizeHint().height());
  followAnalysis();
}

void DrawOddsPanel::showGoal() {
  OddsTabs->setCurrentWidget(goalPart_);
}

void DrawOddsPanel::followAnalysis() {
  if (goalPart_) goalPart_->followAnalysis();
  if (!deck_.isOpen()) {
    clear(kNoDeck);
    return;
  }
  // Another deck: a card or figure touched in the old one says nothing of
  // it, so the window starts over from what the main window now shows. The
  // same deck analysed again (an edit, a reload) keeps its group.
  if (deck_.view().DName() != deckName_) {
    deckName_ = deck_.view().DName();
    cardGroup_ = false;
    groupName_ =
        deck_.view().ShownList().empty() ? std::string(kFirstGroup) : deck_.view().ShownList();
  }
  recompute();
}

void DrawOddsPanel::followList() {
  if (deck_.view().ShownList().empty()) return;
  cardGroup_ = false;
  groupName_ = deck_.view().ShownList();
  recompute();
}

void DrawOddsPanel::followCardLine(int line) {
  const auto& entries = deck_.view().CardListEntries();
  if (line < 0 || static_cast<std::size_t>(line) >= entries.size()) return;
  cardGroup_ = true;
  groupName_ = entries[static_cast<std::size_t>(line)].Name;
  recompute();
}

void DrawOddsPanel::clear(const QString& notice) {
  setWindowTitle(QStringLiteral("Draw Odds"));
  GroupLabel->clear();
  OddsTable->clearContents();
  OddsNotice->setText(notice);
  OddsPages->setCurrentWidget(OddsNotice);
}

void DrawOddsPanel::recompute() {
  if (!deck_.isOpen()) return;
  const QString name =
      cardGroup_ ? FromCardBytes(groupName_)
                 : FromCardBytes(FieldDisplayName(groupName_, deck_.view().CostBoxText()));
  std::optional<OddsGroup> group;
  try {
    group = cardGroup_ ? CardOddsGroup(deck_.analysis(), deck_.db(), groupName_)
                       : FigureOddsGroup(deck_.analysis(), groupName_);
  } catch (const std::exception& e) {
    // No odds for this deck: the reason stands where the table would.
    clear(QString::fromStdString(e.what()));
    setWindowTitle(QStringLiteral("Draw Odds - %1").arg(name));
    return;
  }
  if (!group) return;
  setWindowTitle(QStringLiteral("Draw Odds - %1").arg(name));
  GroupLabel->setText(
      QStringLiteral("<b>%1</b>: %2 (%3 top deck) in a pile of %4 cards (%5 top deck)")
          .arg(name.toHtmlEscaped(), Copies(group->Copies))
          .arg(group->TopDeckCopies)
          .arg(group->Pile)
          .arg(group->TopDeck));
  const auto rows = DrawOddsTable(*group);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t k = 0; k < kMostCopiesAsked; ++k) {
      auto* item = new QTableWidgetItem(QString::fromStdString(PerMilleText(rows[r].AtLeast[k])) +
                                        QStringLiteral(" %"));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      OddsTable->setItem(static_cast<int>(r), static_cast<int>(k), item);
    }
  }
  OddsPages->setCurrentWidget(OddsTable);
}

}  // namespace quillet
