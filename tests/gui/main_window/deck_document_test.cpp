// The open-deck sequence of the open deck's owner, over a real card
// database: the Open dialog's folder and the one ZNUTILS.INI remembers, the
// busy cursor, the order of the messages and of the one notice every window
// follows, a cancelled dialog, and the quiet reloads of a deck saved broken.
#include "gui/main_window/deck_document.h"

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include "core/import/card_data_update.h"
#include "core/settings/ini_settings.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

using quillet::DeckDocument;

namespace {

constexpr char kGood[] = "1\tDresdner Outsource HQ\r\n3\tHologram\r\n";
constexpr char kMissing[] = "1\tDresdner Outsource HQ\r\n2\tNo Such Card\r\n";
// Read to the end, then its Firepower average fails: a positive sum over no
// attackers.
constexpr char kMissingThenBroken[] =
    "2\tNo Such Card\r\n1\tBlue Helmet Sniper\r\n-1\tAmbush Team\r\n";
constexpr char kBroken[] = "4 \tHologram\r\n";

struct Deck {
  Deck() : session(dir.path()) {
    quillet::UpdateCardData(session.db, QUILLET_SOURCE_DIR "/samples/cards.txt",
                            quillet::UpdateOptions{});
    // What each message box would find: the busy cursor, how many notices
    // went out, and whether a deck is on display.
    platform.onMessage = [this](const QString& text) {
      seen << QStringLiteral("%1 busy=%2 changed=%3 open=%4")
                  .arg(text)
                  .arg(platform.busyDepth)
                  .arg(changed.count())
                  .arg(document.isOpen());
    };
  }
  // The deck file `name` holding `bytes`, chosen in the Open dialog.
  bool open(const char* name, const char* bytes) {
    platform.openAnswers.push_back(QString::fromStdString(dir.Write(name, bytes)));
    seen.clear();
    return document.open(nullptr);
  }
  QString said(const char* file, const char* what) const {
    return QStringLiteral("File '%1' ").arg(QString::fromStdString(dir.File(file))) +
           QString::fromLatin1(what);
  }

  quillet::test::TempDir dir;
  quillet::Session session;
  quillet::test::ScriptedPlatform platform;
  DeckDocument document{session, platform};
  QSignalSpy changed{&document, &DeckDocument::changed};
  QStringList seen;
};

const QString kNotFound = QStringLiteral("Error - the following cards could not be found: ");

}  // namespace

class DeckDocumentTest : public QObject {
  Q_OBJECT

 private slots:
  // Every message comes after the one notice of its analysis, over what it
  // speaks of; the names not found under the busy cursor, that the deck is
  // not valid once the work is over.
  void messagesFollowTheNoticeInOrder() {
    Deck d;
    QVERIFY(d.open("good.txt", kGood));
    QVERIFY(d.seen.isEmpty());
    QCOMPARE(d.changed.count(), 1);
    QCOMPARE(d.document.path(), d.dir.File("good.txt"));

    QVERIFY(d.open("missing.txt", kMissing));
    QCOMPARE(d.seen, QStringList{kNotFound + "No Such Card busy=1 changed=2 open=1"});

    QVERIFY(d.open("broken.txt", kMissingThenBroken));
    QCOMPARE(d.seen, (QStringList{kNotFound + "No Such Card busy=1 changed=3 open=0",
                                  d.said("broken.txt", "is not a valid deck file.") +
                                      " busy=0 changed=3 open=0"}));
    QVERIFY(d.document.path().empty());  // no deck is followed after a failed open
    QCOMPARE(d.platform.busyDepth, 0);
  }

  // A cancelled dialog keeps the figures on display, but no deck counts as
  // loaded, and nothing follows.
  void aCancelledDialogChangesNothingElse() {
    Deck d;
    QVERIFY(d.open("good.txt", kGood));
    d.platform.openAnswers.push_back(std::nullopt);
    QVERIFY(!d.document.open(nullptr));
    QCOMPARE(d.changed.count(), 1);
    QVERIFY(!d.document.view().Loaded());
    QCOMPARE(d.document.view().DName(), d.dir.File("good.txt"));
    QCOMPARE(d.document.path(), d.dir.File("good.txt"));
    QCOMPARE(d.platform.busyCount, 1);
  }

  // The dialog opens in the folder of the last deck analysed without
  // failure, kept in ZNUTILS.INI beside the settings already there; a
  // settings file that cannot be written fails nothing.
  void theDialogRemembersTheFolderOfTheLastGoodDeck() {
    Deck d;
    d.dir.Write("ZNUTILS.INI", "[Other]\r\nX=1\r\n");
    QVERIFY(d.open("good.txt", kGood));
    QCOMPARE(d.platform.openRequests.back().initialDirectory, QString());
    QCOMPARE(quillet::test::TempDir::Read(d.dir.File("ZNUTILS.INI")),
             "[Other]\r\nX=1\r\n[DIRECTORIES]\r\nDeck Directory=" + d.dir.path() + "\r\n");
    QVERIFY(QDir().mkdir(QString::fromStdString(d.dir.File("sub"))));
    QVERIFY(d.open("sub/broken.txt", kBroken));
    QCOMPARE(d.platform.openRequests.back().initialDirectory, QString::fromStdString(d.dir.path()));
    QCOMPARE(quillet::ReadDeckDirectory(d.dir.path()), d.dir.path());
    QVERIFY(d.open("sub/good.txt", kGood));
    QCOMPARE(quillet::ReadDeckDirectory(d.dir.path()), d.dir.File("sub/"));
    // The folder is a convenience: a settings file that cannot be written
    // does not make the deck invalid.
    QVERIFY(QFile::remove(QString::fromStdString(d.dir.File("ZNUTILS.INI"))));
    QCOMPARE(::mkdir(d.dir.File("ZNUTILS.INI").c_str(), 0700), 0);
    QVERIFY(d.open("good.txt", kGood));
    QVERIFY(d.document.isOpen());
    QVERIFY(d.seen.isEmpty());
  }

  // A deck saved broken is reported by a loud reload; quiet ones say
  // nothing while it stays broken and keep following it; the mended deck
  // says what it has to say.
  void quietReloadsFollowABrokenDeckUntilItMends() {
    Deck d;
    QVERIFY(d.open("deck.txt", kGood));
    d.dir.Write("deck.txt", kBroken);
    d.seen.clear();
    QVERIFY(!d.document.reload(nullptr, false).analysed);
    QCOMPARE(d.seen, QStringList{d.said("deck.txt", "is not a valid deck file.") +
                                 " busy=0 changed=2 open=0"});
    QCOMPARE(d.document.path(), d.dir.File("deck.txt"));
    d.seen.clear();
    QVERIFY(!d.document.reload(nullptr, true).analysed);
    QVERIFY(d.seen.isEmpty());
    QCOMPARE(d.changed.count(), 3);
    d.dir.Write("deck.txt", kMissing);
    QVERIFY(d.document.reload(nullptr, true).analysed);
    QCOMPARE(d.seen, QStringList{kNotFound + "No Such Card busy=0 changed=4 open=1"});
    QCOMPARE(d.platform.busyDepth, 0);
  }
};

QTEST_MAIN(DeckDocumentTest)
#include "deck_document_test.moc"
