// Where every integer field of the main window sits: the panel that holds it,
// its caption's left edge, the field's left edge, its top and width, in
// logical pixels of that panel. Captions, hints and the percentage flag come
// from the model's field list; this table adds only the geometry, so the
// window builds all its figures in one loop.
#pragma once

#include <string_view>
#include <vector>

namespace quillet {

enum class FieldPanel {
  kTypes,          // GroupBox1, the type counts and the three fixed keyword rows
  kAssetSlider,    // Slider1, the scrolling asset keyword row
  kEnhanceSlider,  // Slider2, the scrolling enhancement keyword row
  kTotal,          // the Total frame
  kDomains,        // Slider3, the scrolling domain column
  kFigures,        // GroupBox3, strength, resources, chances and rarity
};

struct FieldPlace {
  std::string_view name;
  FieldPanel panel;
  int captionX;  // negative: the field has no caption of its own
  int fieldX;
  int y;
  int width;
};

inline constexpr int kFieldHeight = 21;

const std::vector<FieldPlace>& FieldPlaces();
const FieldPlace* FindFieldPlace(std::string_view name);

}  // namespace quillet
