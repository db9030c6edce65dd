// The Card panel beside the running program: a card shown box for box as the
// reader's model shows it, with its rules text; the notices for a name no
// card has and for missing data files; Open in Reader; and the card the user
// picks in the browser, the sample hand and Compare shown at once, while the
// lists refilling themselves pick nothing.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>
#include <cstdio>

#include "gui/browser/card_table_model.h"
#include "gui/platform/card_text_codec.h"
#include "support/accessibility_walk.h"
#include "support/panel_workspace.h"

using namespace quillet;

namespace {

QString Box(const CardPanel& panel, std::string_view name) {
  const auto* label = panel.findChild<QLabel*>(QString::fromLatin1(name.data(), name.size()));
  if (label == nullptr) qFatal("no box %s", name.data());
  return label->text();
}

struct NoHost : ReaderHost {
  void ShowMessage(const std::string& /*text*/) override {}
};

// What the reader shows of `name`, box by box.
ReaderView ReaderSees(Session& session, const std::string& name) {
  std::string selected = name;
  NoHost host;
  ReaderModel reader(session.db, selected, host);
  reader.FormActivate();
  return reader.view();
}

}  // namespace

class CardPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void showsACardAsTheReaderDoes() {
    test::PanelWorkspace w;
    CardPanel& panel = *w.card;
    auto* text = panel.findChild<QTextEdit*>(QStringLiteral("CardText"));
    auto* status = panel.findChild<QLabel*>(QStringLiteral("CardStatus"));
    auto* open = panel.findChild<QPushButton*>(QStringLiteral("OpenReaderButton"));
    QVERIFY(!open->isEnabled());

    for (const char* name : {"Bion Acolyte", "Koan Ice", "Bion HQ", "Border Town"}) {
      panel.showCard(name);
      QCOMPARE(panel.shownCard(), std::string(name));
      const ReaderView view = ReaderSees(w.app->session, name);
      for (const ReaderField& field : ReaderFields()) {
        QCOMPARE(Box(panel, field.name), FromCardBytes(view.*field.value));
      }
      QCOMPARE(text->toPlainText(), FromCardBytes(view.CardText));
      QVERIFY(open->isEnabled());
      QVERIFY(status->isHidden());
    }
    panel.showCard("Bion Acolyte");
    QCOMPARE(Box(panel, "SpecialList"), QStringLiteral("Sabotage"));
    QVERIFY(text->toPlainText().startsWith(QStringLiteral("A novice of the cloisters.")));
    // Wrapped, read-only, and selectable from the keyboard as well.
    QCOMPARE(text->lineWrapMode(), QTextEdit::WidgetWidth);
    QVERIFY(text->textInteractionFlags().testFlag(Qt::TextSelectableByKeyboard));
    QVERIFY(text->focusPolicy() != Qt::NoFocus);
    panel.show();
    QCOMPARE(test::UnnamedFocusableControls(panel), QStringList());

    QTest::mouseClick(open, Qt::LeftButton);
    QCOMPARE(w.cardReaders, 1);
    QCOMPARE(w.app->session.SelectedCardName, std::string("Bion Acolyte"));

    // The reader falls back to the last card; the panel says there is none.
    panel.showCard("Bion Acolytes");
    QCOMPARE(status->text(), QStringLiteral("No Such Card!"));
    QCOMPARE(Box(panel, "CardName"), QStringLiteral("Bion Acolytes"));
    QVERIFY(text->toPlainText().isEmpty() && !open->isEnabled());

    std::remove(w.dir.File("CardText.Dat").c_str());
    panel.showCard("Bion Acolyte");
    QCOMPARE(text->toPlainText(), FromCardBytes(kNoCardTextMessage));
    QCOMPARE(Box(panel, "HP"), QStringLiteral("3"));
    std::remove(w.dir.File("CardStat.Dat").c_str());
    panel.showCard("Bion Acolyte");
    QCOMPARE(status->text(), QStringLiteral("You must create a data file to use this program"));
    QCOMPARE(Box(panel, "HP"), QString());
    panel.showCard({});
    QVERIFY(panel.shownCard().empty());
  }

  void showsTheCardPickedInEveryList() {
    test::PanelWorkspace w;
    w.Open(w.Sample("monastery-bion.txt"));
    CardPanel& panel = *w.card;
    const auto click = [](QAbstractItemView* view, const QModelIndex& index) {
      // On the row's part in sight: a narrow panel shows only the left of a
      // wide row.
      const QRect row = view->visualRect(index).intersected(view->viewport()->rect());
      QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row.center());
    };

    // The browser: a click picks; searching refills the table and keeps the
    // selection without picking.
    w.app->master.findChild<QAction*>(QStringLiteral("CardBrowser1"))->trigger();
    auto* table = w.app->browser().findChild<QTableView*>(QStringLiteral("CardTable"));
    QSignalSpy browserPicks(&w.app->browser(), &CardBrowserPanel::cardSelected);
    const QModelIndex third = table->model()->index(2, 0);
    click(table, third);
    QCOMPARE(browserPicks.count(), 1);
    QCOMPARE(QString::fromStdString(panel.shownCard()), third.data().toString());
    auto* search = w.app->browser().findChild<QLineEdit*>(QStringLiteral("SearchEdit"));
    QTest::keyClicks(search, third.data().toString().left(4));
    search->clear();
    QCOMPARE(browserPicks.count(), 1);
    QTest::keyClick(table, Qt::Key_Down);
    QCOMPARE(browserPicks.count(), 2);
    QCOMPARE(QString::fromStdString(panel.shownCard()),
             table->model()->index(3, 0).data().toString());

    // The sample hand: a click picks; drawing refills the list and does not.
    w.app->master.findChild<QAction*>(QStringLiteral("SampleHand1"))->trigger();
    auto* hand = w.app->sampleHand().findChild<QListWidget*>(QStringLiteral("HandList"));
    QSignalSpy handPicks(&w.app->sampleHand(), &SampleHandPanel::cardSelected);
    click(hand, hand->model()->index(1, 0));
    QCOMPARE(handPicks.count(), 1);
    QVERIFY(hand->item(1)->text().endsWith(QString::fromStdString(panel.shownCard())));
    w.app->sampleHand().drawCard();
    QCOMPARE(handPicks.count(), 1);

    // Compare: a card whose copies differ picks it; comparing again does not.
    w.platform.openAnswers.push_back(
        QStringLiteral(QUILLET_SOURCE_DIR "/samples/decks/monastery-bion-v2.txt"));
    w.app->master.findChild<QAction*>(QStringLiteral("CompareWith1"))->trigger();
    auto* cards = w.app->compare().findChild<QTreeWidget*>(QStringLiteral("CardsBox"));
    QSignalSpy comparePicks(&w.app->compare(), &ComparePanel::cardSelected);
    cards->setFocus(Qt::TabFocusReason);  // its first row is current, not picked
    QCOMPARE(comparePicks.count(), 0);
    click(cards, cards->model()->index(0, 0));
    QCOMPARE(comparePicks.count(), 1);
    QCOMPARE(panel.shownCard(), std::string("Koan Ice"));
    w.app->compare().refresh();
    QCOMPARE(comparePicks.count(), 1);

    // The main window's card list: a right-click picks the line it selects.
    auto* list = w.app->master.findChild<QListWidget*>(QStringLiteral("CardList"));
    w.app->master.selectCardLineAt(list->visualItemRect(list->item(2)).center());
    QCOMPARE(panel.shownCard(), w.app->master.view().CardListEntries()[2].Name);
  }
};

QTEST_MAIN(CardPanelTest)
#include "card_panel_test.moc"
