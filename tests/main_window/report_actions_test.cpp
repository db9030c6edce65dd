// File > Export Report... and File > Print... over a sample deck: the report
// goes to the file chosen as Markdown or HTML by its extension, Print to a
// PDF file writes one, a cancelled dialog writes nothing, and both commands
// wait for a deck. With QUILLET_SCREENSHOT_DIR set the HTML report and the
// printed PDF are left there for the screenshots.
#include <QAction>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QTextDocument>
#include <memory>

#include "analysis/session.h"
#include "main_window/master_form.h"
#include "main_window/report_actions.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"
#include "updater/card_data_update.h"

using quillet::TMasterForm;

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
    TMasterForm form(session, platform);
    auto* exportItem = form.findChild<QAction*>(QStringLiteral("ExportReport1"));
    auto* printItem = form.findChild<QAction*>(QStringLiteral("Print1"));
    QVERIFY(!exportItem->isEnabled() && !printItem->isEnabled());
    QCOMPARE(printItem->shortcut(), QKeySequence(QKeySequence::Print));

    platform.openAnswers.push_back(
        QStringLiteral(QUILLET_SOURCE_DIR "/samples/decks/monastery-bion.txt"));
    form.AnalyzeButtonClick();
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
    const QByteArray pdf = Read(path("report.pdf"));
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY(pdf.size() > 10000);  // text and the pictures, not an empty page
    QVERIFY(platform.messages.isEmpty());
    QCOMPARE(platform.busyDepth, 0);
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
