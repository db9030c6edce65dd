// Building the main window's controls: the fixed client area of 708 x 512
// logical pixels with its regions, the integer fields from the field table,
// the menus and the tab order. The handlers are in master_form.cpp.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <map>

#include "gui/main_window/card_list_box.h"
#include "gui/main_window/field_places.h"
#include "gui/main_window/int_edit.h"
#include "gui/main_window/master_form.h"
#include "gui/main_window/shown_text.h"
#include "gui/platform/card_text_codec.h"
#include "gui/platform/window_font.h"

namespace quillet {

namespace {

constexpr int kClientWidth = 708;
constexpr int kClientHeight = 512;
constexpr int kKeywordBar = 7;  // the keyword rows leave room for a slim scroll bar only
constexpr int kDomainBar = 10;  // the domain column is too narrow for a full-width bar

template <typename W>
W* Make(QWidget* parent, const char* name, const QRect& place) {
  auto* widget = new W(parent);
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(place);
  return widget;
}

QLabel* Caption(QWidget* parent, const QString& name, const QString& text, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->adjustSize();
  label->move(x, y);
  return label;
}

// A caption left of a field, centred on it; a caption wider than the room up
// to the field wraps onto more lines rather than running under it.
QLabel* FieldCaption(QWidget* parent, const QString& name, const QString& text, int x, int fieldX,
                     int fieldY) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  const int width = fieldX - x - 2;
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  if (label->sizeHint().width() > width) label->setWordWrap(true);
  const int height = label->heightForWidth(width);
  label->setGeometry(x, fieldY + (kFieldHeight - height) / 2, width, height);
  return label;
}

QFrame* Rule(QWidget* parent, const char* name, QFrame::Shape shape, const QRect& place) {
  auto* rule = Make<QFrame>(parent, name, place);
  rule->setFrameShape(shape);
  rule->setFrameShadow(QFrame::Sunken);
  return rule;
}

QScrollArea* Scroller(QWidget* parent, const char* name, const QRect& place, QWidget* slider,
                      Qt::Orientation orientation) {
  auto* scroller = Make<QScrollArea>(parent, name, place);
  scroller->setFrameShape(QFrame::NoFrame);
  scroller->setFocusPolicy(Qt::NoFocus);
  scroller->setWidget(slider);
  if (orientation == Qt::Horizontal) {
    scroller->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroller->horizontalScrollBar()->setStyleSheet(
        QStringLiteral("QScrollBar:horizontal { height: %1px; }").arg(kKeywordBar));
  } else {
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroller->verticalScrollBar()->setStyleSheet(
        QStringLiteral("QScrollBar:vertical { width: %1px; }").arg(kDomainBar));
  }
  return scroller;
}

QLineEdit* TextField(QWidget* parent, const char* name, const QRect& place) {
  auto* edit = Make<QLineEdit>(parent, name, place);
  edit->setReadOnly(true);
  edit->setFocusPolicy(Qt::ClickFocus);
  return edit;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QPoint at) {
  auto* button = Make<QPushButton>(parent, name, QRect(at, QSize(60, 25)));
  button->setText(caption);
  return button;
}

// The caption a screen reader gives a field. The resource rows share one
// caption and tell their columns apart by pictures, so those fields are
// named here in words.
QString AccessibleCaption(const MasterField& field) {
  static const std::map<std::string_view, const char*> unnamed = {
      {"TotalMilAmount", "Military production:"},
      {"TotalCovAmount", "Covert production:"},
      {"TotalCybAmount", "CyberOps production:"},
      {"MilCost", "Military cost:"},
      {"CovCost", "Covert cost:"},
      {"CybCost", "CyberOps cost:"}};
  const auto it = unnamed.find(field.name);
  if (it != unnamed.end()) return QString::fromLatin1(it->second);
  return FromCardBytes(field.caption).trimmed();
}

QAction* Item(QMenu* menu, const char* name, const QString& caption) {
  auto* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

void Separator(QMenu* menu, const char* name) {
  menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

}  // namespace

void TMasterForm::BuildControls() {
  setFont(WindowFont());
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("ClientScroller"));
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);
  auto* client = new QWidget;
  client->setObjectName(QStringLiteral("Client"));
  client->setFixedSize(kClientWidth, kClientHeight);
  scroll->setWidget(client);
  setCentralWidget(scroll);

  BuildTopStrip(client);
  BuildTypes(client);
  BuildDomains(client);
  BuildFigures(client);
  BuildLists(client);
  BuildButtons(client);
  BuildMenus();
  SetTabOrder();

  const QSize outer(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
  setMaximumSize(outer);
  resize(outer);
}

void TMasterForm::BuildTopStrip(QWidget* client) {
  Rule(client, "MenuSeperator", QFrame::HLine, QRect(0, 0, kClientWidth, 2));
  auto* deckLabel = Make<QLabel>(client, "DNameLabel", QRect(8, 8, 83, 21));
  deckLabel->setText(QStringLiteral("Deck Name:"));
  deckLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  DName = TextField(client, "DName", QRect(94, 8, 388, 21));
  auto* hqLabel = Make<QLabel>(client, "HQTypeLabel", QRect(490, 8, 91, 21));
  hqLabel->setText(QStringLiteral("HQ Type:"));
  hqLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  HQType = TextField(client, "HQType", QRect(584, 8, 121, 21));
  HQType->setFont(BoldWindowFont());
  DName->setToolTip(QStringLiteral("Double click to see deck"));
  HQType->setToolTip(QStringLiteral("Double click to see all HQ cards"));
  DName->installEventFilter(this);
  HQType->installEventFilter(this);
  DName->setAccessibleName(deckLabel->text());
  HQType->setAccessibleName(hqLabel->text());
}

void TMasterForm::BuildTypes(QWidget* client) {
  auto* box = Make<QGroupBox>(client, "GroupBox1", QRect(8, 32, 697, 169));
  Rule(box, "TypeRule", QFrame::VLine, QRect(111, 6, 3, 158));
  const int rows[] = {38, 70, 101, 134};
  for (int i = 0; i < 4; ++i) {
    Rule(box, "", QFrame::HLine, QRect(4, rows[i], 689, 3))
        ->setObjectName(QStringLiteral("RowRule%1").arg(i + 1));
  }
  auto* slider1 = new QWidget;
  slider1->setObjectName(QStringLiteral("Slider1"));
  slider1->setFixedSize(1170, 29 - kKeywordBar);
  AssetScroller = Scroller(box, "AssetScroller", QRect(120, 9, 575, 29), slider1, Qt::Horizontal);
  auto* slider2 = new QWidget;
  slider2->setObjectName(QStringLiteral("Slider2"));
  slider2->setFixedSize(666, 29 - kKeywordBar);
  EnhanceScroller =
      Scroller(box, "EnhanceScroller", QRect(120, 42, 575, 29), slider2, Qt::Horizontal);

  auto* total = Make<QFrame>(client, "TotalPanel", QRect(8, 198, 120, 33));
  total->setFrameShape(QFrame::StyledPanel);
  total->setFrameShadow(QFrame::Sunken);

  panels_ = {{static_cast<int>(FieldPanel::kTypes), box},
             {static_cast<int>(FieldPanel::kAssetSlider), slider1},
             {static_cast<int>(FieldPanel::kEnhanceSlider), slider2},
             {static_cast<int>(FieldPanel::kTotal), total}};
}

void TMasterForm::BuildDomains(QWidget* client) {
  auto* box = Make<QGroupBox>(client, "GroupBox2", QRect(8, 231, 120, 202));
  auto* slider3 = new QWidget;
  slider3->setObjectName(QStringLiteral("Slider3"));
  // Seven rows and a margin; the column is narrower than the scroller by the
  // width of its scroll bar.
  slider3->setFixedSize(116 - kDomainBar, 6 * 32 + kFieldHeight + 12);
  DomainScroller = Scroller(box, "DomainScroller", QRect(2, 7, 116, 171), slider3, Qt::Vertical);
  Rule(box, "DomainRule", QFrame::HLine, QRect(4, 178, 112, 3));
  AssetSwitch = Make<QCheckBox>(box, "AssetSwitch", QRect(8, 182, 108, 18));
  AssetSwitch->setText(QStringLiteral("Count assets only"));
  AssetSwitch->setToolTip(
      QStringLiteral("Switchs domain displays betwen all cards and assets only"));
  panels_[static_cast<int>(FieldPanel::kDomains)] = slider3;
}

void TMasterForm::BuildFigures(QWidget* client) {
  auto* box = Make<QGroupBox>(client, "GroupBox3", QRect(136, 201, 401, 232));
  Caption(box, QStringLiteral("AssetsLabel"), QStringLiteral("Assets"), 8, 5);
  Rule(box, "StrengthRule", QFrame::VLine, QRect(220, 4, 3, 128));
  Caption(box, QStringLiteral("ResourceLabel"), QStringLiteral("Resource Managment"), 287, 5);
  const char* pictures[][2] = {{"MilImage", ":/pictures/military.png"},
                               {"CovImage", ":/pictures/covert.png"},
                               {"CybImage", ":/pictures/cyberops.png"}};
  const int columns[] = {287, 326, 364};
  for (int i = 0; i < 3; ++i) {
    auto* picture = Make<QLabel>(box, pictures[i][0], QRect(columns[i] + 7, 18, 16, 20));
    picture->setPixmap(QPixmap(QString::fromLatin1(pictures[i][1])));
  }
  Caption(box, QStringLiteral("CostLabel"), QStringLiteral("Total Deployment cost for:"), 230, 65);
  CostBox = Make<QComboBox>(box, "CostBox", QRect(287, 82, 109, 21));
  CostBox->setAccessibleName(QStringLiteral("Total Deployment cost for:"));
  CostBox->setEditable(false);
  CostBox->setToolTip(
      QStringLiteral("Choose the type of cards who'se cost will be displayed below"));
  Rule(box, "BandRule1", QFrame::HLine, QRect(4, 135, 393, 3));
  Caption(box, QStringLiteral("ProgramsLabel"), QStringLiteral("Programs"), 8, 139);
  Rule(box, "ChanceRule", QFrame::VLine, QRect(120, 139, 3, 58));
  Caption(box, QStringLiteral("ChancesLabel"), QStringLiteral("Opening Hand Chances:"), 128, 139);
  Rule(box, "BandRule2", QFrame::HLine, QRect(4, 198, 393, 3));
  FieldCaption(box, QStringLiteral("RarityLabel"), QStringLiteral("Rarity"), 8, 40, 206);
  panels_[static_cast<int>(FieldPanel::kFigures)] = box;
  BuildFields();
}

void TMasterForm::BuildFields() {
  for (const MasterField& field : MasterFields()) {
    const FieldPlace* place = FindFieldPlace(field.name);
    if (place == nullptr) continue;  // the table test keeps both lists in step
    QWidget* panel = panels_.at(static_cast<int>(place->panel));
    const QString name =
        QString::fromLatin1(field.name.data(), static_cast<qsizetype>(field.name.size()));
    auto* edit = new TIntEdit(panel);
    edit->setObjectName(name);
    edit->setGeometry(place->fieldX, place->y, place->width, kFieldHeight);
    edit->SetPercentage(field.percentage);
    edit->setToolTip(FromCardBytes(field.hint));
    // A screen reader reads the caption and then the figure ("Assets: 16").
    edit->setAccessibleName(AccessibleCaption(field));
    if (place->captionX >= 0 && !field.caption.empty()) {
      FieldCaption(panel, name + QStringLiteral("Label"), FromCardBytes(field.caption),
                   place->captionX, place->fieldX, place->y);
    }
    const std::string component(field.name);
    if (component == "TopDeckAmount") {
      connect(edit, &TIntEdit::clicked, this, [this, component] { FieldDblClick(component); });
    } else {
      connect(edit, &TIntEdit::doubleClicked, this,
              [this, component] { FieldDblClick(component); });
    }
    fields_.emplace(component, edit);
  }
}

void TMasterForm::BuildLists(QWidget* client) {
  CardList = Make<TCardListBox>(client, "CardList", QRect(544, 206, 161, 227));
  CardList->setAccessibleName(QStringLiteral("Card list"));
  CardList->setFocusPolicy(Qt::ClickFocus);
  CardList->setContextMenuPolicy(Qt::PreventContextMenu);
  CardListName = Make<QLabel>(client, "CardListName", QRect(0, 0, 0, 0));
  CardListName->setFont(CardList->font());
  CardListName->setVisible(false);
  ProblemBox = Make<QListWidget>(client, "ProblemBox", QRect(136, 439, 569, 71));
  ProblemBox->setAccessibleName(QStringLiteral("Deck problems"));
  ProblemBox->setFocusPolicy(Qt::ClickFocus);
  ProblemBox->setSelectionMode(QAbstractItemView::SingleSelection);

  connect(CardList, &QListWidget::itemSelectionChanged, this, &TMasterForm::CardListClick);
  connect(CardList, &TCardListBox::doubleClicked, this, &TMasterForm::CardListDblClick);
  connect(CardList, &TCardListBox::mouseMoved, this, &TMasterForm::CardListMouseMove);
  connect(CardList, &TCardListBox::mouseUp, this,
          [this](const QPoint& position, Qt::MouseButton button) {
            CardListMouseUp(position);
            if (button == Qt::RightButton) {
              CardListMenu->popup(CardList->viewport()->mapToGlobal(position));
            }
          });

  CardListMenu = new QMenu(this);
  CardListMenu->setObjectName(QStringLiteral("CardListMenu"));
  PopUpCopy = Item(CardListMenu, "PopUpCopy", QStringLiteral("Copy"));
  PopUpCopy->setEnabled(false);
  Separator(CardListMenu, "N3");
  auto* stats = Item(CardListMenu, "PopUpStats", QStringLiteral("Stats"));
  connect(PopUpCopy, &QAction::triggered, this, &TMasterForm::PopUpCopyClick);
  connect(stats, &QAction::triggered, this, &TMasterForm::CardListDblClick);
}

void TMasterForm::BuildButtons(QWidget* client) {
  AnalyzeButton = Button(client, "AnalyzeButton", QStringLiteral("Open..."), {8, 450});
  AnalyzeButton->setToolTip(QStringLiteral("Analyze a deck"));
  SaveButton = Button(client, "SaveButton", QStringLiteral("Save..."), {69, 450});
  SaveButton->setToolTip(QStringLiteral("Save the card list as a text file"));
  SaveButton->setEnabled(false);
  ReaderButton = Button(client, "ReaderButton", QStringLiteral("Card Stats"), {8, 475});
  ReaderButton->setToolTip(QStringLiteral("Show card statistics"));
  CloseButton = Button(client, "CloseButton", QStringLiteral("&Close"), {69, 475});

  connect(AnalyzeButton, &QPushButton::clicked, this, &TMasterForm::AnalyzeButtonClick);
  connect(SaveButton, &QPushButton::clicked, this, &TMasterForm::SaveButtonClick);
  connect(ReaderButton, &QPushButton::clicked, this, &TMasterForm::CardListDblClick);
  connect(CloseButton, &QPushButton::clicked, this, &TMasterForm::CloseButtonClick);
  connect(AssetSwitch, &QCheckBox::clicked, this, &TMasterForm::AssetSwitchClick);
  connect(CostBox, &QComboBox::textActivated, this, &TMasterForm::CostBoxChange);
}

void TMasterForm::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  auto* file = bar->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("File1"));
  NewDeck1 = Item(file, "NewDeck1", QStringLiteral("&New Deck..."));
  NewDeck1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  Open1 = Item(file, "Open1", QStringLiteral("&Open Deck..."));
  Open1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  OpenRecent1 = file->addMenu(QStringLiteral("Open &Recent"));
  OpenRecent1->setObjectName(QStringLiteral("OpenRecent1"));
  OpenRecent1->menuAction()->setObjectName(QStringLiteral("OpenRecentItem1"));
  Reload1 = Item(file, "Reload1", QStringLiteral("Re&load Deck"));
  Reload1->setShortcut(QKeySequence(Qt::Key_F5));
  Reload1->setEnabled(false);
  CompareWith1 = Item(file, "CompareWith1", QStringLiteral("Compare &With..."));
  SaveList1 = Item(file, "SaveList1", QStringLiteral("&Save List..."));
  SaveList1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  CardStats1 = Item(file, "CardStats1", QStringLiteral("&Card Stats"));
  ExportReport1 = Item(file, "ExportReport1", QStringLiteral("&Export Report..."));
  Print1 = Item(file, "Print1", QStringLiteral("&Print..."));
  Print1->setShortcut(QKeySequence::Print);
  Separator(file, "N1");
  auto* exit = Item(file, "Exit1", QStringLiteral("E&xit"));
  exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  Edit1 = bar->addMenu(QStringLiteral("&Edit"));
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Copy2 = Item(Edit1, "Copy2", QStringLiteral("&Copy Card to Clipboard"));
  Copy2->setEnabled(false);
  auto* view = bar->addMenu(QStringLiteral("&View"));
  view->setObjectName(QStringLiteral("View1"));
  auto* charts = Item(view, "Charts1", QStringLiteral("&Charts"));
  charts->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  auto* tools = bar->addMenu(QStringLiteral("&Tools"));
  tools->setObjectName(QStringLiteral("Tools1"));
  auto* update = Item(tools, "UpdateCardDataFile1", QStringLiteral("&Update Card Data File"));
  auto* drawOdds = Item(tools, "DrawOdds1", QStringLiteral("&Draw Odds"));
  auto* sampleHand = Item(tools, "SampleHand1", QStringLiteral("&Sample Hand"));
  auto* browser = Item(tools, "CardBrowser1", QStringLiteral("Card &Browser"));
  browser->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
  auto* help = bar->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("Help1"));
  auto* helpTopic = Item(help, "Help2", QStringLiteral("Quillet &Help"));
  helpTopic->setShortcut(QKeySequence(Qt::Key_F1));
  auto* about = Item(help, "About1", QStringLiteral("&About"));
  Separator(help, "N2");
  auto* utilities = Item(help, "QuilletHomepage1", QStringLiteral("Orvane Utilities &Home Page"));
  auto* orvane = Item(help, "OrvaneHomePage1", QStringLiteral("&Orvane Home Page"));

  connect(NewDeck1, &QAction::triggered, this, &TMasterForm::NewDeck1Click);
  connect(Open1, &QAction::triggered, this, &TMasterForm::AnalyzeButtonClick);
  connect(Reload1, &QAction::triggered, this, &TMasterForm::ReloadDeck);
  connect(CompareWith1, &QAction::triggered, this, &TMasterForm::CompareWith1Click);
  connect(SaveList1, &QAction::triggered, this, &TMasterForm::SaveButtonClick);
  connect(CardStats1, &QAction::triggered, this, &TMasterForm::CardListDblClick);
  connect(exit, &QAction::triggered, this, &TMasterForm::Exit1Click);
  connect(ExportReport1, &QAction::triggered, this, &TMasterForm::ExportReportClick);
  connect(Print1, &QAction::triggered, this, &TMasterForm::PrintClick);
  connect(charts, &QAction::triggered, this, &TMasterForm::ChartsClick);
  connect(Copy2, &QAction::triggered, this, &TMasterForm::PopUpCopyClick);
  connect(update, &QAction::triggered, this, &TMasterForm::UpdaterButtonClick);
  connect(drawOdds, &QAction::triggered, this, [this] {
    if (showDrawOdds) showDrawOdds();
  });
  connect(sampleHand, &QAction::triggered, this, [this] {
    if (showSampleHand) showSampleHand();
  });
  connect(browser, &QAction::triggered, this, [this] {
    if (showBrowser) showBrowser();
  });
  connect(helpTopic, &QAction::triggered, this, &TMasterForm::Help2Click);
  connect(about, &QAction::triggered, this, &TMasterForm::About1Click);
  connect(utilities, &QAction::triggered, this, &TMasterForm::QuilletHomepage1Click);
  connect(orvane, &QAction::triggered, this, &TMasterForm::OrvaneHomePage1Click);
}

void TMasterForm::SetTabOrder() {
  QWidget* order[] = {AnalyzeButton, SaveButton, ReaderButton, CloseButton, CostBox, AssetSwitch};
  for (QWidget* control : order) control->setFocusPolicy(Qt::StrongFocus);
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
}

}  // namespace quillet
