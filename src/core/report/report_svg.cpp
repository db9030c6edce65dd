#include "core/report/report_svg.h"

#include <algorithm>
#include <sstream>

namespace quillet {
namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 220;
constexpr int kLeft = 36;
constexpr int kTop = 34;
constexpr int kBottom = 186;  // the base line
constexpr int kRight = 350;

// Bars below 0 are drawn as 0; the labels still say the value.
double Height(std::int64_t value, std::int64_t top) {
  if (value <= 0 || top <= 0) return 0;
  return static_cast<double>(value) / static_cast<double>(top) * (kBottom - kTop);
}

void Open(std::ostringstream& svg, std::string_view title) {
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " << kWidth << ' ' << kHeight
      << "\" role=\"img\" font-family=\"sans-serif\" font-size=\"11\">"
      << "<title>" << title << "</title>"
      << "<rect width=\"" << kWidth << "\" height=\"" << kHeight << "\" fill=\"#ffffff\"/>"
      << "<text x=\"" << kWidth / 2 << "\" y=\"16\" text-anchor=\"middle\" font-size=\"13\""
      << " font-weight=\"bold\">" << title << "</text>"
      << "<line x1=\"" << kLeft << "\" y1=\"" << kBottom << "\" x2=\"" << kRight << "\" y2=\""
      << kBottom << "\" stroke=\"#444\"/>";
}

void Rect(std::ostringstream& svg, double x, double width, double height, std::string_view colour,
          double base = kBottom) {
  svg << "<rect x=\"" << x << "\" y=\"" << base - height << "\" width=\"" << width << "\" height=\""
      << height << "\" fill=\"" << colour << "\"/>";
}

void Label(std::ostringstream& svg, double x, double y, std::string_view text,
           std::string_view colour = "#222", bool bold = false) {
  svg << "<text x=\"" << x << "\" y=\"" << y << "\" text-anchor=\"middle\" fill=\"" << colour << '"'
      << (bold ? " font-weight=\"bold\"" : "") << '>' << text << "</text>";
}

void Legend(std::ostringstream& svg, double x, std::string_view colour, std::string_view text) {
  svg << "<rect x=\"" << x << "\" y=\"" << kHeight - 12 << "\" width=\"9\" height=\"9\" fill=\""
      << colour << "\"/><text x=\"" << x + 12 << "\" y=\"" << kHeight - 4 << "\">" << text
      << "</text>";
}

}  // namespace

std::string ResourcesSvg(const std::array<ResourceBar, 3>& resources) {
  std::int64_t top = 1;
  for (const auto& r : resources) top = std::max<std::int64_t>({top, r.production, r.cost});
  std::ostringstream svg;
  Open(svg, "Resources");
  const double group = (kRight - kLeft) / 3.0;
  const double bar = group * 0.32;
  for (std::size_t i = 0; i < resources.size(); ++i) {
    const ResourceBar& r = resources[i];
    const double x = kLeft + group * static_cast<double>(i) + group * 0.16;
    const double hp = Height(r.production, top);
    const double hc = Height(r.cost, top);
    Rect(svg, x, bar, hp, kProductionColour);
    const std::string_view costColour = r.Shortfall() ? kShortfallColour : kCostColour;
    Rect(svg, x + bar + 2, bar, hc, costColour);
    Label(svg, x + bar / 2, kBottom - hp - 3, std::to_string(r.production));
    Label(svg, x + bar * 1.5 + 2, kBottom - hc - 3, std::to_string(r.cost),
          r.Shortfall() ? kShortfallColour : "#222", r.Shortfall());
    std::string name(kResourceWords[i]);
    if (r.Shortfall())
      name += " \xe2\x80\x93 short by " + std::to_string(std::int64_t{r.cost} - r.production);
    Label(svg, x + bar + 1, kBottom + 14, name, r.Shortfall() ? kShortfallColour : "#222",
          r.Shortfall());
  }
  Legend(svg, kLeft, kProductionColour, "Production");
  Legend(svg, kLeft + 90, kCostColour, "Deployment cost");
  Legend(svg, kLeft + 210, kShortfallColour, "Shortfall");
  svg << "</svg>";
  return svg.str();
}

std::string CostCurveSvg(const CostCurve& curve) {
  std::int64_t top = 1;
  for (int b = 0; b < kCostBuckets; ++b) {
    std::int64_t stack = 0;
    for (const auto& type : curve.copies)
      stack += std::max<std::int64_t>(0, type[static_cast<std::size_t>(b)]);
    top = std::max(top, stack);
  }
  std::ostringstream svg;
  Open(svg, "Cost curve");
  const double slot = (kRight - kLeft) / static_cast<double>(kCostBuckets);
  const double bar = slot * 0.62;
  for (int b = 0; b < kCostBuckets; ++b) {
    const double x = kLeft + slot * b + (slot - bar) / 2;
    double base = kBottom;
    for (std::size_t t = 0; t < curve.copies.size(); ++t) {
      const double h = Height(curve.copies[t][static_cast<std::size_t>(b)], top);
      Rect(svg, x, bar, h, kTypeColours[t], base);
      base -= h;
    }
    Label(svg, x + bar / 2, base - 3, std::to_string(curve.BucketTotal(b)));
    Label(svg, x + bar / 2, kBottom + 14, kCostBucketLabels[static_cast<std::size_t>(b)]);
  }
  // Each legend entry as wide as its word, at about 6.5 units a letter.
  double x = kLeft;
  for (std::size_t t = 0; t < kCostedTypeWords.size(); ++t) {
    Legend(svg, x, kTypeColours[t], kCostedTypeWords[t]);
    x += 22 + 6.5 * static_cast<double>(kCostedTypeWords[t].size());
  }
  svg << "</svg>";
  return svg.str();
}

}  // namespace quillet
