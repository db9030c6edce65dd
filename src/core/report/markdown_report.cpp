// The Markdown report: a heading per part and GitHub-style tables, which
// forums and chats show as tables and which still read as text where they
// do not.
#include <sstream>

#include "core/report/deck_report.h"
#include "core/report/report_text.h"

namespace quillet {
namespace {

std::string Shown(const ReportField& field) {
  return std::to_string(field.value) + (field.percentage ? "%" : "");
}

std::string SectionTitle(const DeckReport& report, const ReportSection& section) {
  if (section.title != "Domains") return section.title;
  return section.title + (report.assetsOnly ? " (assets only)" : " (all cards)");
}

void ResourceTable(std::ostringstream& md, const DeckReport& report) {
  const auto& r = report.figures.resources;
  md << "## Resources\n\n| | Military | Covert | CyberOps |\n|---|---:|---:|---:|\n| Production";
  for (const auto& bar : r) md << " | " << bar.production;
  md << " |\n| Cost of all cards";
  for (const auto& bar : r)
    md << " | " << (bar.Shortfall() ? "**" : "") << bar.cost << (bar.Shortfall() ? "**" : "");
  md << " |\n| Shortfall";
  for (const auto& bar : r) {
    md << " | " << (bar.Shortfall() ? std::to_string(std::int64_t{bar.cost} - bar.production) : "");
  }
  md << " |\n\n";
}

void CostCurveTable(std::ostringstream& md, const CostCurve& curve) {
  md << "## Cost curve\n\nCopies by total deploy cost.\n\n| Cost";
  for (auto word : kCostedTypeWords) md << " | " << word;
  md << " | Total |\n|---";
  for (std::size_t i = 0; i <= kCostedTypeWords.size(); ++i) md << "|---:";
  md << "|\n";
  for (int b = 0; b < kCostBuckets; ++b) {
    md << "| " << kCostBucketLabels[static_cast<std::size_t>(b)];
    for (const auto& type : curve.copies) md << " | " << type[static_cast<std::size_t>(b)];
    md << " | " << curve.BucketTotal(b) << " |\n";
  }
  md << '\n';
}

template <std::size_t N>
void CopiesTable(std::ostringstream& md, std::string_view head,
                 const std::array<std::string_view, N>& words,
                 const std::array<std::int64_t, N>& copies) {
  md << "| " << head << " | Copies |\n|---|---:|\n";
  for (std::size_t i = 0; i < N; ++i) md << "| " << words[i] << " | " << copies[i] << " |\n";
  md << '\n';
}

}  // namespace

std::string MarkdownReport(const DeckReport& report) {
  std::ostringstream md;
  md << "# Deck report: " << MarkdownCell(report.deckName) << "\n\n"
     << "HQ: **" << MarkdownCell(report.hqType) << "**\n\n";
  ResourceTable(md, report);
  CostCurveTable(md, report.figures.costCurve);
  md << "## Make-up\n\n";
  CopiesTable(md, "Type", kMakeUpTypeWords, report.figures.byType);
  CopiesTable(md, report.figures.domainsOfAssetsOnly ? "Domain (assets only)" : "Domain",
              kMakeUpDomainWords, report.figures.byDomain);

  md << "## Figures\n\n| Group | Figure | Value |\n|---|---|---:|\n";
  for (const auto& section : report.sections) {
    bool first = true;
    for (const auto& field : section.fields) {
      md << "| " << (first ? MarkdownCell(SectionTitle(report, section)) : std::string()) << " | "
         << MarkdownCell(field.caption) << " | " << Shown(field) << " |\n";
      first = false;
    }
  }
  md << "\n## Problems\n\n";
  if (report.problems.empty()) md << "None.\n";
  for (const auto& problem : report.problems) md << "- " << MarkdownCell(problem) << '\n';
  if (!report.missing.empty()) {
    md << "\n## Cards not found\n\n";
    for (const auto& name : report.missing) md << "- " << MarkdownCell(name) << '\n';
  }
  md << "\n## Card list\n\n| Copies | Card |\n|---:|---|\n";
  for (const auto& card : report.cards) {
    md << "| " << card.copies << " | " << MarkdownCell(card.name) << " |\n";
  }
  return md.str();
}

}  // namespace quillet
