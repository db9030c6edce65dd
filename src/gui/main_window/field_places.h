// Where every integer field of the main window goes: its group, its width,
// and, inside the figures box, its spot. Captions, hints and the percentage
// flag come from the model's field list; this table adds only the placing,
// so the window builds all its figures in one loop.
//
// The groups run in reading order and are what the keyboard follows: Tab
// visits the figures in table order, the arrow keys stay inside a group. The
// type rows and the domain column are laid out by Qt layouts, in table order:
// a type row's first figure is the type's own count, left of the rule, and
// the rest are its sub-types. The figures box is one fixed panel that never
// grows, so its figures keep a drawn spot in it.
#pragma once

#include <string_view>
#include <vector>

namespace quillet {

enum class FieldGroup {
  kAssetRow,         // assets and their keywords (a scrolling row)
  kEnhanceRow,       // enhancements and their keywords (a scrolling row)
  kIntervenRow,      // interventions by kind
  kProgramRow,       // programs by kind
  kBaseRow,          // bases by resource
  kTotal,            // the total
  kDomains,          // the domain column (scrolling)
  kStrength,         // the figures box: asset strength
  kResources,        // the figures box: production and deployment cost
  kProgramStrength,  // the figures box: program strength
  kChances,          // the figures box: opening hand chances
  kRarity,           // the figures box: rarity
};

// The spot of a figure inside the figures box, in its logical pixels: the
// caption's left edge (negative: the field has no caption of its own), the
// field's left edge and its top.
struct FigureSpot {
  int captionX = -1;
  int fieldX = 0;
  int y = 0;
};

struct FieldPlace {
  std::string_view name;
  FieldGroup group;
  int width;
  FigureSpot spot;  // in the figures box only
};

inline constexpr int kFieldHeight = 21;

const std::vector<FieldPlace>& FieldPlaces();
const FieldPlace* FindFieldPlace(std::string_view name);
// Whether the group is laid out in the figures box, at the fields' spots.
bool InFiguresBox(FieldGroup group);

}  // namespace quillet
