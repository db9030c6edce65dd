// The HTML report. The screen flavour is one self-contained page: inline CSS
// that lays the tables out in as many columns as the screen holds (one on a
// phone), print rules, the resource icons as data addresses and the charts as
// inline SVG, so the file can be mailed or uploaded alone. The print flavour
// keeps to what Qt's rich text renders: tables laid out by attributes, no
// grid, and pictures named by resource.
#include <array>
#include <sstream>

#include "core/report/deck_report.h"
#include "core/report/report_svg.h"
#include "core/report/report_text.h"

namespace quillet {
namespace {

constexpr std::string_view kScreenStyle = R"(
:root{color-scheme:light}
*{box-sizing:border-box}
body{font-family:system-ui,-apple-system,"Segoe UI",Roboto,"Liberation Sans",Arial,sans-serif;margin:0;padding:1rem;color:#1d2329;background:#f3f4f6;line-height:1.4}
main{max-width:64rem;margin:0 auto}
h1{font-size:1.45rem;margin:.2rem 0;overflow-wrap:anywhere}
h2{font-size:1.1rem;margin:1.5rem 0 .6rem;padding-bottom:.2rem;border-bottom:2px solid #d5dae0}
.hq{margin:0 0 .5rem;color:#4a525b}
.charts,.grid{display:grid;gap:1rem;grid-template-columns:repeat(auto-fit,minmax(16rem,1fr));align-items:start}
figure{margin:0;background:#fff;border:1px solid #d5dae0;border-radius:6px;padding:.5rem}
figure svg{display:block;width:100%;height:auto}
figcaption{font-size:.85rem;color:#4a525b;padding-top:.3rem}
table{border-collapse:collapse;width:100%;background:#fff;border:1px solid #d5dae0}
caption{text-align:left;font-weight:bold;padding:.3rem 0}
th,td{padding:.25rem .5rem;border-bottom:1px solid #e5e8ec;text-align:left;vertical-align:middle}
thead th{background:#eef1f4}
.n{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}
.short{color:#d33b2c;font-weight:bold}
img.icon{width:16px;height:20px;vertical-align:middle;margin-right:.25rem}
ul{margin:.2rem 0;padding-left:1.3rem;background:#fff;border:1px solid #d5dae0;border-radius:6px;padding:.5rem .5rem .5rem 1.8rem}
li{margin:.2rem 0}
.cards td:last-child{overflow-wrap:anywhere}
.wide{overflow-x:auto}
@media (max-width:30rem){body{padding:.5rem;font-size:.9rem}th,td{padding:.2rem .25rem}img.icon{display:none}}
@media print{
 body{background:#fff;padding:0;font-size:10pt}
 main{max-width:none}
 .charts{grid-template-columns:1fr 1fr}
 .grid{grid-template-columns:1fr 1fr 1fr}
 figure,table,ul{break-inside:avoid;border-color:#999}
 h2{break-after:avoid}
}
)";

struct Writer {
  const DeckReport& report;
  HtmlFlavour flavour;
  std::ostringstream html;

  bool Print() const { return flavour == HtmlFlavour::kPrint; }

  std::string Table(std::string_view cls = {}) const {
    // In print a table is as wide as its columns' content, as on screen.
    if (Print()) return R"(<table border="1" cellspacing="0" cellpadding="3">)";
    return cls.empty() ? "<table>" : "<table class=\"" + std::string(cls) + "\">";
  }

  // A table wider than a phone scrolls sideways inside the page.
  std::string_view Wide() const { return Print() ? "" : "<div class=\"wide\">"; }
  std::string_view EndWide() const { return Print() ? "" : "</div>"; }

  std::string Icon(std::size_t resource) const {
    static constexpr std::array<std::string_view, 3> kFiles = {"military", "covert", "cyberops"};
    const std::string_view file = kFiles[resource];
    std::string src;
    if (Print()) {
      src = "quillet-report:" + std::string(file) + ".png";
    } else {
      src = "data:image/png;base64," + Base64(ResourcePicture(file));
    }
    return "<img class=\"icon\" src=\"" + src + "\" width=\"16\" height=\"20\" alt=\"\">";
  }

  void Head() {
    html << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         << "<title>Deck report: " << HtmlEscaped(report.deckName) << "</title>\n";
    if (!Print()) html << "<style>" << kScreenStyle << "</style>\n";
    html << "</head>\n<body>\n<main>\n<h1>Deck report: " << HtmlEscaped(report.deckName)
         << "</h1>\n<p class=\"hq\">HQ: <b>" << HtmlEscaped(report.hqType) << "</b></p>\n";
  }

  void Charts() {
    const std::string resources = ResourcesSvg(report.figures.resources);
    const std::string curve = CostCurveSvg(report.figures.costCurve);
    html << "<h2>Charts</h2>\n";
    if (Print()) {
      html << R"(<table width="100%" cellspacing="0" cellpadding="2"><tr>)"
           << R"(<td width="50%"><img src="quillet-report:resources.svg" width="320"></td>)"
           << R"(<td width="50%"><img src="quillet-report:costcurve.svg" width="320"></td>)"
           << "</tr></table>\n";
      return;
    }
    html << "<div class=\"charts\">\n<figure>" << resources
         << "<figcaption>Resources produced over a game beside what deploying every card "
            "costs.</figcaption></figure>\n<figure>"
         << curve << "<figcaption>Copies by total deploy cost, by card type.</figcaption>"
         << "</figure>\n</div>\n";
  }

  void Resources() {
    const auto& r = report.figures.resources;
    html << "<h2>Resources</h2>\n" << Wide() << Table() << "\n<thead><tr><th></th>";
    for (std::size_t i = 0; i < r.size(); ++i) {
      html << "<th class=\"n\">" << Icon(i) << kResourceWords[i] << "</th>";
    }
    html << "</tr></thead>\n<tbody>\n<tr><th scope=\"row\">Production</th>";
    for (const auto& bar : r)
      html << "<td class=\"n\" align=\"right\">" << bar.production << "</td>";
    html << "</tr>\n<tr><th scope=\"row\">Cost of all cards</th>";
    for (const auto& bar : r) {
      html << "<td class=\"n" << (bar.Shortfall() ? " short" : "") << "\" align=\"right\">"
           << (bar.Shortfall() && Print() ? "<b><font color=\"#d33b2c\">" : "") << bar.cost
           << (bar.Shortfall() && Print() ? "</font></b>" : "") << "</td>";
    }
    html << "</tr>\n<tr><th scope=\"row\">Shortfall</th>";
    for (const auto& bar : r) {
      html << "<td class=\"n short\" align=\"right\">";
      if (bar.Shortfall()) {
        const std::int64_t missing = std::int64_t{bar.cost} - bar.production;
        html << (Print() ? "<b><font color=\"#d33b2c\">" : "") << missing
             << (Print() ? "</font></b>" : "");
      }
      html << "</td>";
    }
    html << "</tr>\n</tbody></table>\n" << EndWide();
  }

  void CostCurveTable() {
    const CostCurve& curve = report.figures.costCurve;
    html << "<h2>Cost curve</h2>\n" << Wide() << Table() << "\n<thead><tr><th>Cost</th>";
    for (auto word : kCostedTypeWords) html << "<th class=\"n\">" << word << "</th>";
    html << "<th class=\"n\">Total</th></tr></thead>\n<tbody>\n";
    for (int b = 0; b < kCostBuckets; ++b) {
      html << "<tr><th scope=\"row\">" << kCostBucketLabels[static_cast<std::size_t>(b)] << "</th>";
      for (const auto& type : curve.copies) {
        html << "<td class=\"n\" align=\"right\">" << type[static_cast<std::size_t>(b)] << "</td>";
      }
      html << "<td class=\"n\" align=\"right\"><b>" << curve.BucketTotal(b) << "</b></td></tr>\n";
    }
    html << "</tbody></table>\n" << EndWide();
  }

  // Tables side by side: a grid on screen, a layout table of three columns in
  // print.
  template <typename EachTable>
  void Columns(std::size_t count, EachTable each) {
    if (!Print()) {
      html << "<div class=\"grid\">\n";
      for (std::size_t i = 0; i < count; ++i) each(i);
      html << "</div>\n";
      return;
    }
    html << R"(<table width="100%" cellspacing="0" cellpadding="4">)";
    for (std::size_t i = 0; i < count; ++i) {
      if (i % 3 == 0) html << "<tr>";
      html << R"(<td width="33%" valign="top">)";
      each(i);
      html << "</td>";
      if (i % 3 == 2 || i + 1 == count) html << "</tr>";
    }
    html << "</table>\n";
  }

  template <std::size_t N>
  void CopiesTable(std::string_view title, const std::array<std::string_view, N>& words,
                   const std::array<std::int64_t, N>& copies) {
    html << Table() << "<caption>" << title << "</caption>\n<tbody>\n";
    for (std::size_t i = 0; i < N; ++i) {
      html << "<tr><th scope=\"row\">" << words[i] << "</th><td class=\"n\" align=\"right\">"
           << copies[i] << "</td></tr>\n";
    }
    html << "</tbody></table>\n";
  }

  void MakeUp() {
    html << "<h2>Make-up</h2>\n";
    Columns(2, [this](std::size_t i) {
      if (i == 0) {
        CopiesTable("Copies by type", kMakeUpTypeWords, report.figures.byType);
      } else {
        CopiesTable(report.figures.domainsOfAssetsOnly ? "Assets by domain" : "Copies by domain",
                    kMakeUpDomainWords, report.figures.byDomain);
      }
    });
  }

  void Figures() {
    html << "<h2>Figures</h2>\n";
    Columns(report.sections.size(), [this](std::size_t i) {
      const ReportSection& section = report.sections[i];
      std::string title = section.title;
      if (title == "Domains") title += report.assetsOnly ? " (assets only)" : " (all cards)";
      html << Table() << "<caption>" << HtmlEscaped(title) << "</caption>\n<tbody>\n";
      for (const auto& field : section.fields) {
        html << "<tr><th scope=\"row\">" << HtmlEscaped(field.caption)
             << "</th><td class=\"n\" align=\"right\">" << field.value
             << (field.percentage ? "%" : "") << "</td></tr>\n";
      }
      html << "</tbody></table>\n";
    });
  }

  void Lists() {
    html << "<h2>Problems</h2>\n";
    if (report.problems.empty()) {
      html << "<p>None.</p>\n";
    } else {
      html << "<ul>\n";
      for (const auto& p : report.problems) html << "<li>" << HtmlEscaped(p) << "</li>\n";
      html << "</ul>\n";
    }
    if (!report.missing.empty()) {
      html << "<h2>Cards not found</h2>\n<ul>\n";
      for (const auto& name : report.missing) html << "<li>" << HtmlEscaped(name) << "</li>\n";
      html << "</ul>\n";
    }
    html << "<h2>Card list</h2>\n"
         << Table("cards")
         << "\n<thead><tr><th class=\"n\">Copies</th><th>Card</th></tr></thead>\n<tbody>\n";
    for (const auto& card : report.cards) {
      html << "<tr><td class=\"n\" align=\"right\">" << card.copies << "</td><td>"
           << HtmlEscaped(card.name) << "</td></tr>\n";
    }
    html << "</tbody></table>\n";
  }
};

}  // namespace

std::string HtmlReport(const DeckReport& report, HtmlFlavour flavour) {
  Writer writer{report, flavour, {}};
  writer.Head();
  writer.Charts();
  writer.Resources();
  writer.CostCurveTable();
  writer.MakeUp();
  writer.Figures();
  writer.Lists();
  writer.html << "</main>\n</body>\n</html>\n";
  return writer.html.str();
}

}  // namespace quillet
