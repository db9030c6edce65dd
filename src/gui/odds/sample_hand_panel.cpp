#include "gui/odds/sample_hand_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <limits>

#include "core/odds/draw_odds.h"
#include "gui/main_window/deck_document.h"
#include "gui/platform/card_text_codec.h"
#include "gui/platform/close_keys.h"
#include "gui/platform/goal_action.h"
#include "gui/platform/row_pick_watch.h"
#include "gui/platform/window_font.h"

namespace quillet {

SampleHandPanel::SampleHandPanel(DeckDocument& deck, QWidget* parent)
    : QWidget(parent, Qt::Window), deck_(deck) {
  setObjectName(QStringLiteral("SampleHandForm"));
  CloseOnKeys(*this);
  setWindowTitle(QStringLiteral("Sample Hand"));
  setFont(WindowFont());
  auto* layout = new QVBoxLayout(this);

  auto* seedRow = new QHBoxLayout;
  auto* seedLabel = new QLabel(QStringLiteral("&Seed:"), this);
  seedLabel->setObjectName(QStringLiteral("SeedLabel"));
  SeedEdit = new QLineEdit(this);
  SeedEdit->setObjectName(QStringLiteral("SeedEdit"));
  // Any unsigned 64-bit number, as the command line's hand takes it: the
  // digits are checked here, the range when the seed is read, so a seed one
  // past the largest is told why it deals nothing.
  SeedEdit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,20}")), SeedEdit));
  SeedEdit->setToolTip(QStringLiteral("Type a seed from 0 to %1 to deal its hand again")
                           .arg(std::numeric_limits<std::uint64_t>::max()));
  seedLabel->setBuddy(SeedEdit);
  seedRow->addWidget(seedLabel);
  seedRow->addWidget(SeedEdit, 1);
  layout->addLayout(seedRow);

  HandList = new QListWidget(this);
  HandList->setObjectName(QStringLiteral("HandList"));
  HandList->setAccessibleName(QStringLiteral("Hand"));
  HandList->setToolTip(QStringLiteral("Double click a card to read it"));
  layout->addWidget(HandList, 1);
  HandStatus = new QLabel(this);
  HandStatus->setObjectName(QStringLiteral("HandStatus"));
  HandStatus->setWordWrap(true);
  layout->addWidget(HandStatus);

  auto* buttons = new QHBoxLayout;
  DrawButton = new QPushButton(QStringLiteral("&Draw"), this);
  DrawButton->setObjectName(QStringLiteral("DrawButton"));
  NewHandButton = new QPushButton(QStringLiteral("&New Hand"), this);
  NewHandButton->setObjectName(QStringLiteral("NewHandButton"));
  buttons->addStretch(1);
  buttons->addWidget(DrawButton);
  buttons->addWidget(NewHandButton);
  layout->addLayout(buttons);

  connect(DrawButton, &QPushButton::clicked, this, &SampleHandPanel::drawCard);
  connect(NewHandButton, &QPushButton::clicked, this, &SampleHandPanel::dealNewHand);
  connect(SeedEdit, &QLineEdit::textEdited, this, &SampleHandPanel::dealFromSeed);
  connect(HandList, &QListWidget::itemActivated, this, &SampleHandPanel::openCard);
  const auto nameAt = [this](const QModelIndex& index) {
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= shown_) return QByteArray();
    const std::string& name = dealt_[row].Name;
    return QByteArray(name.data(), static_cast<qsizetype>(name.size()));
  };
  picks_ = new RowPickWatch(*HandList, [this, nameAt](const QModelIndex& index) {
    const QByteArray name = nameAt(index);
    if (!name.isEmpty()) emit cardSelected(name);
  });
  AddGoalAction(*HandList, nameAt, [this](const QByteArray& name) { emit addToGoal(name); });
  resize(340, 420);
  followAnalysis();
}

void SampleHandPanel::followAnalysis() {
  if (!deck_.isOpen()) {
    SeedEdit->clear();
    clear(QStringLiteral("Open a deck to deal a sample hand."));
    return;
  }
  dealHand(newSeed());
}

void SampleHandPanel::dealNewHand() {
  if (deck_.isOpen()) dealHand(newSeed());
}

void SampleHandPanel::drawCard() {
  if (shown_ >= dealt_.size()) return;
  ++shown_;
  showHand();
  HandList->scrollToBottom();
}

void SampleHandPanel::dealFromSeed(const QString& text) {
  if (text.isEmpty() || !deck_.isOpen()) return;
  bool ok = false;
  const qulonglong seed = text.toULongLong(&ok);
  if (ok) {
    dealHand(seed);
    return;
  }
  // The hand on show would belong to another seed than the one in the box.
  clear(QStringLiteral("A seed is a number from 0 to %1.")
            .arg(std::numeric_limits<std::uint64_t>::max()));
}

void SampleHandPanel::openCard() {
  const int row = HandList->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= shown_) return;
  deck_.session().SelectedCardName = dealt_[static_cast<std::size_t>(row)].Name;
  if (showReader) showReader();
}

void SampleHandPanel::dealHand(std::uint64_t seed) {
  if (SeedEdit->text() != QString::number(seed)) SeedEdit->setText(QString::number(seed));
  try {
    dealt_ = DealPile(DeckPile::FromAnalysis(deck_.analysis()), seed);
  } catch (const std::exception& e) {
    clear(QString::fromStdString(e.what()));
    return;
  }
  shown_ = std::min<std::size_t>(dealt_.size(), kOpeningHand);
  showHand();
}

void SampleHandPanel::clear(const QString& notice) {
  const RowPickWatch::Quiet quiet(*picks_);
  dealt_.clear();
  shown_ = 0;
  HandList->clear();
  HandStatus->setText(notice);
  DrawButton->setEnabled(false);
  NewHandButton->setEnabled(deck_.isOpen());
}

void SampleHandPanel::showHand() {
  const RowPickWatch::Quiet quiet(*picks_);
  HandList->clear();
  QFont topDeckFont = HandList->font();
  topDeckFont.setBold(true);
  for (std::size_t i = 0; i < shown_; ++i) {
    const DealtCard& card = dealt_[i];
    // The hand is numbered 1 to 8; each later draw by its number after it.
    const QString place =
        i < static_cast<std::size_t>(kOpeningHand)
            ? QStringLiteral("%1.").arg(i + 1)
            : QStringLiteral("+%1").arg(i + 1 - static_cast<std::size_t>(kOpeningHand));
    QString text = place.leftJustified(5) + FromCardBytes(card.Name);
    if (card.TopDeck) text += QStringLiteral("  [top deck]");
    auto* item = new QListWidgetItem(text);
    if (card.TopDeck) item->setFont(topDeckFont);
    HandList->addItem(item);  // the list owns it
  }
  const std::size_t left = dealt_.size() - shown_;
  HandStatus->setText(
      dealt_.empty() ? QStringLiteral("The deck has no cards to deal.")
                     : QStringLiteral("%1 cards seen, %2 left in the pile").arg(shown_).arg(left));
  DrawButton->setEnabled(left > 0);
  NewHandButton->setEnabled(true);
}

}  // namespace quillet
