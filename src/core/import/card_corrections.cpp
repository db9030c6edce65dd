#include "core/import/card_corrections.h"

namespace quillet {

std::optional<std::string_view> FirepowerCorrection(std::string_view name,
                                                    const UpdateOptions& options) {
  if (options.BikerCheck && name == "Los Ladrones Biker") return "2";
  if (options.BullCheck && name == "Harness Bull") return "1";
  if (options.RookCheck && name == "Rook Class Assault Chassis") return "4";
  return std::nullopt;
}

std::optional<std::string_view> ArmorCorrection(std::string_view name,
                                                const UpdateOptions& options) {
  if (options.BullCheck && name == "Harness Bull") return "1";
  if (options.RookCheck && name == "Rook Class Assault Chassis") return "4";
  return std::nullopt;
}

std::optional<std::string_view> PerceptionCorrection(std::string_view name,
                                                     const UpdateOptions& options) {
  if (options.JonesCheck && name == "Wirehead Jones") return "1";
  return std::nullopt;
}

void ApplyProductionCorrection(TCardRecord& card, const UpdateOptions& options) {
  if (!options.DHQCheck || card.Name.View() != "Distributed HQ") return;
  card.ProdCov = card.ProdMil;
  card.ProdCyb = card.ProdMil;
  card.TurnsCov = card.TurnsMil;
  card.TurnsCyb = card.TurnsMil;
}

}  // namespace quillet
