#include "gui/browser/card_browser_panel.h"
#include "gui/main_window/deck_document.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "app/application.h"
#include "core/card_data/card_words.h"
#include "gui/browser/card_table_model.h"
#include "support/card_builder.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

using namespace quillet;

namespace {

// Five invented cards: name, type, HP, text.
void WriteDatabase(const test::TempDir& dir) {
  struct Row {
    const char* name;
    char type;
    const char* hp;
    const char* text;
  };
  const Row rows[] = {{"Alder Spire", 'B', "", "Produces when the tide is low."},
                      {"S\xE9"
                       "ance Broker",
                       'A', "10", "Trades with ghosts."},
                      {"Dock Warden", 'A', "2",
                       "Guards the S\xC9"
                       "ANCE hall."},
                      {"Cinder Oath", 'I', "", "Burn a card."},
                      {"Brine Hound", 'A', "$A", ""}};
  std::vector<TCardRecord> cards;
  std::string texts;
  for (const Row& row : rows) {
    TCardRecord card = test::MakeCard(row.name, row.type);
    card.HP.Assign(row.hp);
    // Numbers wherever the analysis reads one, and no production.
    for (auto* field : {&card.Firepower, &card.Armor, &card.Stealth, &card.Perception,
                        &card.CyberAffinity, &card.DeployMil, &card.DeployCov, &card.DeployCyb}) {
      field->Assign("1");
    }
    card.ProdMil = card.ProdCov = card.ProdCyb = ' ';
    card.Domain = row.type == 'A' ? 'U' : ' ';
    if (std::string_view(row.name) == "Dock Warden") card.Keywords = Mask(Keyword::Veteran);
    if (*row.text != 0) {
      card.TextStart = static_cast<std::int32_t>(texts.size() + 1);
      texts += row.text;
      card.TextEnd = static_cast<std::int32_t>(texts.size());
    }
    cards.push_back(card);
  }
  dir.Write("CardStat.Dat", test::RecordsBytes(cards));
  dir.Write("CardText.Dat", texts);
}

QStringList Column(CardTableModel& model, CatalogueColumn column) {
  QStringList out;
  for (int row = 0; row < model.rowCount(); ++row) {
    out << model.index(row, static_cast<int>(column)).data().toString();
  }
  return out;
}

}  // namespace

class CardBrowserPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void searchesFiltersAndSorts() {
    test::TempDir dir;
    WriteDatabase(dir);
    Session session(dir.path());
    test::ScriptedPlatform platform;
    DeckDocument deck(session, platform);
    CardBrowserPanel form(deck, platform);
    form.show();
    CardTableModel& model = form.model();
    auto* count = form.findChild<QLabel*>(QStringLiteral("CountLabel"));
    auto* search = form.findChild<QLineEdit*>(QStringLiteral("SearchEdit"));
    auto* table = form.findChild<QTableView*>(QStringLiteral("CardTable"));
    QVERIFY(count && search && table);

    QCOMPARE(model.columnCount(), 16);
    QStringList captions;
    for (int c = 0; c < model.columnCount(); ++c) {
      captions << model.headerData(c, Qt::Horizontal).toString();
    }
    QCOMPARE(captions, (QStringList{"Name", "Type", "Domain", "Rarity", "Edition", "HP", "FP",
                                    "Armor", "Stealth", "Perception", "CA", "Deploy Mil",
                                    "Deploy Cov", "Deploy Cyb", "Keywords", "In deck"}));
    // Opened sorted by name; the texts are not read yet.
    QCOMPARE(Column(model, CatalogueColumn::Name),
             (QStringList{"Alder Spire", "Brine Hound", "Cinder Oath", "Dock Warden",
                          QString::fromUtf8("Séance Broker")}));
    QCOMPARE(count->text(), QStringLiteral("5 of 5 cards"));
    QVERIFY(!form.catalogue().TextsLoaded());

    // HP by value: blanks first, then 2, then 10 twice by name.
    table->sortByColumn(static_cast<int>(CatalogueColumn::HP), Qt::AscendingOrder);
    QCOMPARE(Column(model, CatalogueColumn::Name),
             (QStringList{"Alder Spire", "Cinder Oath", "Dock Warden", "Brine Hound",
                          QString::fromUtf8("Séance Broker")}));

    // Typed in lower case with its accent, found in a name and in a text.
    // (Qt Test types ASCII only; the accented letter is inserted as an input
    // method would.)
    QTest::keyClicks(search, QStringLiteral("s"));
    search->insert(QString::fromUtf8("é"));
    QTest::keyClicks(search, QStringLiteral("ance"));
    QCOMPARE(Column(model, CatalogueColumn::Name),
             (QStringList{"Dock Warden", QString::fromUtf8("Séance Broker")}));
    QCOMPARE(count->text(), QStringLiteral("2 of 5 cards"));
    QCOMPARE(platform.busyDepth, 0);

    auto* keyword = form.findChild<QComboBox*>(QStringLiteral("KeywordBox"));
    keyword->setCurrentText(QStringLiteral("Veteran"));
    QCOMPARE(Column(model, CatalogueColumn::Name), QStringList{"Dock Warden"});
    QCOMPARE(Column(model, CatalogueColumn::Keywords), QStringList{"Veteran"});
    keyword->setCurrentIndex(0);
    search->clear();
    auto* type = form.findChild<QComboBox*>(QStringLiteral("TypeBox"));
    type->setCurrentText(QStringLiteral("Asset"));
    QCOMPARE(count->text(), QStringLiteral("3 of 5 cards"));
    auto* domain = form.findChild<QComboBox*>(QStringLiteral("DomainBox"));
    domain->setCurrentText(QStringLiteral("Inner Circle"));
    QCOMPARE(count->text(), QStringLiteral("0 of 5 cards"));
    domain->setCurrentIndex(0);
    type->setCurrentIndex(0);

    // Ctrl+C copies the selected names in table order, one a line.
    table->sortByColumn(0, Qt::DescendingOrder);
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    table->setFocus();
    table->selectRow(0);
    table->selectionModel()->select(model.index(4, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(platform.clipboard, QString::fromUtf8("Séance Broker\nAlder Spire"));

    // An update replaced the database: the open browser reads it again.
    dir.Write("CardStat.Dat", test::RecordsBytes({test::MakeCard("Kiln Ward")}));
    form.followDatabaseUpdate();
    QCOMPARE(Column(model, CatalogueColumn::Name), QStringList{"Kiln Ward"});
    QCOMPARE(count->text(), QStringLiteral("1 of 1 cards"));
  }

  void saysWhenThereIsNoDatabase() {
    test::TempDir dir;
    Session session(dir.path());
    test::ScriptedPlatform platform;
    DeckDocument deck(session, platform);
    CardBrowserPanel form(deck, platform);
    form.showBrowser();
    QCOMPARE(platform.messages, QStringList{"You must create a data file to use this program"});
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("CountLabel"))->text(),
             QStringLiteral("0 of 0 cards"));
    QCOMPARE(platform.busyDepth, 0);
  }

  void followsTheAnalysisAndOpensTheReader() {
    test::TempDir dir;
    WriteDatabase(dir);
    const std::string deck =
        dir.Write("deck.txt", "2\tDock Warden\r\n$A\tBrine Hound\r\n1\tDock Warden\r\n");
    test::ScriptedPlatform platform;
    Application app(dir.path(), platform);
    app.master.show();
    app.master.findChild<QAction*>(QStringLiteral("CardBrowser1"))->trigger();
    QVERIFY(app.browser().isVisible());
    CardTableModel& model = app.browser().model();
    QCOMPARE(Column(model, CatalogueColumn::InDeck), (QStringList{"", "", "", "", ""}));

    platform.openAnswers.push_back(QString::fromStdString(deck));
    app.master.openDeck();
    QVERIFY2(platform.messages.isEmpty(), qPrintable(platform.messages.join('|')));
    // Alder, Brine, Cinder, Dock, Séance.
    QCOMPARE(Column(model, CatalogueColumn::InDeck), (QStringList{"", "10", "", "3", ""}));
    app.browser().findChild<QCheckBox*>(QStringLiteral("InDeckOnly"))->setChecked(true);
    QCOMPARE(Column(model, CatalogueColumn::Name), (QStringList{"Brine Hound", "Dock Warden"}));
    QCOMPARE(app.browser().findChild<QLabel*>(QStringLiteral("CountLabel"))->text(),
             QStringLiteral("2 of 5 cards"));

    auto* table = app.browser().findChild<QTableView*>(QStringLiteral("CardTable"));
    const QRect cell = table->visualRect(model.index(1, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(app.session.SelectedCardName, std::string("Dock Warden"));
    QVERIFY(app.reader.isVisible());
  }
};

QTEST_MAIN(CardBrowserPanelTest)
#include "card_browser_panel_test.moc"
