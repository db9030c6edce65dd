#include "gui/odds/goal_part.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <limits>

#include "core/analysis/field_names.h"
#include "core/odds/deck_pile.h"
#include "core/odds/draw_odds.h"
#include "gui/main_window/deck_document.h"
#include "gui/platform/card_text_codec.h"

namespace quillet {
namespace {

const QString kNoConditions = QStringLiteral("Add a condition to see the chance of a goal.");
// A slice of the dealt check: a few milliseconds of dealing, so the window
// answers between slices.
constexpr std::uint64_t kDealSlice = 5000;
constexpr int kDefaultTrials = 10000;

// The figures a condition may count: those that open a list, as quillet-cli
// accepts them.
std::vector<std::string> FiguresWithLists() {
  std::vector<std::string> names;
  for (const MasterField& field : MasterFields()) {
    if (MainView::HasList(field.name)) names.emplace_back(field.name);
  }
  for (const char* name : {"DName", "HQType"}) {
    if (MainView::HasList(name)) names.emplace_back(name);
  }
  return names;
}

QByteArray Key(const GoalGroup& group) {
  return QByteArray(group.IsCard ? "C" : "F") +
         QByteArray(group.Name.data(), static_cast<qsizetype>(group.Name.size()));
}

GoalGroup FromKey(const QByteArray& key) {
  return {key.startsWith('C'), key.mid(1).toStdString()};
}

QString PercentText(std::int32_t perMille) {
  return QString::fromStdString(PerMilleText(perMille)) + QStringLiteral(" %");
}

}  // namespace

GoalPart::GoalPart(DeckDocument& deck, QWidget* parent) : QWidget(parent), deck_(deck) {
  setObjectName(QStringLiteral("GoalPart"));
  auto* layout = new QVBoxLayout(this);
  auto* heading =
      new QLabel(QStringLiteral("<b>Goal</b>: all of these among the cards seen"), this);
  heading->setObjectName(QStringLiteral("GoalHeading"));
  layout->addWidget(heading);
  ConditionRows = new QVBoxLayout;
  ConditionRows->setSpacing(2);
  layout->addLayout(ConditionRows);
  AddConditionButton = new QPushButton(QStringLiteral("Add Condition"), this);
  AddConditionButton->setObjectName(QStringLiteral("AddConditionButton"));
  auto* addLine = new QHBoxLayout;
  addLine->addWidget(AddConditionButton);
  addLine->addStretch(1);
  layout->addLayout(addLine);

  GoalPages = new QStackedWidget(this);
  GoalPages->setObjectName(QStringLiteral("GoalPages"));
  GoalTable = new QTableWidget(static_cast<int>(kLastOddsRow - kOpeningHand + 1), 1, GoalPages);
  GoalTable->setObjectName(QStringLiteral("GoalTable"));
  GoalTable->setAccessibleName(QStringLiteral("Goal odds by cards seen"));
  GoalTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  GoalTable->setSelectionMode(QAbstractItemView::SingleSelection);
  GoalTable->setAlternatingRowColors(true);
  QStringList rows;
  for (std::int64_t seen = kOpeningHand; seen <= kLastOddsRow; ++seen) {
    rows << QString::fromStdString(OddsRowCaption(seen));
  }
  GoalTable->setVerticalHeaderLabels(rows);
  GoalTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  GoalTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  GoalTable->verticalHeader()->setDefaultSectionSize(GoalTable->fontMetrics().height() + 6);
  GoalTable->setMinimumHeight(GoalTable->horizontalHeader()->sizeHint().height() +
                              GoalTable->rowCount() *
                                  GoalTable->verticalHeader()->defaultSectionSize() +
                              2 * GoalTable->frameWidth() + 2);
  GoalTable->setMaximumHeight(GoalTable->minimumHeight());
  GoalNotice = new QLabel(GoalPages);
  GoalNotice->setObjectName(QStringLiteral("GoalNotice"));
  GoalNotice->setAlignment(Qt::AlignCenter);
  GoalNotice->setWordWrap(true);
  GoalPages->addWidget(GoalTable);
  GoalPages->addWidget(GoalNotice);
  layout->addWidget(GoalPages);

  // The dealt check: T hands from seed S, each looked at after 8 + D cards.
  auto* dealLine = new QHBoxLayout;
  DealTrials = new QSpinBox(this);
  DealTrials->setObjectName(QStringLiteral("DealTrials"));
  DealTrials->setAccessibleName(QStringLiteral("Hands to deal"));
  DealTrials->setRange(1, static_cast<int>(kMostDealtTrials));
  DealTrials->setGroupSeparatorShown(true);
  DealTrials->setValue(kDefaultTrials);
  DealSeed = new QLineEdit(this);
  DealSeed->setObjectName(QStringLiteral("DealSeed"));
  DealSeed->setAccessibleName(QStringLiteral("Seed"));
  DealSeed->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,20}")), DealSeed));
  // A fresh seed for each window; it stays shown, so any run can be replayed.
  DealSeed->setText(QString::number(QRandomGenerator::global()->generate64()));
  DealDraws = new QSpinBox(this);
  DealDraws->setObjectName(QStringLiteral("DealDraws"));
  DealDraws->setAccessibleName(QStringLiteral("Draws after the opening hand"));
  DealDraws->setRange(0, static_cast<int>(kLastOddsRow - kOpeningHand));
  DealButton = new QPushButton(QStringLiteral("Deal Hands"), this);
  DealButton->setObjectName(QStringLiteral("DealButton"));
  CancelDealButton = new QPushButton(QStringLiteral("Cancel"), this);
  CancelDealButton->setObjectName(QStringLiteral("CancelDealButton"));
  CancelDealButton->setEnabled(false);
  auto* trialsLabel = new QLabel(QStringLiteral("&Hands:"), this);
  trialsLabel->setBuddy(DealTrials);
  auto* seedLabel = new QLabel(QStringLiteral("S&eed:"), this);
  seedLabel->setBuddy(DealSeed);
  auto* drawsLabel = new QLabel(QStringLiteral("D&raws:"), this);
  drawsLabel->setBuddy(DealDraws);
  dealLine->addWidget(trialsLabel);
  dealLine->addWidget(DealTrials);
  dealLine->addWidget(seedLabel);
  dealLine->addWidget(DealSeed, 1);
  dealLine->addWidget(drawsLabel);
  dealLine->addWidget(DealDraws);
  layout->addLayout(dealLine);
  auto* runLine = new QHBoxLayout;
  DealProgress = new QProgressBar(this);
  DealProgress->setObjectName(QStringLiteral("DealProgress"));
  DealProgress->setRange(0, 1000);
  DealProgress->setTextVisible(false);
  runLine->addWidget(DealButton);
  runLine->addWidget(CancelDealButton);
  runLine->addWidget(DealProgress, 1);
  layout->addLayout(runLine);
  DealResult = new QLabel(this);
  DealResult->setObjectName(QStringLiteral("DealResult"));
  DealResult->setWordWrap(true);
  DealResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(DealResult);
  layout->addStretch(1);

  dealTimer_ = new QTimer(this);
  dealTimer_->setInterval(0);
  connect(dealTimer_, &QTimer::timeout, this, &GoalPart::dealSlice);
  connect(AddConditionButton, &QPushButton::clicked, this, &GoalPart::addConditionRow);
  connect(DealButton, &QPushButton::clicked, this, &GoalPart::startDeal);
  connect(CancelDealButton, &QPushButton::clicked, this, &GoalPart::cancelDeal);
  followAnalysis();
}

void GoalPart::followAnalysis() {
  cancelDeal();
  DealResult->clear();
  // Another deck: its groups are other groups, so the goal starts over. The
  // same deck analysed again (an edit, a reload, a switch) keeps it, also
  // past an analysis that failed (a save caught half-way) in between.
  const bool open = deck_.isOpen();
  if (open && deck_.view().DName() != deckName_) {
    deckName_ = deck_.view().DName();
    conditions_.clear();
  }
  deckCards_.clear();
  if (open) {
    try {
      const DeckPile pile = DeckPile::FromAnalysis(deck_.analysis(), DeckPile::Limit::kNoLimit);
      for (const PileLine& line : pile.Lines()) {
        std::string name(line.Card.Name.View());
        if (std::find(deckCards_.begin(), deckCards_.end(), name) == deckCards_.end()) {
          deckCards_.push_back(std::move(name));
        }
      }
    } catch (const std::exception&) {
      // A deck the odds refuse offers no cards; recompute shows why.
    }
    std::sort(deckCards_.begin(), deckCards_.end());
  }
  rebuildRows();
  recompute();
}

bool GoalPart::addCondition(const GoalGroup& group) {
  if (!deck_.isOpen() || conditions_.size() >= kMostGoalConditions) return false;
  cancelDeal();
  conditions_.push_back({1, group});
  rebuildRows();
  recompute();
  return true;
}

void GoalPart::addConditionRow() {
  // A new row starts from the assets, the group players ask about first.
  addCondition({false, "AssetAmount"});
}

void GoalPart::fillChoices(QComboBox& box, const GoalGroup& chosen) const {
  const std::string& costKind = deck_.view().CostBoxText();
  bool found = false;
  const auto add = [&](const QString& text, const GoalGroup& group) {
    box.addItem(text, Key(group));
    found = found || group == chosen;
  };
  for (const std::string& figure : FiguresWithLists()) {
    add(FromCardBytes(FieldDisplayName(figure, costKind)), {false, figure});
  }
  box.insertSeparator(box.count());
  for (const std::string& card : deckCards_) add(FromCardBytes(card), {true, card});
  // A card the deck no longer holds stays chosen, with 0 copies.
  if (!found)
    add(chosen.IsCard ? FromCardBytes(chosen.Name) : QString::fromStdString(chosen.Name), chosen);
  box.setCurrentIndex(box.findData(Key(chosen)));
}

void GoalPart::rebuildRows() {
  // Old rows leave the window at once (a row's own remove button may be
  // the caller) and are deleted once their signals are done.
  while (QLayoutItem* item = ConditionRows->takeAt(0)) {
    if (QWidget* row = item->widget()) {
      row->hide();
      row->setParent(nullptr);
      row->deleteLater();
    }
    delete item;
  }
  for (std::size_t i = 0; i < conditions_.size(); ++i) {
    const QString number = QString::number(i + 1);
    auto* row = new QWidget(this);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    auto* atLeast = new QLabel(QStringLiteral("At least"), row);
    auto* count = new QSpinBox(row);
    count->setObjectName(QStringLiteral("GoalCount") + number);
    count->setAccessibleName(QStringLiteral("Copies needed, condition %1").arg(number));
    count->setRange(1, kMostGoalCopies);
    count->setValue(conditions_[i].AtLeast);
    auto* group = new QComboBox(row);
    group->setObjectName(QStringLiteral("GoalGroup") + number);
    group->setAccessibleName(QStringLiteral("Group, condition %1").arg(number));
    group->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    group->setMinimumContentsLength(18);
    fillChoices(*group, conditions_[i].Group);
    auto* remove = new QToolButton(row);
    remove->setObjectName(QStringLiteral("RemoveCondition") + number);
    remove->setText(QStringLiteral("Remove"));
    remove->setAccessibleName(QStringLiteral("Remove condition %1").arg(number));
    line->addWidget(atLeast);
    line->addWidget(count);
    line->addWidget(group, 1);
    line->addWidget(remove);
    ConditionRows->addWidget(row);
    connect(count, &QSpinBox::valueChanged, this, [this, i](int k) {
      cancelDeal();
      conditions_.at(i).AtLeast = k;
      recompute();
    });
    connect(group, &QComboBox::currentIndexChanged, this, [this, i, group](int index) {
      if (index < 0) return;
      cancelDeal();
      conditions_.at(i).Group = FromKey(group->itemData(index).toByteArray());
      recompute();
    });
    connect(remove, &QToolButton::clicked, this, [this, i] {
      cancelDeal();
      conditions_.erase(conditions_.begin() + static_cast<std::ptrdiff_t>(i));
      rebuildRows();
      recompute();
    });
  }
  AddConditionButton->setEnabled(deck_.isOpen() && conditions_.size() < kMostGoalConditions);
}

void GoalPart::showNotice(const QString& text) {
  goal_.reset();
  GoalTable->clearContents();
  GoalNotice->setText(text);
  GoalPages->setCurrentWidget(GoalNotice);
  DealButton->setEnabled(false);
}

void GoalPart::recompute() {
  DealResult->clear();
  if (!deck_.isOpen()) {
    showNotice(QStringLiteral("Open a deck to see the chance of a goal."));
    return;
  }
  if (conditions_.empty()) {
    showNotice(kNoConditions);
    return;
  }
  std::vector<GoalRow> rows;
  try {
    goal_ = ResolveGoal(deck_.analysis(), deck_.db(), conditions_);
    rows = goal_->Table();
  } catch (const std::exception& e) {
    // The goal's table is refused for the same reasons as the odds above.
    showNotice(QString::fromStdString(e.what()));
    return;
  }
  const std::string& costKind = deck_.view().CostBoxText();
  QStringList columns{QStringLiteral("Whole goal")};
  for (const GoalCondition& condition : conditions_) {
    const QString name = condition.Group.IsCard
                             ? FromCardBytes(condition.Group.Name)
                             : FromCardBytes(FieldDisplayName(condition.Group.Name, costKind));
    columns << QStringLiteral("%1+ %2").arg(condition.AtLeast).arg(name);
  }
  GoalTable->setColumnCount(static_cast<int>(columns.size()));
  GoalTable->setHorizontalHeaderLabels(columns);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (int c = 0; c < columns.size(); ++c) {
      const std::int32_t perMille =
          c == 0 ? rows[r].Chance : rows[r].Each.at(static_cast<std::size_t>(c - 1));
      auto* item = new QTableWidgetItem(PercentText(perMille));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (c == 0) {
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
      }
      GoalTable->setItem(static_cast<int>(r), c, item);
    }
  }
  GoalPages->setCurrentWidget(GoalTable);
  DealButton->setEnabled(true);
}

bool GoalPart::dealing() const {
  return dealTimer_->isActive();
}

void GoalPart::startDeal() {
  if (!goal_ || dealing()) return;
  bool ok = false;
  const std::uint64_t seed = DealSeed->text().toULongLong(&ok);
  if (!ok) {
    DealResult->setText(QStringLiteral("The seed must be a whole number from 0 to %1.")
                            .arg(std::numeric_limits<std::uint64_t>::max()));
    return;
  }
  const std::int64_t seen = kOpeningHand + DealDraws->value();
  deal_.dealer.emplace(*goal_, seen);
  deal_.seed = seed;
  deal_.trials = static_cast<std::uint64_t>(DealTrials->value());
  deal_.done = 0;
  deal_.met = 0;
  deal_.exact = goal_->Row(seen).Chance;
  DealResult->setText(QStringLiteral("Dealing..."));
  DealProgress->setValue(0);
  // The focus goes with the run: a keyboard user cancels with the key that
  // started it.
  const bool focused = DealButton->hasFocus();
  CancelDealButton->setEnabled(true);
  if (focused) CancelDealButton->setFocus();
  DealButton->setEnabled(false);
  dealTimer_->start();
}

void GoalPart::dealSlice() {
  const std::uint64_t last = std::min(deal_.trials, deal_.done + kDealSlice);
  deal_.met += deal_.dealer->CountMet(deal_.seed, deal_.done, last);
  deal_.done = last;
  DealProgress->setValue(static_cast<int>(deal_.done * 1000 / deal_.trials));
  if (deal_.done == deal_.trials) {
    endDeal(QString::fromStdString(DealtCheckText(deal_.met, deal_.trials, deal_.exact)));
  }
}

void GoalPart::cancelDeal() {
  if (!dealing()) return;
  // The hands dealt before the cancel still say something; the bar starts
  // again with the next run.
  DealProgress->setValue(0);
  if (deal_.done == 0) {
    endDeal(QStringLiteral("Dealing cancelled."));
  } else {
    endDeal(QString::fromStdString(DealtCheckText(deal_.met, deal_.done, deal_.exact, true)));
  }
}

void GoalPart::endDeal(QString result) {
  dealTimer_->stop();
  deal_.dealer.reset();
  // A figure stays with its percent sign when the line wraps.
  result.replace(QStringLiteral(" %"), QStringLiteral("\u00A0%"));
  DealResult->setText(result);
  const bool focused = CancelDealButton->hasFocus();
  DealButton->setEnabled(goal_.has_value());
  if (focused && DealButton->isEnabled()) DealButton->setFocus();
  CancelDealButton->setEnabled(false);
}

}  // namespace quillet
