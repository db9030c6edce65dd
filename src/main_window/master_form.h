// TMasterForm: the program's main window. It is a view over MasterModel: every
// handler runs one model operation and then shows the whole model again
// (ShowModel), so the window holds no analysis of its own, only its controls.
// The controls carry their component names as objectName, and the integer
// fields are built from one table (field_places.h) in one loop. The shell
// wires the other windows in through the three hooks below.
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "analysis/master_model.h"
#include "desktop/platform.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QScrollArea;

namespace quillet {

class TCardListBox;
class TIntEdit;

class TMasterForm : public QMainWindow {
  Q_OBJECT

 public:
  TMasterForm(Session& session, Platform& platform, QWidget* parent = nullptr);
  ~TMasterForm() override;

  // Set by the shell. runUpdater shows the updater dialog modally and returns
  // true when it closed with OK; showReader shows the card reader without
  // waiting and raises it; showAbout shows the about box modally.
  std::function<bool()> runUpdater;
  std::function<void()> showReader;
  std::function<void()> showAbout;
  // Shows the charts window without waiting; set by the shell, which makes
  // the window on first use.
  std::function<void()> showCharts;

  MasterModel& model() { return model_; }
  TIntEdit* Field(std::string_view name) const;

  // The handlers, public so the shell and the tests can drive them as the
  // controls do.
  void AnalyzeButtonClick();
  void AssetSwitchClick();
  void CostBoxChange(const QString& item);
  void FieldDblClick(std::string_view name);  // OnClick for TopDeckAmount
  void SaveButtonClick();
  void CardListClick();
  void CardListDblClick();
  void CardListMouseUp(const QPoint& position);
  void CardListMouseMove(const QPoint& position);
  void PopUpCopyClick();
  void UpdaterButtonClick();
  void CloseButtonClick();
  void Exit1Click();
  void About1Click();
  void Help2Click();
  void QuilletHomepage1Click();
  void OrvaneHomePage1Click();
  void ChartsClick();
  void ExportReportClick();
  void PrintClick();
  // Runs `show`, which fills the model's card list with a list of its own (a
  // chart's bar), and shows the list as a figure's list is shown. Does
  // nothing when `show` returns false.
  void ShowList(const std::function<bool(MasterModel&)>& show);

 signals:
  // For the windows that follow the main window. deckAnalysed comes after
  // every analysis, successful or not (an empty model().DName() means it
  // failed); listShown after a figure's list replaced the card list
  // (model().ShownList() names the figure); cardLineSelected after a click
  // on a card list line.
  void deckAnalysed();
  void listShown();
  void cardLineSelected(int line);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BuildTopStrip(QWidget* client);
  void BuildTypes(QWidget* client);
  void BuildDomains(QWidget* client);
  void BuildFigures(QWidget* client);
  void BuildLists(QWidget* client);
  void BuildButtons(QWidget* client);
  void BuildMenus();
  void BuildFields();
  // Runs a user action; a failure it raises is shown in a message box.
  void Run(const std::function<void()>& action);
  void SetTabOrder();

  void FormCreate();
  void CentreOnScreen();
  void ShowModel();
  void SetDeckCommandsEnabled(bool enabled);
  std::optional<int> SelectedLine() const;

  Session& session_;
  Platform& platform_;
  MasterModel model_;
  QString saveDialogFileName_;  // SaveDialog1's file name

  std::map<std::string, TIntEdit*, std::less<>> fields_;
  std::map<int, QWidget*> panels_;  // by FieldPanel, while the window is built
  QLineEdit* DName = nullptr;
  QLineEdit* HQType = nullptr;
  QCheckBox* AssetSwitch = nullptr;
  QComboBox* CostBox = nullptr;
  QListWidget* ProblemBox = nullptr;
  TCardListBox* CardList = nullptr;
  QLabel* CardListName = nullptr;
  QPushButton* AnalyzeButton = nullptr;
  QPushButton* SaveButton = nullptr;
  QPushButton* ReaderButton = nullptr;
  QPushButton* CloseButton = nullptr;
  QScrollArea* AssetScroller = nullptr;
  QScrollArea* EnhanceScroller = nullptr;
  QScrollArea* DomainScroller = nullptr;
  QMenu* CardListMenu = nullptr;
  QAction* Open1 = nullptr;
  QAction* SaveList1 = nullptr;
  QAction* CardStats1 = nullptr;
  QAction* Copy2 = nullptr;
  QAction* PopUpCopy = nullptr;
  QAction* ExportReport1 = nullptr;
  QAction* Print1 = nullptr;
};

}  // namespace quillet
