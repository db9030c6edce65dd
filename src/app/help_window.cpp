#include "app/help_window.h"

#include "gui/platform/centre_window.h"
#include "gui/platform/close_keys.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// The shell's resources (the help document, the program icon) live in the
// static GUI library; naming their initialiser here keeps the linker from
// dropping them.
static void InitAppQrc() {
  Q_INIT_RESOURCE(app);
}

namespace quillet {

void InitShellResources() {
  ::InitAppQrc();
}

QString HelpDocument(const QString& helpFile) {
  return QStringLiteral("qrc:/help/") + QFileInfo(helpFile).completeBaseName().toLower() +
         QStringLiteral(".html");
}

HelpWindow::HelpWindow(QString helpFile, QWidget* parent)
    : QWidget(parent, Qt::Window), helpFile_(std::move(helpFile)) {
  InitShellResources();
  setObjectName(QStringLiteral("HelpWindow"));
  CloseOnKeys(*this, {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
  setWindowTitle(QStringLiteral("Quillet Help"));
  resize(640, 520);
  // Help is an aid to the main window: closing the main window ends the
  // program even while help is open.
  setAttribute(Qt::WA_QuitOnClose, false);
  CentreOnScreen(*this);
  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  browser_->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
}

void HelpWindow::showTopic(const QString& topic) {
  QUrl url(HelpDocument(helpFile_));
  url.setFragment(topic);
  browser_->setSource(url);
  browser_->scrollToAnchor(topic);
  show();
  raise();
  activateWindow();
}

}  // namespace quillet
