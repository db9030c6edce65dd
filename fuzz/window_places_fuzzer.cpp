// Any bytes as the window places file: reading never fails and keeps only
// storable names with sizes of at least 1, and the file written for what
// it read reads back the same and is written the same again. Every place
// read fits inside a free area by the fitting rule.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/settings/window_places.h"
#include "fuzz_check.h"

using quillet::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const WindowPlaces places = ParseWindowPlaces(bytes);
  const WindowRect area{-100, 20, 1400, 900};
  for (const auto& [name, place] : places) {
    Check(StorableWindowName(name));
    Check(place.width >= 1 && place.height >= 1);
    const WindowRect fit = FitInside(place, area);
    Check(fit.x >= area.x && fit.x + fit.width <= area.x + area.width);
    Check(fit.y >= area.y && fit.y + fit.height <= area.y + area.height);
  }
  const std::string text = WindowPlacesText(places);
  const WindowPlaces again = ParseWindowPlaces(text);
  Check(again == places);
  Check(WindowPlacesText(again) == text);
  return 0;
}
