#include "gui/platform/panel_dock.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QScrollArea>
#include <QShortcut>
#include <QTimer>

#include "gui/platform/close_keys.h"

namespace quillet {

PanelDock::PanelDock(const QString& name, const QString& title, std::function<QWidget*()> make,
                     QWidget* parent)
    : QDockWidget(title, parent), make_(std::move(make)), title_(title) {
  setObjectName(name);
  setFocusPolicy(Qt::ClickFocus);
  connect(this, &QDockWidget::topLevelChanged, this, &PanelDock::followFloating);
}

QWidget* PanelDock::ensureContent() {
  if (content_ || !make_) return content_;
  QWidget* content = make_();
  make_ = nullptr;
  content_ = content;
  // A panel may be made narrower or lower than its content's least size (the
  // browser's row of filters is wide); the content then scrolls, rather than
  // the panel taking the room of the main window beside it.
  auto* scroller = new QScrollArea;
  scroller->setObjectName(QStringLiteral("PanelScroller"));
  scroller->setFrameShape(QFrame::NoFrame);
  scroller->setFocusPolicy(Qt::NoFocus);
  scroller->setWidgetResizable(true);
  scroller->setWidget(content);
  setWidget(scroller);
  if (content->findChild<QShortcut*>(QStringLiteral("CloseShortcut")) == nullptr)
    CloseOnKeys(*content);
  followFloating(isFloating());
  // The content names what it shows ("Draw Odds - AT"); an untitled one
  // leaves the panel's own name.
  const auto follow = [this](const QString& title) {
    setWindowTitle(title.isEmpty() ? title_ : title);
  };
  follow(content->windowTitle());
  connect(content, &QWidget::windowTitleChanged, this, follow);
  emit contentMade(content);
  return content;
}

void PanelDock::setToggleCaption(const QString& caption) {
  toggleCaption_ = caption;
  toggleViewAction()->setText(caption);
}

bool PanelDock::event(QEvent* event) {
  const bool handled = QDockWidget::event(event);
  // The dock names its toggle action after its title again whenever the
  // title changes.
  const QEvent::Type type = event->type();
  if (!toggleCaption_.isEmpty() &&
      (type == QEvent::WindowTitleChange || type == QEvent::ModifiedChange)) {
    toggleViewAction()->setText(toggleCaption_);
  }
  return handled;
}

void PanelDock::showEvent(QShowEvent* event) {
  ensureContent();
  QDockWidget::showEvent(event);
}

void PanelDock::closeEvent(QCloseEvent* event) {
  const bool hadFocus = isFloating() && hasFocusInside();
  QDockWidget::closeEvent(event);
  // A floating panel put away while the player worked in it hands the focus
  // back to the main window; without a window manager to pick the next
  // window, it would go nowhere and no key would work until a click.
  if (hadFocus && event->isAccepted() && parentWidget() != nullptr) {
    parentWidget()->window()->activateWindow();
  }
}

void PanelDock::followFloating(bool floating) {
  // Floated, the panel takes the room its controls ask for rather than the
  // size its dock happened to give it (Draw and New Hand out of sight).
  if (floating) {
    QTimer::singleShot(0, this, [this] {
      if (isFloating()) resize(size().expandedTo(sizeHint()));
    });
  }
  // Esc puts a floating panel away as it does a dialog; docked, the key
  // would act on the whole main window.
  if (!content_) return;
  for (QShortcut* key : content_->findChildren<QShortcut*>(QStringLiteral("CloseShortcut"))) {
    key->setEnabled(floating);
  }
}

bool PanelDock::hasFocusInside() const {
  const QWidget* focus = QApplication::focusWidget();
  return focus != nullptr && (focus == this || isAncestorOf(focus));
}

void PanelDock::showAndFocus() {
  QWidget* content = ensureContent();
  show();
  raise();  // the front tab of a tabbed group
  if (isFloating()) activateWindow();
  if (!content) return;
  // The content's own first control when it chose one, else the first that
  // takes the focus.
  QWidget* target = content->focusProxy() ? content->focusProxy() : content;
  if (target->focusPolicy() == Qt::NoFocus || !target->isEnabled()) {
    target = content->nextInFocusChain();
    while (target != content && target &&
           (!content->isAncestorOf(target) || target->focusPolicy() == Qt::NoFocus ||
            !target->isEnabled() || !target->isVisibleTo(content))) {
      target = target->nextInFocusChain();
    }
  }
  // A panel with nothing to take the focus (the Card panel without a card)
  // takes it itself, so its key and Esc still reach it.
  if (target == content && content->focusPolicy() == Qt::NoFocus) target = this;
  if (target) target->setFocus(Qt::ShortcutFocusReason);
}

void BringForward(QWidget& widget) {
  if (widget.isWindow()) {
    widget.showNormal();
    widget.raise();
    widget.activateWindow();
    return;
  }
  for (QWidget* up = widget.parentWidget(); up; up = up->parentWidget()) {
    if (auto* panel = qobject_cast<PanelDock*>(up)) {
      panel->show();
      panel->raise();
      panel->window()->activateWindow();
      return;
    }
  }
  widget.show();
}

}  // namespace quillet
