// CardPanel: one card at a glance, beside the lists that name cards. It shows
// what the card reader shows of the card (name, type, domain, rarity,
// edition, every value, the keywords and "$" flags) and its rules text,
// wrapped and selectable, and "Open in Reader" opens the reader on it.
//
// The card is read through the reader's own model, which finds it in the
// session's database (from the card file's shared index in the windows), so
// the panel and the reader never disagree. A fresh model reads each card,
// so a code without a word leaves its box empty rather than showing the
// word of the card before.
#pragma once

#include <QByteArray>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <string>

#include "core/reader/reader_model.h"

class QLabel;
class QPushButton;
class QTextEdit;

namespace quillet {

struct Session;

class CardPanel : public QWidget, private ReaderHost {
  Q_OBJECT

 public:
  explicit CardPanel(Session& session, QWidget* parent = nullptr);
  ~CardPanel() override;

  // Set by the shell: shows the card reader on the session's
  // SelectedCardName.
  std::function<void()> showReader;

  // Shows the card of this name (bytes of the card data); an empty name
  // clears the panel. A name no card has, or a missing database, is said
  // in the panel.
  void showCard(const QByteArray& name);
  void clear();
  // "Open in Reader": the reader on the card shown.
  void openReader();

  // The card on display; empty when none is.
  const std::string& shownCard() const { return shown_; }

 private:
  void ShowMessage(const std::string& text) override;
  void buildControls();
  void showView(const ReaderView& view);
  void showNotice(const QString& notice);

  Session& session_;
  std::string wanted_;  // the name the reader's model looks for
  std::string shown_;
  std::map<std::string, QLabel*, std::less<>> values_;  // by the reader's box names
  std::array<QLabel*, 3> slashes_{};                    // between production and turns
  QLabel* CardName = nullptr;
  QLabel* SpecialList = nullptr;
  QLabel* CardStatus = nullptr;
  QWidget* CardDetails = nullptr;  // everything but the name, shown with a card
  QTextEdit* CardText = nullptr;
  QPushButton* OpenReaderButton = nullptr;
};

}  // namespace quillet
