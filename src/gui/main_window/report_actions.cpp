#include "gui/main_window/report_actions.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <optional>
#include <stdexcept>

#include "core/analysis/main_view.h"
#include "core/card_data/safe_file.h"
#include "core/report/report_svg.h"
#include "gui/main_window/shown_text.h"
#include "gui/platform/card_text_codec.h"

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

// The laid out report as a column of blocks that printing must not cut: a
// table is a block of its rows, a list a block of its items, a heading is
// kept with what follows it. Empty paragraphs, the spacing the rich text puts
// around tables, hold nothing and are left out.
PrintBlock TableRows(QTextTable& table, const QAbstractTextDocumentLayout& layout) {
  const QRectF frame = layout.frameBoundingRect(&table);
  std::vector<QRectF> rows;
  for (int r = 0; r < table.rows(); ++r) {
    QRectF row;
    for (int c = 0; c < table.columns(); ++c) {
      const QTextTableCell cell = table.cellAt(r, c);
      if (!cell.isValid() || cell.row() != r) continue;
      row |= layout.blockBoundingRect(cell.firstCursorPosition().block());
      row |= layout.blockBoundingRect(cell.lastCursorPosition().block());
    }
    rows.push_back(row);
  }
  // Rows meet halfway between one's text and the next one's, so a page
  // ends between their borders.
  PrintBlock block;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const double top = r == 0 ? frame.top() : (rows[r - 1].bottom() + rows[r].top()) / 2;
    const double bottom =
        r + 1 == rows.size() ? frame.bottom() : (rows[r].bottom() + rows[r + 1].top()) / 2;
    block.pieces.push_back({top, bottom});
  }
  return block;
}

// The file name proposed for the report: the deck's name with the suffix.
QString ProposedReportName(const MainView& model) {
  const QString deck = QFileInfo(ShownPath(model.DName())).completeBaseName();
  return (deck.isEmpty() ? QStringLiteral("DeckReport") : deck + QStringLiteral("Report")) +
         QStringLiteral(".html");
}

}  // namespace

bool IsMarkdownPath(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  return suffix == QStringLiteral("md") || suffix == QStringLiteral("markdown");
}

std::vector<PrintBlock> ReportPrintBlocks(QTextDocument& document) {
  const QAbstractTextDocumentLayout& layout = *document.documentLayout();
  std::vector<PrintBlock> blocks;
  std::optional<PrintPiece> heading;
  const QTextList* list = nullptr;
  for (QTextFrame::iterator it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
    PrintBlock block;
    const QTextList* inList = nullptr;
    if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
      block = TableRows(*table, layout);
    } else if (it.currentFrame()) {
      const QRectF rect = layout.frameBoundingRect(it.currentFrame());
      block.pieces.push_back({rect.top(), rect.bottom()});
    } else {
      const QTextBlock paragraph = it.currentBlock();
      inList = paragraph.textList();
      if (paragraph.text().isEmpty() && inList == nullptr) continue;
      const QRectF rect = layout.blockBoundingRect(paragraph);
      if (paragraph.blockFormat().headingLevel() > 0) {
        heading = PrintPiece{rect.top(), rect.bottom()};
        list = nullptr;
        continue;
      }
      block.pieces.push_back({rect.top(), rect.bottom()});
    }
    if (block.pieces.empty()) continue;
    if (heading) {
      block.pieces.front().top = heading->top;
      heading.reset();
    } else if (inList && inList == list) {
      // The next item of the list just measured.
      blocks.back().pieces.push_back(block.pieces.front());
      continue;
    }
    list = inList;
    blocks.push_back(std::move(block));
  }
  if (heading) blocks.push_back(PrintBlock{{*heading}});
  // A paragraph's margin may reach into the next table's: the column is cut
  // into pieces that do not overlap, so a page never starts inside one.
  double reached = 0;
  for (PrintBlock& block : blocks) {
    for (PrintPiece& piece : block.pieces) {
      piece.top = std::max(piece.top, reached);
      piece.bottom = std::max(piece.bottom, piece.top);
      reached = piece.bottom;
    }
  }
  return blocks;
}

void PrintReportPages(QTextDocument& document, QPrinter& printer, const QString& deckName) {
  QPainter painter;
  if (!painter.begin(&printer)) return;
  QAbstractTextDocumentLayout* layout = document.documentLayout();
  layout->setPaintDevice(&printer);
  const QSizeF page = printer.pageRect(QPrinter::DevicePixel).size();
  document.setTextWidth(page.width());
  QFont footerFont = document.defaultFont();
  footerFont.setPointSizeF(8);
  const QFontMetricsF footerMetrics(footerFont, &printer);
  // The footer's line and a line of room above it.
  const qreal bodyHeight = page.height() - 2 * footerMetrics.height();
  const std::vector<double> starts = PageStarts(ReportPrintBlocks(document), bodyHeight);
  const qreal end = document.size().height();
  for (std::size_t i = 0; i < starts.size(); ++i) {
    if (i > 0) printer.newPage();
    const qreal top = starts[i];
    const qreal bottom = std::min(i + 1 < starts.size() ? starts[i + 1] : end, top + bodyHeight);
    painter.save();
    painter.setClipRect(QRectF(0, 0, page.width(), bottom - top));
    painter.translate(0, -top);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, top, page.width(), bottom - top);
    context.palette.setColor(QPalette::Text, Qt::black);
    layout->draw(&painter, context);
    painter.restore();
    const QRectF footer(0, page.height() - footerMetrics.height(), page.width(),
                        footerMetrics.height());
    painter.setFont(footerFont);
    painter.setPen(Qt::black);
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, deckName);
    painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Page %1 of %2").arg(i + 1).arg(starts.size()));
  }
  painter.end();
}

std::unique_ptr<QTextDocument> ReportPrintDocument(const DeckReport& report) {
  auto document = std::make_unique<QTextDocument>();
  for (const PrintPicture& picture : kPrintPictures) {
    const QUrl name(
        QString::fromLatin1(picture.name.data(), static_cast<qsizetype>(picture.name.size())));
    QImage image;
    if (picture.what == "resources") {
      image = SvgPicture(ResourcesSvg(report.figures.resources));
    } else if (picture.what == "costcurve") {
      image = SvgPicture(CostCurveSvg(report.figures.costCurve));
    } else {
      image.load(QStringLiteral(":/pictures/%1.png")
                     .arg(QString::fromLatin1(picture.what.data(),
                                              static_cast<qsizetype>(picture.what.size()))));
    }
    document->addResource(QTextDocument::ImageResource, name, image);
  }
  document->setDefaultStyleSheet(QStringLiteral(
      "h1 { font-size: 16pt; } h2 { font-size: 12pt; margin-top: 10px; } "
      "caption { font-weight: bold; } th { text-align: left; } body { font-size: 9pt; }"));
  document->setHtml(QString::fromStdString(HtmlReport(report, HtmlFlavour::kPrint)));
  return document;
}

void ExportDeckReport(QWidget* parent, Platform& platform, const MainView& model) {
  if (model.DName().empty()) return;
  FileDialogOptions options;
  options.title = QStringLiteral("Export Report");
  options.fileName = ProposedReportName(model);
  options.filter = QStringLiteral("Web page (HTML)|*.html;*.htm|Markdown|*.md;*.markdown");
  options.defaultSuffix = QStringLiteral("html");
  const std::optional<QString> path = platform.getSaveFileName(parent, options);
  if (!path || path->isEmpty()) return;
  BusyCursor busy(platform);
  const DeckReport report = BuildDeckReport(model.Analysis(), model.FieldValue("SelectCard"));
  const std::string text = IsMarkdownPath(*path) ? MarkdownReport(report) : HtmlReport(report);
  // Through the program's one crash-safe write: the old report stays whole
  // until the new one is on the disk.
  try {
    WriteWholeFile(PathBytes(*path), text);
  } catch (const std::exception& error) {
    throw std::runtime_error(QStringLiteral("Cannot write '%1': %2")
                                 .arg(*path, QString::fromLocal8Bit(error.what()))
                                 .toStdString());
  }
}

void PrintDeckReport(QWidget* parent, Platform& platform, const MainView& model) {
  if (model.DName().empty()) return;
  std::unique_ptr<QTextDocument> document;
  {
    BusyCursor busy(platform);
    document =
        ReportPrintDocument(BuildDeckReport(model.Analysis(), model.FieldValue("SelectCard")));
  }
  QPrinter printer(QPrinter::HighResolution);
  const QFileInfo deck(ShownPath(model.DName()));
  const QString name = deck.completeBaseName() + QStringLiteral(" report");
  printer.setDocName(name);
  // Printed to a PDF file, the report goes beside its deck under the deck's
  // name. A file name chooses the PDF printer, so it is proposed only where
  // there is no other.
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    printer.setOutputFileName(deck.absoluteDir().filePath(name + QStringLiteral(".pdf")));
  }
  if (!platform.choosePrinter(parent, printer)) return;
  BusyCursor busy(platform);
  PrintReportPages(*document, printer, QFileInfo(ShownPath(model.DName())).fileName());
}

}  // namespace quillet
