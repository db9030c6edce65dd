// One card as quillet-cli reports it, shared by `card` and `search`: the
// reader's boxes cut to the card's own words, and their JSON shape.
#pragma once

#include "cli/command_support.h"
#include "core/card_data/card_record.h"
#include "core/reader/reader_model.h"

namespace quillet::cli {

// The reader's window leaves a word box as it was when the card's code has
// no word; a report shows only the card's own words, so such a box is empty.
ReaderView OwnWords(ReaderView view, const TCardRecord& card);

// The JSON shape of a card: every box by its control name.
Json CardJson(const ReaderView& view);

}  // namespace quillet::cli
