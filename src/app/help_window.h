// The program's help: the help document shipped inside the program, shown
// in a window of its own beside the others. The shell names its help by the
// file id "Quillet.hlp" and opens it at topic ids such as "IDH_110", which
// are anchors of the document.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace quillet {

// Makes the help document and the program icon available as resources.
void InitShellResources();

inline const QString kHelpFile = QStringLiteral("Quillet.hlp");

// The document that stands for a help file id: "Quillet.hlp" is
// qrc:/help/quillet.html.
QString HelpDocument(const QString& helpFile);

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QString helpFile, QWidget* parent = nullptr);

  // Shows the window at the topic's anchor and brings it to the front.
  void showTopic(const QString& topic);

 private:
  QString helpFile_;
  QTextBrowser* browser_ = nullptr;
};

}  // namespace quillet
