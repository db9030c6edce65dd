#include "gui/names/fix_names_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "gui/platform/card_text_codec.h"

namespace quillet {

namespace {

QString KindHint(const NameSuggestions& suggestions) {
  switch (suggestions.kind) {
    case SuggestionKind::Loose:
      return QStringLiteral("The same name but for case, accents, quotes or spaces.");
    case SuggestionKind::Near:
      return QStringLiteral("Names a few letters away.");
    case SuggestionKind::None:
      break;
  }
  return QStringLiteral("No card has a name close to this one.");
}

QLabel* Heading(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

}  // namespace

FixNamesDialog::FixNamesDialog(const std::vector<UnfoundLine>& lines, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("FixNamesDialog"));
  setWindowTitle(QStringLiteral("Fix Card Names"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(
      QStringLiteral("These lines name no card of the database. Choose the card each one "
                     "means; Apply renames them all in one step, which Undo takes back."),
      this);
  intro->setObjectName(QStringLiteral("FixNamesIntro"));
  intro->setWordWrap(true);
  layout->addWidget(intro);

  // Many unfound lines scroll; the buttons stay in sight.
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("FixNamesScroller"));
  scroll->setWidgetResizable(true);
  auto* rows = new QWidget(scroll);
  auto* grid = new QGridLayout(rows);
  grid->addWidget(Heading(QStringLiteral("Line"), rows), 0, 0);
  grid->addWidget(Heading(QStringLiteral("Written"), rows), 0, 1);
  grid->addWidget(Heading(QStringLiteral("Card"), rows), 0, 2);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const UnfoundLine& line = lines[i];
    const int row = static_cast<int>(i) + 1;
    auto* number = new QLabel(QString::number(line.line), rows);
    number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* written = new QLabel(rows);
    written->setTextFormat(Qt::PlainText);
    written->setText(FromCardBytes(line.name));
    written->setObjectName(QStringLiteral("Written%1").arg(row));
    auto* choice = new QComboBox(rows);
    choice->setObjectName(QStringLiteral("NameChoice%1").arg(row));
    for (const std::string& name : line.suggestions.names) {
      choice->addItem(FromCardBytes(name), QByteArray::fromStdString(name));
    }
    choice->addItem(QString::fromLatin1(kKeepAsWritten));
    choice->setCurrentIndex(line.suggestions.sure ? 0 : choice->count() - 1);
    choice->setToolTip(KindHint(line.suggestions));
    choice->setAccessibleName(QStringLiteral("Card for line %1").arg(line.line));
    written->setBuddy(choice);
    grid->addWidget(number, row, 0);
    grid->addWidget(written, row, 1);
    grid->addWidget(choice, row, 2);
    lineNumbers_.push_back(line.line);
    choices_.push_back(choice);
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(static_cast<int>(lines.size()) + 1, 1);
  scroll->setWidget(rows);
  layout->addWidget(scroll, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Apply | QDialogButtonBox::Cancel, this);
  buttons->setObjectName(QStringLiteral("FixNamesButtons"));
  QPushButton* apply = buttons->button(QDialogButtonBox::Apply);
  apply->setObjectName(QStringLiteral("ApplyButton"));
  apply->setDefault(true);
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
  connect(apply, &QPushButton::clicked, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(560, 360);
}

std::vector<NameFix> FixNamesDialog::fixes() const {
  std::vector<NameFix> fixes;
  for (std::size_t i = 0; i < choices_.size(); ++i) {
    const QByteArray name = choices_[i]->currentData().toByteArray();
    if (!name.isEmpty()) fixes.push_back(NameFix{lineNumbers_[i], name.toStdString()});
  }
  return fixes;
}

}  // namespace quillet
