// File > Export Report... and File > Print... over a sample deck: the report
// goes to the file chosen as Markdown or HTML by its extension, Print to a
// PDF file writes one, a cancelled dialog writes nothing, and both commands
// wait for a deck. With QUILLET_SCREENSHOT_DIR set the HTML report and the
// printed PDF are left there for the screenshots.
#include <QAction>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTest>
#include <QTextDocument>
#include <memory>

#include "core/analysis/session.h"
#include "core/import/card_data_update.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/report_actions.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

using quillet::MainWindow;

namespace {

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class ReportActionsTest : public QObject {
  Q_OBJECT

 private slots:
  void exportWritesMarkdownOrHtmlByExtensionAndPrintWritesAPdf() {
    quillet::test::TempDir dir;
    quillet::Session session(dir.path());
    quillet::UpdateCardData(session.db, QUILLET_SOURCE_DIR "/samples/cards.txt",
                            quillet::UpdateOptions{});
    quillet::test::ScriptedPlatform platform;
    quillet::DeckDocument document(session, platform);
    MainWindow form(document, platform);
    auto* exportItem = form.findChild<QAction*>(QStringLiteral("ExportReport1"));
    auto* printItem = form.findChild<QAction*>(QStringLiteral("Print1"));
    QVERIFY(!exportItem->isEnabled() && !printItem->isEnabled());
    QCOMPARE(printItem->shortcut(), QKeySequence(QKeySequence::Print));

    platform.openAnswers.push_back(
        QStringLiteral(QUILLET_SOURCE_DIR "/samples/decks/monastery-bion.txt"));
    form.openDeck();
    QVERIFY(exportItem->isEnabled() && printItem->isEnabled());

    const QByteArray outDir = qgetenv("QUILLET_SCREENSHOT_DIR");
    auto path = [&](const char* name) {
      return outDir.isEmpty() ? QString::fromStdString(dir.File(name))
                              : QString::fromLocal8Bit(outDir) + QLatin1Char('/') + name;
    };
    platform.saveAnswers = {path("report.md"), path("report.HTML"), std::nullopt};
    exportItem->trigger();
    QCOMPARE(platform.saveRequests.back().fileName, QStringLiteral("monastery-bionReport.html"));
    exportItem->trigger();
    exportItem->trigger();  // cancelled
    // A report that cannot be written is said so, and nothing is left.
    platform.saveAnswers = {QString::fromStdString(dir.File("no/such/folder/report.md"))};
    exportItem->trigger();
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY2(platform.messages.front().contains(QStringLiteral("no/such/folder/report.md")),
             qPrintable(platform.messages.front()));
    platform.messages.clear();
    const QByteArray md = Read(path("report.md"));
    QVERIFY(md.startsWith("# Deck report: "));
    QVERIFY(md.contains("| Figure | Value |"));
    const QByteArray html = Read(path("report.HTML"));
    QVERIFY(html.startsWith("<!DOCTYPE html>"));
    QVERIFY(html.contains("<svg"));
    QCOMPARE(platform.busyDepth, 0);

    platform.printAnswers = {std::nullopt, path("report.pdf")};
    printItem->trigger();  // cancelled: nothing printed
    QVERIFY(!QFile::exists(path("report.pdf")));
    printItem->trigger();
    QCOMPARE(platform.printRequests, 2);
    // Proposed beside the deck, under its name (where only PDF is at hand).
    QCOMPARE(platform.printDocName, QStringLiteral("monastery-bion report"));
    if (QPrinterInfo::availablePrinters().isEmpty()) {
      QCOMPARE(platform.printFileName,
               QStringLiteral(QUILLET_SOURCE_DIR "/samples/decks/monastery-bion report.pdf"));
    }
    const QByteArray pdf = Read(path("report.pdf"));
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY(pdf.size() > 10000);  // text and the pictures, not an empty page
    QVERIFY(platform.messages.isEmpty());
    QCOMPARE(platform.busyDepth, 0);
  }

  // The printed report as the pages see it: every row of the card list and
  // every item of the missing cards is a piece of its own block, in order,
  // and printing on small pages gives one page per page start, each with its
  // footer.
  void printingKeepsRowsAndShortTablesWhole() {
    quillet::test::TempDir dir;
    quillet::Session session(dir.path());
    quillet::UpdateCardData(session.db, QUILLET_SOURCE_DIR "/samples/cards.txt",
                            quillet::UpdateOptions{});
    quillet::test::ScriptedPlatform platform;
    quillet::DeckDocument deck(session, platform);
    MainWindow form(deck, platform);
    platform.openAnswers.push_back(
        QStringLiteral(QUILLET_SOURCE_DIR "/samples/decks/corporate-missing-cards.txt"));
    form.openDeck();
    const quillet::DeckReport report = quillet::BuildDeckReport(form.view().Analysis());
    QVERIFY(!report.missing.empty());

    const auto document = quillet::ReportPrintDocument(report);
    document->setTextWidth(500);
    const auto blocks = quillet::ReportPrintBlocks(*document);
    bool cardList = false;
    bool missingList = false;
    double previous = -1;
    for (const auto& block : blocks) {
      QVERIFY(!block.pieces.empty());
      for (const auto& piece : block.pieces) {
        QVERIFY2(piece.top >= previous,
                 qPrintable(QStringLiteral("%1 after %2").arg(piece.top).arg(previous)));
        QVERIFY(piece.bottom >= piece.top);
        previous = piece.bottom;
      }
      // The card list: its header row and one row a card.
      cardList = cardList || block.pieces.size() == report.cards.size() + 1;
      missingList = missingList || block.pieces.size() == report.missing.size();
    }
    QVERIFY(cardList);
    QVERIFY(missingList);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A6));
    const QString pdf = QString::fromStdString(dir.File("report.pdf"));
    printer.setOutputFileName(pdf);
    quillet::PrintReportPages(*document, printer, QStringLiteral("corporate-missing-cards.txt"));
    const QByteArray bytes = Read(pdf);
    const qsizetype pages = bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r");
    QVERIFY2(pages > 3, qPrintable(QString::number(pages)));
  }

  void theRichTextGetsEveryPicture() {
    quillet::DeckReport report;
    const auto document = quillet::ReportPrintDocument(report);
    for (const auto& picture : quillet::kPrintPictures) {
      const QUrl name(QString::fromLatin1(picture.name.data(), picture.name.size()));
      const QVariant image = document->resource(QTextDocument::ImageResource, name);
      QVERIFY2(!image.value<QImage>().isNull(), picture.name.data());
    }
  }
};

QTEST_MAIN(ReportActionsTest)
#include "report_actions_test.moc"
