// The main window's client area, built with Qt layouts. At its least size it
// is the window's classic 708-pixel form: a strip with the deck's name and
// HQ type, the box of type rows, then the total and the domain column, the
// figures box and the card list side by side, and the problem box beside the
// buttons at the bottom. The window grows from there without limit:
//   - width: the type rows take their extra room until every sub-type shows
//     without a scroll bar, beyond which it is left free at their end; below
//     them the card list (and the problem box under it) takes all the width
//     the fixed total, domain and figures columns leave;
//   - height: the card list's band and the problem box share it, 3 to 1, and
//     the domain column grows with the band until all its rows show.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "gui/main_window/card_list_box.h"
#include "gui/main_window/elided_label.h"
#include "gui/main_window/field_places.h"
#include "gui/main_window/figure_field.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/name_edit.h"
#include "gui/platform/card_text_codec.h"
#include "gui/platform/window_font.h"

namespace quillet {

namespace {

constexpr int kKeywordBar = 7;      // the keyword rows leave room for a slim scroll bar only
constexpr int kDomainBar = 10;      // the domain column is too narrow for a full-width bar
constexpr int kRowHeight = 29;      // a type row: a field, its margin and a keyword bar
constexpr int kRuleWidth = 3;       // the sunken rules between rows and regions
constexpr int kTypeCaption = 78;    // a type's caption, left of its count
constexpr int kCaptionGap = 2;      // from a caption to its field
constexpr int kPairGap = 10;        // from a field to the next caption in a row
constexpr int kColumnGap = 8;       // between the regions of the client area
constexpr int kSideColumn = 120;    // the total, the domain column and the buttons
constexpr int kKeywordRoom = 574;   // the keyword rows at the least size
constexpr int kDomainCaption = 70;  // a domain's caption, left of its count
constexpr int kDomainPitch = 32;    // from one domain row to the next

template <typename W>
W* Make(QWidget* parent, const char* name) {
  auto* widget = new W(parent);
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

template <typename W>
W* Make(QWidget* parent, const char* name, const QRect& place) {
  auto* widget = Make<W>(parent, name);
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

// A caption left of a field of the figures box, centred on it; a caption
// wider than the room up to the field wraps onto more lines rather than
// running under it.
QLabel* SpotCaption(QWidget* parent, const QString& name, const QString& text, int x, int fieldX,
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

// A caption of a laid-out row, as tall as the field it names.
QLabel* RowCaption(QWidget* parent, const QString& name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  label->setFixedHeight(kFieldHeight);
  label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  return label;
}

QFrame* Rule(QWidget* parent, const QString& name, QFrame::Shape shape) {
  auto* rule = new QFrame(parent);
  rule->setObjectName(name);
  rule->setFrameShape(shape);
  rule->setFrameShadow(QFrame::Sunken);
  if (shape == QFrame::HLine) {
    rule->setFixedHeight(kRuleWidth);
  } else {
    rule->setFixedWidth(kRuleWidth);
  }
  return rule;
}

QFrame* Rule(QWidget* parent, const char* name, QFrame::Shape shape, const QRect& place) {
  QFrame* rule = Rule(parent, QString::fromLatin1(name), shape);
  rule->setMinimumSize(0, 0);
  rule->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  rule->setGeometry(place);
  return rule;
}

// A row or column that scrolls only while the window is too small to show
// it whole; the slider is laid out and fills the scroller once there is room.
QScrollArea* Scroller(QWidget* parent, const char* name, QWidget* slider,
                      Qt::Orientation orientation) {
  auto* scroller = Make<QScrollArea>(parent, name);
  scroller->setFrameShape(QFrame::NoFrame);
  scroller->setFocusPolicy(Qt::NoFocus);
  scroller->setWidgetResizable(true);
  scroller->setWidget(slider);
  if (orientation == Qt::Horizontal) {
    scroller->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroller->horizontalScrollBar()->setStyleSheet(
        QStringLiteral("QScrollBar:horizontal { height: %1px; }").arg(kKeywordBar));
    // The fields keep their place at the top whether the bar shows or not.
    slider->setFixedHeight(kRowHeight - kKeywordBar);
    scroller->setFixedHeight(kRowHeight);
    scroller->setMinimumWidth(kKeywordRoom);
  } else {
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroller->verticalScrollBar()->setStyleSheet(
        QStringLiteral("QScrollBar:vertical { width: %1px; }").arg(kDomainBar));
  }
  return scroller;
}

// Lays a group box out with its children at `inner` from its edges, as the
// form was drawn: the style's own frame margins are taken off, so the
// style's title room, which an untitled box does not need, is not added.
void SetInnerMargins(QGroupBox* box, QLayout* layout, const QMargins& inner) {
  box->ensurePolished();
  const QMargins frame = box->contentsMargins();
  layout->setContentsMargins(
      std::max(0, inner.left() - frame.left()), std::max(0, inner.top() - frame.top()),
      std::max(0, inner.right() - frame.right()), std::max(0, inner.bottom() - frame.bottom()));
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
  auto* button = Make<QPushButton>(parent, name);
  button->setFixedSize(60, 25);
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

const MasterField* FindMasterField(std::string_view name) {
  for (const MasterField& field : MasterFields()) {
    if (field.name == name) return &field;
  }
  return nullptr;
}

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QWidget* MainWindow::buildClient() {
  // Made inside the window so that its captions are measured in the
  // window font.
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("Client"));
  auto* outer = new QVBoxLayout(client);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);
  QFrame* menuRule = Rule(client, QStringLiteral("MenuSeperator"), QFrame::HLine);
  menuRule->setFixedHeight(2);
  outer->addWidget(menuRule);
  auto* page = new QVBoxLayout;
  page->setContentsMargins(kColumnGap, 6, 3, 2);
  page->setSpacing(0);
  outer->addLayout(page);

  page->addLayout(buildTopStrip(client));
  page->addSpacing(3);
  page->addWidget(buildTypes(client));

  auto* band = new QHBoxLayout;
  band->setSpacing(0);
  auto* side = new QVBoxLayout;
  side->setSpacing(0);
  side->addWidget(buildTotal(client));
  side->addWidget(buildDomains(client), 1);
  band->addLayout(side);
  band->addSpacing(kColumnGap);
  band->addWidget(buildFigures(client), 0, Qt::AlignTop);
  band->addSpacing(kColumnGap - 1);
  band->addLayout(buildCardList(client), 1);
  page->addLayout(band, 3);

  auto* bottom = new QHBoxLayout;
  bottom->setSpacing(kColumnGap - 1);
  bottom->addLayout(buildButtons(client), 0);
  ProblemBox = Make<QListWidget>(client, "ProblemBox");
  ProblemBox->setAccessibleName(QStringLiteral("Deck problems"));
  ProblemBox->setSelectionMode(QAbstractItemView::SingleSelection);
  ProblemBox->setMinimumHeight(71);
  // The lists' own size hints would take the room first; the stretch
  // factors share it out instead.
  ProblemBox->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  bottom->addWidget(ProblemBox, 1);
  page->addSpacing(6);
  page->addLayout(bottom, 1);

  buildFields();
  return client;
}

QLayout* MainWindow::buildTopStrip(QWidget* client) {
  auto* strip = new QHBoxLayout;
  strip->setSpacing(3);
  auto* deckLabel = Make<QLabel>(client, "DNameLabel");
  deckLabel->setText(QStringLiteral("Deck Name:"));
  deckLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  deckLabel->setFixedWidth(83);
  // A path is told apart by its folder's start and its file name.
  auto* name = new NameEdit(Qt::ElideMiddle, client);
  name->setObjectName(QStringLiteral("DName"));
  name->setHint(QStringLiteral("Double click to see deck"));
  name->setMinimumWidth(388);
  auto* hqLabel = Make<QLabel>(client, "HQTypeLabel");
  hqLabel->setText(QStringLiteral("HQ Type:"));
  hqLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  hqLabel->setFixedWidth(91);
  auto* hq = new NameEdit(Qt::ElideRight, client);
  hq->setObjectName(QStringLiteral("HQType"));
  hq->setFont(BoldWindowFont());
  hq->setHint(QStringLiteral("Double click to see all HQ cards"));
  hq->setMinimumWidth(121);
  for (QWidget* field : {static_cast<QWidget*>(name), static_cast<QWidget*>(hq)}) {
    field->setFixedHeight(kFieldHeight);
    field->installEventFilter(this);
  }
  name->setAccessibleName(deckLabel->text());
  hq->setAccessibleName(hqLabel->text());
  strip->addWidget(deckLabel);
  strip->addWidget(name, 2);
  strip->addSpacing(kColumnGap - 3);
  strip->addWidget(hqLabel);
  strip->addWidget(hq, 1);
  DName = name;
  HQType = hq;
  return strip;
}

QWidget* MainWindow::buildTypes(QWidget* client) {
  auto* box = Make<QGroupBox>(client, "GroupBox1");
  auto* grid = new QGridLayout(box);
  SetInnerMargins(box, grid, QMargins(kColumnGap, 9, 2, 3));
  grid->setHorizontalSpacing(0);
  grid->setVerticalSpacing(0);
  // Five rows of kRowHeight, a rule under each but the last.
  constexpr int kRows = 5;
  for (int i = 0; i + 1 < kRows; ++i) {
    grid->addWidget(Rule(box, QStringLiteral("RowRule%1").arg(i + 1), QFrame::HLine), 2 * i + 1, 0,
                    1, 3);
  }
  grid->addWidget(Rule(box, QStringLiteral("TypeRule"), QFrame::VLine), 0, 1, 2 * kRows - 1, 1,
                  Qt::AlignLeft);
  grid->setColumnMinimumWidth(1, 2 * kRuleWidth);
  for (int i = 0; i < kRows; ++i) grid->setRowMinimumHeight(2 * i, kRowHeight);
  grid->setColumnStretch(2, 1);

  const auto row = [box](const QString& name) {
    auto* panel = new QWidget(box);
    panel->setObjectName(name);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 1, 0, 0);
    layout->setSpacing(0);
    layout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return panel;
  };
  QWidget* slider1 = row(QStringLiteral("Slider1"));
  QWidget* slider2 = row(QStringLiteral("Slider2"));
  AssetScroller = Scroller(box, "AssetScroller", slider1, Qt::Horizontal);
  EnhanceScroller = Scroller(box, "EnhanceScroller", slider2, Qt::Horizontal);
  // The sub-types start a little right of the rule.
  for (QWidget* slider : {slider1, slider2}) slider->layout()->setContentsMargins(4, 1, 0, 0);
  const FieldGroup groups[kRows] = {FieldGroup::kAssetRow, FieldGroup::kEnhanceRow,
                                    FieldGroup::kIntervenRow, FieldGroup::kProgramRow,
                                    FieldGroup::kBaseRow};
  const char* rowNames[kRows] = {nullptr, nullptr, "IntervenRow", "ProgramRow", "BaseRow"};
  for (int i = 0; i < kRows; ++i) {
    const int group = static_cast<int>(groups[i]);
    QWidget* count = row(QStringLiteral("TypeCount%1").arg(i + 1));
    grid->addWidget(count, 2 * i, 0, Qt::AlignTop);
    countPanels_[group] = count;
    if (i < 2) {
      grid->addWidget(i == 0 ? AssetScroller : EnhanceScroller, 2 * i, 2, Qt::AlignTop);
      panels_[group] = i == 0 ? slider1 : slider2;
    } else {
      QWidget* subTypes = row(QString::fromLatin1(rowNames[i]));
      subTypes->layout()->setContentsMargins(4, 1, 0, 0);
      grid->addWidget(subTypes, 2 * i, 2, Qt::AlignTop);
      panels_[group] = subTypes;
    }
  }
  return box;
}

QWidget* MainWindow::buildTotal(QWidget* client) {
  auto* total = Make<QFrame>(client, "TotalPanel");
  total->setFrameShape(QFrame::StyledPanel);
  total->setFrameShadow(QFrame::Sunken);
  total->setFixedSize(kSideColumn, 33);
  auto* layout = new QHBoxLayout(total);
  layout->setContentsMargins(kColumnGap, 6, 0, 0);
  layout->setSpacing(0);
  layout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  panels_[static_cast<int>(FieldGroup::kTotal)] = total;
  return total;
}

QWidget* MainWindow::buildDomains(QWidget* client) {
  auto* box = Make<QGroupBox>(client, "GroupBox2");
  box->setFixedWidth(kSideColumn);
  auto* column = new QVBoxLayout(box);
  SetInnerMargins(box, column, QMargins(2, 7, 2, 2));
  column->setSpacing(0);
  auto* slider3 = new QWidget;
  slider3->setObjectName(QStringLiteral("Slider3"));
  auto* rows = new QVBoxLayout(slider3);
  rows->setContentsMargins(4, 6, 0, 6);
  rows->setSpacing(kDomainPitch - kFieldHeight);
  rows->setAlignment(Qt::AlignTop);
  DomainScroller = Scroller(box, "DomainScroller", slider3, Qt::Vertical);
  DomainScroller->setMinimumHeight(171);
  column->addWidget(DomainScroller, 1);
  column->addWidget(Rule(box, QStringLiteral("DomainRule"), QFrame::HLine));
  AssetSwitch = Make<QCheckBox>(box, "AssetSwitch");
  AssetSwitch->setText(QStringLiteral("Count assets only"));
  AssetSwitch->setToolTip(
      QStringLiteral("Switchs domain displays betwen all cards and assets only"));
  AssetSwitch->setFixedHeight(18);
  AssetSwitch->setContentsMargins(6, 0, 0, 0);
  column->addSpacing(1);
  column->addWidget(AssetSwitch);
  panels_[static_cast<int>(FieldGroup::kDomains)] = slider3;
  return box;
}

QWidget* MainWindow::buildFigures(QWidget* client) {
  // The figures box is one fixed panel, as drawn: it never grows, so its
  // captions, rules and fields keep their spots.
  auto* box = Make<QGroupBox>(client, "GroupBox3");
  box->setFixedSize(401, 232);
  Caption(box, QStringLiteral("AssetsLabel"), QStringLiteral("Assets"), 8, 5);
  Rule(box, "StrengthRule", QFrame::VLine, QRect(220, 4, 3, 128));
  Caption(box, QStringLiteral("ResourceLabel"), QStringLiteral("Resource Management"), 287, 5);
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
  SpotCaption(box, QStringLiteral("RarityLabel"), QStringLiteral("Rarity"), 8, 40, 206);
  figuresBox_ = box;
  return box;
}

void MainWindow::buildFields() {
  FieldGroup last = FieldGroup::kRarity;
  bool first = true;
  for (const FieldPlace& place : FieldPlaces()) {
    const MasterField* field = FindMasterField(place.name);
    if (field == nullptr) continue;  // the table test keeps both lists in step
    const QString name = Latin1(place.name);
    const bool startsGroup = first || place.group != last;
    first = false;
    last = place.group;
    auto* edit = new FigureField;
    edit->setObjectName(name);
    edit->setFixedSize(place.width, kFieldHeight);
    edit->setPercentage(field->percentage);
    edit->setToolTip(FromCardBytes(field->hint));
    // A screen reader reads the caption and then the figure ("Assets: 16").
    edit->setAccessibleName(AccessibleCaption(*field));
    const QString caption = FromCardBytes(field->caption);
    const QString captionName = name + QStringLiteral("Label");
    if (InFiguresBox(place.group)) {
      edit->setParent(figuresBox_);
      edit->move(place.spot.fieldX, place.spot.y);
      if (place.spot.captionX >= 0 && !field->caption.empty()) {
        SpotCaption(figuresBox_, captionName, caption, place.spot.captionX, place.spot.fieldX,
                    place.spot.y);
      }
    } else {
      // A type row's first figure is the type's count, left of the rule; the
      // total and the domains have a column each.
      const int group = static_cast<int>(place.group);
      const bool typeCount = startsGroup && place.group <= FieldGroup::kBaseRow;
      QWidget* panel = typeCount ? countPanels_.at(group) : panels_.at(group);
      auto* layout = static_cast<QBoxLayout*>(panel->layout());
      QLabel* label = RowCaption(panel, captionName, caption);
      edit->setParent(panel);
      const bool leftColumn = typeCount || place.group == FieldGroup::kTotal;
      if (place.group == FieldGroup::kDomains) label->setFixedWidth(kDomainCaption);
      if (leftColumn) label->setFixedWidth(kTypeCaption);
      if (place.group == FieldGroup::kDomains) {
        auto* line = new QHBoxLayout;
        line->setSpacing(0);
        line->addWidget(label);
        line->addSpacing(kCaptionGap);
        line->addWidget(edit);
        line->addStretch(1);
        layout->addLayout(line);
      } else {
        if (layout->count() > 0) layout->addSpacing(kPairGap);
        layout->addWidget(label);
        layout->addSpacing(leftColumn ? 0 : kCaptionGap);
        layout->addWidget(edit);
      }
    }
    const std::string component(place.name);
    if (component == "TopDeckAmount") {
      connect(edit, &FigureField::clicked, this, [this, component] { showFieldList(component); });
    } else {
      connect(edit, &FigureField::doubleClicked, this,
              [this, component] { showFieldList(component); });
    }
    connect(edit, &FigureField::activated, this, [this, component] { showFieldList(component); });
    connect(edit, &FigureField::stepped, this,
            [this, edit](FigureField::Step step) { stepField(*edit, step); });
    if (MainView::HasList(component)) {
      // A figure that opens a list names a group of cards, which a goal
      // can count.
      edit->setContextMenuPolicy(Qt::CustomContextMenu);
      connect(edit, &QWidget::customContextMenuRequested, this,
              [this, edit, component](const QPoint& position) {
                menuField_ = component;
                FieldMenu->popup(edit->mapToGlobal(position));
              });
    }
    fields_.emplace(component, edit);
  }
  // The rows keep their pairs together at their start as they grow.
  for (const auto& [group, panel] : panels_) {
    if (group != static_cast<int>(FieldGroup::kDomains)) {
      static_cast<QBoxLayout*>(panel->layout())->addStretch(1);
    }
  }
}

QLayout* MainWindow::buildCardList(QWidget* client) {
  auto* column = new QVBoxLayout;
  column->setSpacing(1);
  ListHeading = Make<ElidedLabel>(client, "CardListHeading");
  ListHeading->setFont(BoldWindowFont());
  CardList = Make<CardListBox>(client, "CardList");
  CardList->setAccessibleName(QStringLiteral("Card list"));
  CardList->setContextMenuPolicy(Qt::PreventContextMenu);
  // Seventeen lines at the least size, as the hint rule expects.
  CardList->setMinimumSize(161, 227);
  CardList->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  CardListName = Make<QLabel>(client, "CardListName", QRect(0, 0, 0, 0));
  CardListName->setFont(CardList->font());
  CardListName->setVisible(false);
  column->addWidget(ListHeading);
  column->addWidget(CardList, 1);

  connect(CardList, &QListWidget::itemSelectionChanged, this, &MainWindow::selectCardLine);
  connect(CardList, &CardListBox::doubleClicked, this, &MainWindow::showCardStats);
  connect(CardList, &CardListBox::enterPressed, this, &MainWindow::showCardStats);
  connect(CardList, &CardListBox::copyPressed, this, &MainWindow::copyCard);
  connect(CardList, &CardListBox::mouseMoved, this, &MainWindow::showCardLineHint);
  connect(CardList, &CardListBox::mouseUp, this,
          [this](const QPoint& position, Qt::MouseButton button) {
            selectCardLineAt(position);
            if (button == Qt::RightButton) {
              CardListMenu->popup(CardList->viewport()->mapToGlobal(position));
            }
          });

  return column;
}

QLayout* MainWindow::buildButtons(QWidget* client) {
  auto* grid = new QGridLayout;
  grid->setContentsMargins(0, 8, 0, 0);
  grid->setSpacing(1);
  grid->setAlignment(Qt::AlignTop);
  AnalyzeButton = Button(client, "AnalyzeButton", QStringLiteral("Open..."));
  AnalyzeButton->setToolTip(QStringLiteral("Analyze a deck"));
  SaveButton = Button(client, "SaveButton", QStringLiteral("Save..."));
  SaveButton->setToolTip(QStringLiteral("Save the card list as a text file"));
  SaveButton->setEnabled(false);
  ReaderButton = Button(client, "ReaderButton", QStringLiteral("Card Stats"));
  ReaderButton->setToolTip(QStringLiteral("Show card statistics"));
  CloseButton = Button(client, "CloseButton", QStringLiteral("&Close"));
  grid->addWidget(AnalyzeButton, 0, 0);
  grid->addWidget(SaveButton, 0, 1);
  grid->addWidget(ReaderButton, 1, 0);
  grid->addWidget(CloseButton, 1, 1);

  connect(AnalyzeButton, &QPushButton::clicked, this, &MainWindow::openDeck);
  connect(SaveButton, &QPushButton::clicked, this, &MainWindow::saveList);
  connect(ReaderButton, &QPushButton::clicked, this, &MainWindow::showCardStats);
  connect(CloseButton, &QPushButton::clicked, this, &MainWindow::closeWindow);
  connect(AssetSwitch, &QCheckBox::clicked, this, &MainWindow::applyAssetSwitch);
  connect(CostBox, &QComboBox::textActivated, this, &MainWindow::selectCostKind);
  return grid;
}

}  // namespace quillet
