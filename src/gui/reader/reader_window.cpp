#include "gui/reader/reader_window.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QWindow>

#include "core/analysis/session.h"
#include "core/card_data/io_error.h"
#include "gui/platform/card_text_codec.h"
#include "gui/platform/centre_window.h"
#include "gui/platform/close_keys.h"
#include "gui/platform/platform.h"

namespace quillet {
namespace {

constexpr int kClientWidth = 560;
constexpr int kClientHeight = 362;
constexpr int kBoxHeight = 21;

const char* const kResourcePictures[] = {":/pictures/military.png", ":/pictures/covert.png",
                                         ":/pictures/cyberops.png"};
const char* const kResourceNames[] = {"Mil", "Cov", "Cyb"};

QLabel* AddLabel(QWidget* parent, const QString& name, const QString& text, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  label->setGeometry(x, y, label->sizeHint().width(), kBoxHeight);
  return label;
}

QLabel* AddPicture(QWidget* parent, const QString& name, int resource, int x, int y) {
  auto* picture = new QLabel(parent);
  picture->setObjectName(name);
  picture->setPixmap(QPixmap(QString::fromLatin1(kResourcePictures[resource])));
  picture->setGeometry(x, y, 16, 20);
  picture->setAlignment(Qt::AlignCenter);
  return picture;
}

QPushButton* AddButton(QWidget* parent, const QString& name, const QString& text, int x, int y) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setGeometry(x, y, 60, 25);
  return button;
}

}  // namespace

ReaderWindow::ReaderWindow(Session& session, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      platform_(platform),
      model_(session.db, session.SelectedCardName, *this) {
  setObjectName(QStringLiteral("ReaderForm"));
  CloseOnKeys(*this);
  setWindowTitle(QStringLiteral("Orvane Card Detail Reader"));
  setFixedSize(kClientWidth, kClientHeight);
  // The program ends with its main window, even while the reader is open.
  setAttribute(Qt::WA_QuitOnClose, false);
  buildControls();
  CentreOnScreen(*this);
  // If the activation went elsewhere after one of our message boxes (some
  // window systems do that), the next return to the reader is a real one.
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focused) {
    const QWindow* own = windowHandle();
    if (focused && (!own || (focused != own && focused->transientParent() != own))) {
      returningFromOwnMessage_ = false;
    }
  });
}

ReaderWindow::~ReaderWindow() = default;

void ReaderWindow::buildControls() {
  auto addBox = [this](QWidget* parent, const std::string& name, int x, int y, int width) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromStdString(name));
    box->setGeometry(x, y, width, kBoxHeight);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    boxes_[name] = box;
  };

  // The name group.
  auto* group = new QGroupBox(this);
  group->setObjectName(QStringLiteral("GroupBox1"));
  group->setGeometry(8, 4, 288, 142);
  const char* const nameRows[][3] = {{"CardName", "Name:", "NameLabel"},
                                     {"Edition", "Edition:", "EditionLabel"},
                                     {"Rarity", "Rarity:", "RarityLabel"},
                                     {"CardType", "Type:", "TypeLabel"},
                                     {"Domain", "Domain:", "DomainLabel"}};
  for (int i = 0; i < 5; ++i) {
    const int y = 16 + 24 * i;
    AddLabel(group, QString::fromLatin1(nameRows[i][2]), QString::fromLatin1(nameRows[i][1]), 8, y);
    addBox(group, nameRows[i][0], 62, y, 216);
  }

  // The resources row: picture, production "/" turns, for each resource.
  AddLabel(this, QStringLiteral("ResourcesLabel"), QStringLiteral("Resources:"), 8, 152);
  const char* const prodNames[] = {"ProdMil", "ProdCov", "ProdCyb"};
  const char* const turnsNames[] = {"TurnsMil", "TurnsCov", "TurnsCyb"};
  for (int r = 0; r < 3; ++r) {
    const int x = 70 + 76 * r;
    const QString suffix = QString::fromLatin1(kResourceNames[r]);
    AddPicture(this, QStringLiteral("ResourceImage") + suffix, r, x, 152);
    addBox(this, prodNames[r], x + 18, 152, 20);
    AddLabel(this, QStringLiteral("Slash") + suffix, QStringLiteral("/"), x + 41, 152);
    addBox(this, turnsNames[r], x + 47, 152, 24);
  }

  // The combat column.
  const char* const combatRows[][3] = {{"HP", "HP:", "HPLabel"},
                                       {"Firepower", "FirePower:", "FirepowerLabel"},
                                       {"Armor", "Armor:", "ArmorLabel"},
                                       {"Stealth", "Stealth:", "StealthLabel"},
                                       {"Perception", "Perception:", "PerceptionLabel"},
                                       {"CyberAffinity", "CyberAffinity:", "CyberAffinityLabel"}};
  for (int i = 0; i < 6; ++i) {
    const int y = 182 + 24 * i;
    AddLabel(this, QString::fromLatin1(combatRows[i][2]), QString::fromLatin1(combatRows[i][1]), 8,
             y);
    addBox(this, combatRows[i][0], 88, y, 28);
  }

  // The cost grid, one column per resource under its picture.
  const char* const costRows[][2] = {
      {"Deploy", "Deploy:"}, {"Attack", "Attack:"}, {"Move", "Move:"}, {"Search", "Search:"}};
  for (int c = 0; c < 3; ++c) {
    AddPicture(this, QStringLiteral("CostImage") + QString::fromLatin1(kResourceNames[c]), c,
               192 + 36 * c, 179);
  }
  for (int row = 0; row < 4; ++row) {
    const int y = 202 + 24 * row;
    const QString kind = QString::fromLatin1(costRows[row][0]);
    AddLabel(this, kind + QStringLiteral("Label"), QString::fromLatin1(costRows[row][1]), 128, y);
    for (int c = 0; c < 3; ++c) {
      addBox(this, std::string(costRows[row][0]) + kResourceNames[c], 186 + 36 * c, y, 28);
    }
  }
  AddLabel(this, QStringLiteral("SpecialLabel"), QStringLiteral("Special:"), 128, 300);
  SpecialBox = new QListWidget(this);
  SpecialBox->setObjectName(QStringLiteral("SpecialBox"));
  SpecialBox->setGeometry(186, 300, 100, 56);
  SpecialBox->setFocusPolicy(Qt::NoFocus);
  SpecialBox->setSelectionMode(QAbstractItemView::NoSelection);

  // The right side: the text, the navigation and the search.
  CardText = new QTextEdit(this);
  CardText->setObjectName(QStringLiteral("CardText"));
  CardText->setGeometry(304, 8, 248, 196);
  CardText->setReadOnly(true);
  CardText->setFocusPolicy(Qt::NoFocus);
  CardText->setLineWrapMode(QTextEdit::WidgetWidth);
  CardText->setAcceptRichText(false);

  FirstButton = AddButton(this, QStringLiteral("FirstButton"), QStringLiteral("First"), 398, 212);
  PreviousButton =
      AddButton(this, QStringLiteral("PreviousButton"), QStringLiteral("Previous"), 364, 240);
  NextButton = AddButton(this, QStringLiteral("NextButton"), QStringLiteral("Next"), 432, 240);
  LastButton = AddButton(this, QStringLiteral("LastButton"), QStringLiteral("Last"), 398, 268);
  SearchText = new QLineEdit(this);
  SearchText->setObjectName(QStringLiteral("SearchText"));
  SearchText->setGeometry(304, 302, 248, kBoxHeight);
  SearchText->installEventFilter(this);
  SearchButton =
      AddButton(this, QStringLiteral("SearchButton"), QStringLiteral("Find Card"), 364, 330);
  DoneButton = AddButton(this, QStringLiteral("DoneButton"), QStringLiteral("Done"), 432, 330);

  setTabOrder(DoneButton, FirstButton);
  setTabOrder(FirstButton, PreviousButton);
  setTabOrder(PreviousButton, NextButton);
  setTabOrder(NextButton, LastButton);
  setTabOrder(LastButton, SearchText);
  setTabOrder(SearchText, SearchButton);
  DoneButton->setFocus();

  connect(FirstButton, &QPushButton::clicked, this, &ReaderWindow::showFirstCard);
  connect(PreviousButton, &QPushButton::clicked, this, &ReaderWindow::showPreviousCard);
  connect(NextButton, &QPushButton::clicked, this, &ReaderWindow::showNextCard);
  connect(LastButton, &QPushButton::clicked, this, &ReaderWindow::showLastCard);
  connect(SearchButton, &QPushButton::clicked, this, &ReaderWindow::findCard);
  connect(SearchText, &QLineEdit::returnPressed, this, &ReaderWindow::findCard);
  connect(DoneButton, &QPushButton::clicked, this, &ReaderWindow::keepCardAndClose);
}

// Every user action of the reader ends here: a failed read shows its text
// and leaves the boxes as they were.
template <typename Action>
void ReaderWindow::run(Action action) {
  try {
    action();
  } catch (const IoError& e) {
    ShowMessage(e.what());
  }
  showCard();
}

void ReaderWindow::ShowMessage(const std::string& text) {
  // The message box takes the activation away and gives it back when it
  // closes; that return must not reload the card (see event()).
  const bool outer = !inOwnMessage_;
  inOwnMessage_ = true;
  platform_.showMessage(this, FromCardBytes(text));
  if (outer) inOwnMessage_ = false;
}

bool ReaderWindow::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowDeactivate:
      if (inOwnMessage_) returningFromOwnMessage_ = true;
      break;
    case QEvent::WindowActivate:
      if (returningFromOwnMessage_) {
        returningFromOwnMessage_ = false;
      } else {
        reloadCard();
      }
      break;
    default:
      break;
  }
  return QWidget::event(event);
}

bool ReaderWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == SearchText && event->type() == QEvent::MouseButtonDblClick) {
    findCard();
  }
  return QWidget::eventFilter(watched, event);
}

void ReaderWindow::reloadCard() {
  run([this] { model_.FormActivate(); });
}
void ReaderWindow::showFirstCard() {
  run([this] { model_.FirstButtonClick(); });
}
void ReaderWindow::showPreviousCard() {
  run([this] { model_.PreviousButtonClick(); });
}
void ReaderWindow::showNextCard() {
  run([this] { model_.NextButtonClick(); });
}
void ReaderWindow::showLastCard() {
  run([this] { model_.LastButtonClick(); });
}
void ReaderWindow::findCard() {
  run([this] { model_.SearchButtonClick(ToCardBytes(SearchText->text())); });
}

void ReaderWindow::keepCardAndClose() {
  hide();
  model_.DoneButtonClick();
}

void ReaderWindow::showCard() {
  const ReaderView& view = model_.view();
  for (const ReaderField& field : ReaderFields()) {
    boxes_.find(field.name)->second->setText(FromCardBytes(view.*field.value));
  }
  SpecialBox->clear();
  for (const std::string& line : view.SpecialBox) SpecialBox->addItem(FromCardBytes(line));

  CardText->setPlainText(FromCardBytes(view.CardText));
  QTextCursor all(CardText->document());
  all.select(QTextCursor::Document);
  QTextBlockFormat block;
  block.setAlignment(view.CardTextMissing ? Qt::AlignHCenter : Qt::AlignLeft);
  all.mergeBlockFormat(block);
  QTextCharFormat chars;
  chars.setForeground(view.CardTextMissing ? QBrush(QColor(0, 128, 128))
                                           : palette().brush(QPalette::Text));
  all.mergeCharFormat(chars);
}

}  // namespace quillet
