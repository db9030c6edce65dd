// The deck report: what the main window shows about the analysed deck, in
// one plain struct with every text already in UTF-8, and its two renderings.
// Markdown is tables that paste into a forum or a chat; HTML is one
// self-contained file (inline CSS, inline pictures, the resource and cost
// charts as inline SVG) that reads on a phone and prints. The print flavour is
// for Qt's rich text, which knows neither SVG nor data addresses: its pictures
// are named resources (kPrintPictures) that the printing window supplies.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/deck_analysis.h"
#include "core/charts/deck_figures.h"

namespace quillet {

struct ReportField {
  std::string_view name;  // the component name
  std::string caption;    // the window's caption, or what the window shows beside the field
  std::int32_t value = 0;
  bool percentage = false;
};

struct ReportSection {
  std::string title;
  std::vector<ReportField> fields;
};

struct ReportCard {
  std::int32_t copies = 0;
  std::string name;  // UTF-8
};

struct DeckReport {
  std::string deckName;  // the deck file's name without its folder, UTF-8
  std::string hqType;
  std::string costKind;     // what the deployment costs cover
  bool assetsOnly = false;  // whether the domain figures count assets only
  // Every integer field of the window in window order, grouped as the window
  // groups them; the resource figures form the section "Resources".
  std::vector<ReportSection> sections;
  DeckFigures figures;
  std::vector<std::string> problems;
  std::vector<std::string> missing;  // names of deck lines not found
  std::vector<ReportCard> cards;     // the deck's found lines in file order
};

// The report of the deck the model shows, from the records its analysis
// found. Throws ConvertError when a found card's cost holds no number.
DeckReport BuildDeckReport(const DeckAnalysis& analysis, std::int32_t selectCard = 0);

std::string MarkdownReport(const DeckReport& report);

enum class HtmlFlavour {
  kScreen,  // for a browser: responsive, print CSS, SVG charts, data addresses
  kPrint,   // for Qt's rich text: plain tables, pictures by resource name
};
std::string HtmlReport(const DeckReport& report, HtmlFlavour flavour = HtmlFlavour::kScreen);

// The resource names the print flavour uses for its pictures, and what each
// holds: the three resource icons, then the two charts as SVG.
struct PrintPicture {
  std::string_view name;
  std::string_view what;  // "military", "covert", "cyberops", "resources", "costcurve"
};
inline constexpr PrintPicture kPrintPictures[] = {
    {"quillet-report:military.png", "military"},   {"quillet-report:covert.png", "covert"},
    {"quillet-report:cyberops.png", "cyberops"},   {"quillet-report:resources.svg", "resources"},
    {"quillet-report:costcurve.svg", "costcurve"},
};

}  // namespace quillet
