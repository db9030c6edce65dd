#include "main_window/report_actions.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QTextDocument>
#include <QUrl>
#include <stdexcept>

#include "analysis/master_model.h"
#include "desktop/card_text_codec.h"
#include "main_window/shown_text.h"
#include "report/report_svg.h"

namespace quillet {
namespace {

// Charts are drawn at three times their SVG size, so print stays sharp.
QImage SvgPicture(const std::string& svg) {
  QSvgRenderer renderer(QByteArray::fromStdString(svg));
  QImage image(renderer.defaultSize() * 3, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

// The file name proposed for the report: the deck's name with the suffix.
QString ProposedReportName(const MasterModel& model) {
  const QString deck = QFileInfo(ShownPath(model.DName())).completeBaseName();
  return (deck.isEmpty() ? QStringLiteral("DeckReport") : deck + QStringLiteral("Report")) +
         QStringLiteral(".html");
}

}  // namespace

bool IsMarkdownPath(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  return suffix == QStringLiteral("md") || suffix == QStringLiteral("markdown");
}

std::unique_ptr<QTextDocument> ReportPrintDocument(const DeckReport& report) {
  auto document = std::make_unique<QTextDocument>();
  for (const PrintPicture& picture : kPrintPictures) {
    const QUrl name(QString::fromLatin1(picture.name.data(), picture.name.size()));
    QImage image;
    if (picture.what == "resources") {
      image = SvgPicture(ResourcesSvg(report.figures.resources));
    } else if (picture.what == "costcurve") {
      image = SvgPicture(CostCurveSvg(report.figures.costCurve));
    } else {
      image.load(QStringLiteral(":/pictures/%1.png")
                     .arg(QString::fromLatin1(picture.what.data(), picture.what.size())));
    }
    document->addResource(QTextDocument::ImageResource, name, image);
  }
  document->setDefaultStyleSheet(QStringLiteral(
      "h1 { font-size: 16pt; } h2 { font-size: 12pt; margin-top: 10px; } "
      "caption { font-weight: bold; } th { text-align: left; } body { font-size: 9pt; }"));
  document->setHtml(QString::fromStdString(HtmlReport(report, HtmlFlavour::kPrint)));
  return document;
}

void ExportDeckReport(QWidget* parent, Platform& platform, MasterModel& model) {
  if (model.DName().empty()) return;
  FileDialogOptions options;
  options.title = QStringLiteral("Export Report");
  options.fileName = ProposedReportName(model);
  options.filter = QStringLiteral("Web page (HTML)|*.html;*.htm|Markdown|*.md;*.markdown");
  options.defaultSuffix = QStringLiteral("html");
  const std::optional<QString> path = platform.GetSaveFileName(parent, options);
  if (!path || path->isEmpty()) return;
  BusyCursor busy(platform);
  const DeckReport report = BuildDeckReport(model);
  const std::string text = IsMarkdownPath(*path) ? MarkdownReport(report) : HtmlReport(report);
  QSaveFile file(*path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), static_cast<qint64>(text.size())) !=
          static_cast<qint64>(text.size()) ||
      !file.commit()) {
    throw std::runtime_error(
        QStringLiteral("Cannot write '%1': %2").arg(*path, file.errorString()).toStdString());
  }
}

void PrintDeckReport(QWidget* parent, Platform& platform, MasterModel& model) {
  if (model.DName().empty()) return;
  std::unique_ptr<QTextDocument> document;
  {
    BusyCursor busy(platform);
    document = ReportPrintDocument(BuildDeckReport(model));
  }
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QStringLiteral("Deck report"));
  if (!platform.ChoosePrinter(parent, printer)) return;
  BusyCursor busy(platform);
  document->print(&printer);
}

}  // namespace quillet
