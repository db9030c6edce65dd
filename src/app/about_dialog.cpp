#include "app/about_dialog.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include "gui/platform/centre_window.h"
#include "gui/platform/platform.h"

namespace quillet {
namespace {

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->move(x, y);
  label->adjustSize();
  return label;
}

}  // namespace

AboutDialog::AboutDialog(const QString& dataFolder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("AboutForm"));
  setWindowTitle(QStringLiteral("About Quillet"));
  // Everything below the data folder line sits kShift lower than it would
  // without it.
  constexpr int kShift = 22;
  setFixedSize(308, 263 + kShift);

  QLabel* title = AddLabel(this, "Label1", QStringLiteral("Quillet "), 10, 6);
  QFont titleFont(QStringLiteral("Liberation Serif"));
  titleFont.setStyleHint(QFont::Serif);
  titleFont.setPointSize(20);
  titleFont.setBold(true);
  title->setFont(titleFont);
  title->adjustSize();
  QLabel* subtitle = AddLabel(this, "Label2", QStringLiteral("Orvane Deck Analyzer"), 0, 0);
  QFont subtitleFont = subtitle->font();
  subtitleFont.setPointSize(10);
  subtitleFont.setBold(true);
  subtitle->setFont(subtitleFont);
  subtitle->adjustSize();
  // Beside the title, on the same baseline.
  subtitle->move(title->x() + title->width() + 2,
                 title->y() + title->fontMetrics().ascent() - subtitle->fontMetrics().ascent() +
                     (title->height() - title->fontMetrics().height()) / 2);

  AddLabel(this, "VersionLabel", QStringLiteral("Version 3.61"), 10, 44);
  AddLabel(this, "AuthorLabel",
           QStringLiteral("Written by Maren Tolliver (maren.tolliver@example.org)"), 10, 64);
  AddLabel(this, "MaintainerLabel",
           QStringLiteral("Maintained by Idris Bellamy (idris.bellamy@example.org)"), 10, 80);
  AddLabel(this, "DownloadLabel",
           QStringLiteral("The latest version can always be downloaded from"), 10, 100);
  AddLabel(this, "HomePageLabel", kUtilitiesHomePage, 10, 116);

  QLabel* folderCaption =
      AddLabel(this, "DataFolderCaption", QStringLiteral("Data folder:"), 10, 138);
  // A frameless read-only line: the whole path can be selected and copied,
  // and a long one scrolls instead of being cut.
  auto* folder = new QLineEdit(dataFolder, this);
  folder->setObjectName(QStringLiteral("DataFolderLabel"));
  folder->setReadOnly(true);
  folder->setFrame(false);
  folder->setStyleSheet(QStringLiteral("background: transparent"));
  folder->setCursorPosition(0);
  folder->setToolTip(dataFolder);
  folderCaption->setBuddy(folder);
  const int folderX = folderCaption->x() + folderCaption->width() + 4;
  folder->setGeometry(folderX, folderCaption->y() + (folderCaption->height() - 20) / 2,
                      298 - folderX, 20);

  auto* bevel = new QFrame(this);
  bevel->setObjectName(QStringLiteral("Bevel1"));
  bevel->setFrameShape(QFrame::HLine);
  bevel->setFrameShadow(QFrame::Sunken);
  bevel->setGeometry(8, 138 + kShift, 292, 4);

  QLabel* owned = AddLabel(this, "OwnershipLabel1",
                           QStringLiteral("Orvane and its resource symbols"), 10, 150 + kShift);
  const char* const pictures[][2] = {{"ImageMil", ":/pictures/military.png"},
                                     {"ImageCov", ":/pictures/covert.png"},
                                     {"ImageCyb", ":/pictures/cyberops.png"}};
  int x = owned->x() + owned->width() + 6;
  for (const auto& [name, resource] : pictures) {
    auto* picture = new QLabel(this);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setPixmap(QPixmap(QString::fromLatin1(resource)));
    picture->setGeometry(x, owned->y() + owned->height() / 2 - 10, 16, 20);
    picture->setAlignment(Qt::AlignCenter);
    x += 20;
  }
  AddLabel(this, "OwnershipLabel2", QStringLiteral("are the property of the game's publisher;"), 10,
           168 + kShift);
  AddLabel(this, "OwnershipLabel3", QStringLiteral("card names and texts belong to their owners."),
           10, 184 + kShift);

  auto* disclaimer = new QLabel(
      QStringLiteral("Quillet is an independent fan tool. It is not made, endorsed or supported "
                     "by the publisher of Orvane."),
      this);
  disclaimer->setObjectName(QStringLiteral("DisclaimerLabel"));
  QFont small = disclaimer->font();
  small.setPointSize(7);
  disclaimer->setFont(small);
  disclaimer->setWordWrap(true);
  disclaimer->setGeometry(10, 204 + kShift, 288, 24);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setGeometry(117, 232 + kShift, 75, 25);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  CentreOnScreen(*this);
}

}  // namespace quillet
