// The Fix Card Names dialog: one row per deck line whose name no card has,
// with the name as written and a choice of its suggestions. A sure
// suggestion is chosen already; any other line starts at "Keep as written",
// so nothing is renamed that the user did not pick. The dialog only
// chooses: the caller applies fixes() as one edit of the deck.
#pragma once

#include <QDialog>
#include <cstddef>
#include <vector>

#include "core/deck_edit/deck_edit.h"
#include "core/names/deck_names.h"

class QComboBox;

namespace quillet {

class FixNamesDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FixNamesDialog(const std::vector<UnfoundLine>& lines, QWidget* parent = nullptr);

  // The choice of the row of lines[row]; its last item keeps the name.
  QComboBox* choice(std::size_t row) const { return choices_.at(row); }
  // The rows given a card's name, in file order.
  std::vector<NameFix> fixes() const;

 private:
  std::vector<std::size_t> lineNumbers_;
  std::vector<QComboBox*> choices_;
};

// The last item of every choice.
inline constexpr const char* kKeepAsWritten = "Keep as written";

}  // namespace quillet
