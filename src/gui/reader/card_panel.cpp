#include "gui/reader/card_panel.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>
#include <array>
#include <string_view>

#include "core/analysis/session.h"
#include "core/card_data/io_error.h"
#include "core/card_data/text_util.h"
#include "gui/platform/card_text_codec.h"

namespace quillet {
namespace {

// The reader's boxes in the panel's arrangement, by the reader's names.
constexpr std::array<std::string_view, 4> kIdentityBoxes = {"CardType", "Domain", "Rarity",
                                                            "Edition"};
// Two a row.
constexpr std::array<std::string_view, 6> kCombatBoxes = {"HP",      "Firepower",  "Armor",
                                                          "Stealth", "Perception", "CyberAffinity"};
constexpr std::array<std::string_view, 3> kResourceWords = {"Military", "Covert", "CyberOps"};
constexpr std::array<std::string_view, 3> kResourceSuffixes = {"Mil", "Cov", "Cyb"};
// The rows of the resource grid: a caption and the prefix of its boxes.
constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kCostRows = {
    {{"Deploy:", "Deploy"}, {"Attack:", "Attack"}, {"Move:", "Move"}, {"Search:", "Search"}}};

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

const ReaderField& FieldNamed(std::string_view name) {
  for (const ReaderField& field : ReaderFields()) {
    if (field.name == name) return field;
  }
  return ReaderFields().front();  // never reached: every name above is the reader's
}

// A caption as a label beside its box shows it, and as a screen reader reads
// the box: without the colon.
QString Spoken(std::string_view caption) {
  QString text = Latin1(caption);
  if (text.endsWith(QLatin1Char(':'))) text.chop(1);
  return text;
}

}  // namespace

CardPanel::CardPanel(Session& session, QWidget* parent) : QWidget(parent), session_(session) {
  setObjectName(QStringLiteral("CardPanel"));
  setWindowTitle(QStringLiteral("Card"));
  buildControls();
  clear();
}

CardPanel::~CardPanel() = default;

void CardPanel::buildControls() {
  const auto valueLabel = [this](std::string_view name) {
    auto* label = new QLabel(this);
    label->setObjectName(Latin1(name));
    label->setAccessibleName(Spoken(FieldNamed(name).caption));
    label->setTextFormat(Qt::PlainText);
    values_[std::string(name)] = label;
    return label;
  };

  CardName = valueLabel("CardName");
  QFont big = CardName->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.2);
  CardName->setFont(big);
  CardName->setWordWrap(true);
  CardName->setTextInteractionFlags(Qt::TextSelectableByMouse);
  OpenReaderButton = new QPushButton(QStringLiteral("Open in &Reader"), this);
  OpenReaderButton->setObjectName(QStringLiteral("OpenReaderButton"));
  OpenReaderButton->setAccessibleName(QStringLiteral("Open in Reader"));
  auto* top = new QHBoxLayout;
  top->addWidget(CardName, 1);
  top->addWidget(OpenReaderButton, 0, Qt::AlignTop);

  auto* identity = new QFormLayout;
  identity->setObjectName(QStringLiteral("IdentityRows"));
  for (std::string_view name : kIdentityBoxes) {
    identity->addRow(Latin1(FieldNamed(name).caption), valueLabel(name));
  }

  // The values: the combat figures two a row, then the resources in a grid
  // of their own with one column per resource.
  auto* values = new QGridLayout;
  values->setObjectName(QStringLiteral("ValueGrid"));
  values->setHorizontalSpacing(10);
  int row = 0;
  for (std::size_t i = 0; i < kCombatBoxes.size(); ++i) {
    const int column = 3 * static_cast<int>(i % 2);
    if (i > 0 && i % 2 == 0) ++row;
    values->addWidget(new QLabel(Latin1(FieldNamed(kCombatBoxes[i]).caption), this), row, column);
    values->addWidget(valueLabel(kCombatBoxes[i]), row, column + 1);
  }
  values->setColumnMinimumWidth(2, 16);
  values->setColumnStretch(4, 1);
  auto* costs = new QGridLayout;
  costs->setObjectName(QStringLiteral("ResourceGrid"));
  costs->setHorizontalSpacing(14);
  row = 0;
  for (std::size_t r = 0; r < kResourceWords.size(); ++r) {
    costs->addWidget(new QLabel(Latin1(kResourceWords[r]), this), row, 1 + static_cast<int>(r));
  }
  ++row;
  costs->addWidget(new QLabel(QStringLiteral("Production:"), this), row, 0);
  for (std::size_t r = 0; r < kResourceSuffixes.size(); ++r) {
    auto* cell = new QHBoxLayout;
    cell->setSpacing(0);
    cell->addWidget(valueLabel("Prod" + std::string(kResourceSuffixes[r])));
    slashes_[r] = new QLabel(this);
    slashes_[r]->setObjectName(QStringLiteral("Slash") + Latin1(kResourceSuffixes[r]));
    cell->addWidget(slashes_[r]);
    cell->addWidget(valueLabel("Turns" + std::string(kResourceSuffixes[r])));
    cell->addStretch(1);
    costs->addLayout(cell, row, 1 + static_cast<int>(r));
  }
  for (const auto& [caption, prefix] : kCostRows) {
    ++row;
    costs->addWidget(new QLabel(Latin1(caption), this), row, 0);
    for (std::size_t r = 0; r < kResourceSuffixes.size(); ++r) {
      costs->addWidget(valueLabel(std::string(prefix) + std::string(kResourceSuffixes[r])), row,
                       1 + static_cast<int>(r));
    }
  }
  costs->setColumnStretch(4, 1);

  SpecialList = new QLabel(this);
  SpecialList->setObjectName(QStringLiteral("SpecialList"));
  SpecialList->setAccessibleName(QStringLiteral("Special"));
  SpecialList->setWordWrap(true);
  SpecialList->setTextFormat(Qt::PlainText);
  auto* special = new QFormLayout;
  special->addRow(QStringLiteral("Special:"), SpecialList);

  CardText = new QTextEdit(this);
  CardText->setObjectName(QStringLiteral("CardText"));
  CardText->setAccessibleName(QStringLiteral("Rules text"));
  CardText->setReadOnly(true);
  CardText->setAcceptRichText(false);
  CardText->setLineWrapMode(QTextEdit::WidgetWidth);
  // Read-only, but the keyboard still selects and copies.
  CardText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  CardText->setTabChangesFocus(true);

  CardStatus = new QLabel(this);
  CardStatus->setObjectName(QStringLiteral("CardStatus"));
  CardStatus->setWordWrap(true);

  // Without a card the boxes would be a form of empty rows: they show with
  // a card only.
  CardDetails = new QWidget(this);
  CardDetails->setObjectName(QStringLiteral("CardDetails"));
  auto* details = new QVBoxLayout(CardDetails);
  details->setContentsMargins(0, 0, 0, 0);
  details->addLayout(identity);
  details->addLayout(values);
  details->addLayout(costs);
  details->addLayout(special);
  details->addWidget(CardText, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(top);
  layout->addWidget(CardStatus);
  layout->addWidget(CardDetails, 1);
  layout->addStretch(0);  // takes the room only while the details are hidden

  connect(OpenReaderButton, &QPushButton::clicked, this, &CardPanel::openReader);
}

void CardPanel::showCard(const QByteArray& name) {
  if (name.isEmpty()) {
    clear();
    return;
  }
  wanted_ = name.toStdString();
  if (!session_.db.CardStatExists()) {
    showNotice(QStringLiteral("You must create a data file to use this program"));
    return;
  }
  // A fresh model for each card: see the note at the top of the header.
  ReaderModel reader(session_.db, wanted_, *this);
  try {
    reader.FormActivate();
  } catch (const IoError& error) {
    showNotice(FromCardBytes(error.what()));
    return;
  }
  // The reader falls back to the last card for a name no card has; the
  // panel must not show another card than the one picked.
  if (reader.view().CardName != wanted_) {
    showNotice(QStringLiteral("No Such Card!"));
    return;
  }
  shown_ = wanted_;
  showView(reader.view());
}

void CardPanel::clear() {
  wanted_.clear();
  showNotice(QStringLiteral("Pick a card in a list to see it here."));
}

void CardPanel::showNotice(const QString& notice) {
  shown_.clear();
  showView(ReaderView{});
  CardName->setText(FromCardBytes(wanted_));
  CardStatus->setText(notice);
  CardStatus->show();
}

void CardPanel::showView(const ReaderView& view) {
  for (const ReaderField& field : ReaderFields()) {
    values_.find(field.name)->second->setText(FromCardBytes(view.*field.value));
  }
  for (std::size_t r = 0; r < kResourceSuffixes.size(); ++r) {
    const std::string& prod = view.*FieldNamed("Prod" + std::string(kResourceSuffixes[r])).value;
    const std::string& turns = view.*FieldNamed("Turns" + std::string(kResourceSuffixes[r])).value;
    const bool produces = !Trim(prod).empty() || !Trim(turns).empty();
    slashes_[r]->setText(produces ? QStringLiteral(" / ") : QString());
  }
  QStringList special;
  for (const std::string& word : view.SpecialBox) special << FromCardBytes(word);
  SpecialList->setText(special.join(QStringLiteral(", ")));

  CardText->setPlainText(FromCardBytes(view.CardText));
  // The notice of a missing CardText.Dat stands apart from any rules text,
  // as in the reader.
  QPalette colours = palette();
  if (view.CardTextMissing) colours.setColor(QPalette::Text, QColor(0, 128, 128));
  CardText->setPalette(colours);

  CardStatus->clear();
  CardStatus->hide();
  CardDetails->setVisible(!shown_.empty());
  OpenReaderButton->setEnabled(!shown_.empty());
}

void CardPanel::ShowMessage(const std::string& text) {
  CardStatus->setText(FromCardBytes(text));
  CardStatus->show();
}

void CardPanel::openReader() {
  if (shown_.empty()) return;
  session_.SelectedCardName = shown_;
  if (showReader) showReader();
}

}  // namespace quillet
