// File > Export Report... and File > Print...: the core's deck report written
// as Markdown or HTML by the extension chosen, or printed through the print
// dialog from its print flavour, whose pictures (the resource icons and the
// two charts, drawn from the core's SVG) are handed to the rich text here.
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "core/report/deck_report.h"
#include "core/report/page_breaks.h"
#include "gui/platform/platform.h"

class QPrinter;
class QTextDocument;
class QWidget;

namespace quillet {

class MainView;

// "Markdown" for .md and .markdown (any case), "HTML" otherwise.
bool IsMarkdownPath(const QString& path);
// The report's print document, pictures included.
std::unique_ptr<QTextDocument> ReportPrintDocument(const DeckReport& report);
// The laid out document as the blocks printing keeps whole (page_breaks.h).
std::vector<PrintBlock> ReportPrintBlocks(QTextDocument& document);
// Prints `document` on pages that cut no table row, list item or short
// table, each with a footer of the deck's name and the page's number.
void PrintReportPages(QTextDocument& document, QPrinter& printer, const QString& deckName);

// Asks for a file and writes the report of the view's deck to it, replacing
// it whole or not at all. Throws IoError-like exceptions carrying the message.
void ExportDeckReport(QWidget* parent, Platform& platform, const MainView& model);
// Asks for a printer and prints the report of the view's deck.
void PrintDeckReport(QWidget* parent, Platform& platform, const MainView& model);

}  // namespace quillet
