// The corrections of the few cards whose values the card list gives wrongly.
// Each applies to one card, named exactly (bytes, case-sensitive, as the name
// is stored), and only while its check box is on; the card list's own value
// for a corrected field is then dropped.
#pragma once

#include <optional>
#include <string_view>

#include "core/card_data/card_record.h"
#include "core/import/card_data_update.h"

namespace quillet {

// The value to store instead of the card list's firepower, armor or
// perception, if a correction applies to the card named `name`.
std::optional<std::string_view> FirepowerCorrection(std::string_view name,
                                                    const UpdateOptions& options);
std::optional<std::string_view> ArmorCorrection(std::string_view name,
                                                const UpdateOptions& options);
std::optional<std::string_view> PerceptionCorrection(std::string_view name,
                                                     const UpdateOptions& options);

// Makes "Distributed HQ" produce its Military figure in all three resources;
// applied after every entry of its resource field.
void ApplyProductionCorrection(TCardRecord& card, const UpdateOptions& options);

}  // namespace quillet
