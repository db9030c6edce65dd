// What a FIELD argument that names no figure is told: the figures whose
// component name or caption is closest to what was typed, or, when none is
// close, the command that lists them all.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillet::cli {

// The component names (integer fields, DName, HQType) whose name, name
// without "Amount", or display name is fewest edits away from `typed`, in
// any case, in window order; empty when none is near enough to be a slip.
std::vector<std::string> ClosestFieldNames(std::string_view typed);

// "unknown field 'Assets' (did you mean AssetAmount?)".
std::string UnknownFieldMessage(std::string_view typed);

}  // namespace quillet::cli
