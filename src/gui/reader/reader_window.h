// The card reader window: a view over ReaderModel. Every box is a named
// read-only control that the model's view fills after each action; the
// window adds the layout, the resource pictures, the teal notice of a
// missing CardText.Dat and the activation rule (the model reloads the
// requested card each time the window becomes active, but not when it
// becomes active again only because one of its own message boxes closed).
#pragma once

#include <QWidget>
#include <map>
#include <string>

#include "core/reader/reader_model.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QTextEdit;

namespace quillet {

struct Session;
class Platform;

class ReaderWindow : public QWidget, private ReaderHost {
  Q_OBJECT

 public:
  ReaderWindow(Session& session, Platform& platform, QWidget* parent = nullptr);
  ~ReaderWindow() override;

  // The handlers, public so the shell and the tests can drive them.
  void reloadCard();
  void showFirstCard();
  void showPreviousCard();
  void showNextCard();
  void showLastCard();
  void findCard();
  void keepCardAndClose();

  const ReaderModel& model() const { return model_; }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowMessage(const std::string& text) override;
  template <typename Action>
  void run(Action action);
  void showCard();
  void buildControls();

  Platform& platform_;
  ReaderModel model_;
  std::map<std::string, QLineEdit*, std::less<>> boxes_;  // by control name
  QListWidget* SpecialBox = nullptr;
  QTextEdit* CardText = nullptr;
  QLineEdit* SearchText = nullptr;
  QPushButton* FirstButton = nullptr;
  QPushButton* PreviousButton = nullptr;
  QPushButton* NextButton = nullptr;
  QPushButton* LastButton = nullptr;
  QPushButton* SearchButton = nullptr;
  QPushButton* DoneButton = nullptr;
  bool inOwnMessage_ = false;
  bool returningFromOwnMessage_ = false;
};

}  // namespace quillet
