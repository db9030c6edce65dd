#include "app/about_dialog.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "gui/platform/platform.h"
#include "gui/platform/window_font.h"

using namespace quillet;

class AboutDialogTest : public QObject {
  Q_OBJECT

 private:
  QString Text(AboutDialog& form, const char* name) {
    auto* label = form.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
  }

 private slots:
  void frameAndTexts() {
    AboutDialog form;
    QCOMPARE(form.windowTitle(), QStringLiteral("About Quillet"));
    QCOMPARE(form.size(), QSize(308, 285));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(!(form.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(form.windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(Text(form, "Label1"), QStringLiteral("Quillet "));
    auto* title = form.findChild<QLabel*>(QStringLiteral("Label1"));
    QVERIFY(title->font().bold());
    QVERIFY(title->font().pointSize() >= 16);
    QCOMPARE(Text(form, "Label2"), QStringLiteral("Orvane Deck Analyzer"));
    QCOMPARE(Text(form, "VersionLabel"), QStringLiteral("Version 3.61"));
    QCOMPARE(Text(form, "HomePageLabel"), kUtilitiesHomePage);
    QVERIFY(Text(form, "AuthorLabel").contains(QStringLiteral("@example.org")));
    QVERIFY(Text(form, "MaintainerLabel").contains(QStringLiteral("@example.org")));
    QVERIFY(form.findChild<QFrame*>(QStringLiteral("Bevel1")));
  }

  void showsTheDataFolderAsSelectableText() {
    const QString folder = QStringLiteral("/home/s\u00e9verine/.local/share/quillet/");
    AboutDialog form(folder);
    auto* line = form.findChild<QLineEdit*>(QStringLiteral("DataFolderLabel"));
    QVERIFY(line);
    QCOMPARE(line->text(), folder);
    QVERIFY(line->isReadOnly());
    QCOMPARE(Text(form, "DataFolderCaption"), QStringLiteral("Data folder:"));
    auto* caption = form.findChild<QLabel*>(QStringLiteral("DataFolderCaption"));
    QCOMPARE(caption->buddy(), line);
    QVERIFY(line->x() > caption->x() + caption->width());
    QVERIFY(line->geometry().right() < form.width());
    line->selectAll();
    QCOMPARE(line->selectedText(), folder);
  }

  void layoutRunsTopToBottomInsideTheClientArea() {
    AboutDialog form;
    int lastY = -1;
    for (const char* name :
         {"Label1", "VersionLabel", "AuthorLabel", "MaintainerLabel", "DownloadLabel",
          "HomePageLabel", "DataFolderLabel", "Bevel1", "OwnershipLabel1", "OwnershipLabel2",
          "OwnershipLabel3", "DisclaimerLabel", "OKButton"}) {
      auto* w = form.findChild<QWidget*>(QString::fromLatin1(name));
      QVERIFY2(w, name);
      QVERIFY2(w->y() > lastY, name);
      QVERIFY2(QRect(QPoint(0, 0), form.size()).contains(w->geometry()), name);
      lastY = w->y();
    }
    // The resource pictures stand on the first line of the ownership notice.
    auto* owned = form.findChild<QLabel*>(QStringLiteral("OwnershipLabel1"));
    for (const char* name : {"ImageMil", "ImageCov", "ImageCyb"}) {
      auto* picture = form.findChild<QLabel*>(QString::fromLatin1(name));
      QVERIFY2(picture, name);
      QVERIFY(picture->geometry().intersects(QRect(0, owned->y(), form.width(), owned->height())));
      QVERIFY(picture->x() >= owned->x() + owned->width());
    }
  }

  void okAndTheCloseBoxBothEndTheDialog() {
    AboutDialog form;
    form.open();
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(!form.isVisible());
    form.open();
    form.close();
    QVERIFY(!form.isVisible());
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setFont(WindowFont());
  AboutDialogTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "about_dialog_test.moc"
