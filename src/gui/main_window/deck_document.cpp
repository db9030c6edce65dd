#include "gui/main_window/deck_document.h"

#include <QStringLiteral>
#include <utility>

#include "core/card_data/paths.h"
#include "core/settings/ini_settings.h"
#include "gui/main_window/shown_text.h"
#include "gui/platform/platform.h"

namespace quillet {

std::optional<std::string> ChooseDeckFile(Platform& platform, QWidget* window,
                                          const std::string& directory) {
  FileDialogOptions options;
  options.initialDirectory = ShownPath(directory);
  options.fileName = QStringLiteral("*.txt");
  options.filter = QStringLiteral("Text Files|*.txt");
  const std::optional<QString> chosen = platform.getOpenFileName(window, options);
  if (!chosen || chosen->isEmpty()) return std::nullopt;
  return PathBytes(*chosen);
}

DeckDocument::DeckDocument(Session& session, Platform& platform, QObject* parent)
    : QObject(parent), session_(session), platform_(platform) {}

bool DeckDocument::open(QWidget* window, std::optional<std::string> path) {
  if (!path) path = ChooseDeckFile(platform_, window, ReadDeckDirectory(db().ProgramDir()));
  if (!path || path->empty()) {
    view_.Unload();
    return false;
  }
  std::optional<BusyCursor> busy(std::in_place, platform_);
  const std::vector<std::string> messages = analyze(*path);
  path_ = view_.DName();
  emit changed();
  const bool failed = !isOpen();
  // The names not found are said as the reading ends, under the busy cursor;
  // that the deck is not valid is said once the work is over.
  if (failed) {
    if (messages.size() > 1) say(window, {messages.front()});
    busy.reset();
    say(window, {messages.back()});
    return true;
  }
  say(window, messages);
  rememberFolder();
  return true;
}

MainView::ReloadResult DeckDocument::reload(QWidget* window, bool quiet) {
  if (path_.empty()) return {};
  const MainView::ReloadState state = view_.BeginReload();
  std::optional<BusyCursor> busy(std::in_place, platform_);
  const std::vector<std::string> messages = analyze(path_);
  const MainView::ReloadResult result = view_.FinishReload(state, db());
  emit changed();
  busy.reset();
  if (result.analysed) {
    say(window, messages);
    rememberFolder();
  } else if (!quiet) {
    say(window, messages);
  }
  return result;
}

std::vector<std::string> DeckDocument::analyze(const std::string& path) {
  return view_.Show(AnalyzeInView(path, view_, db()));
}

void DeckDocument::say(QWidget* window, const std::vector<std::string>& messages) {
  for (const std::string& text : messages) platform_.showMessage(window, ShownMessage(text));
}

void DeckDocument::rememberFolder() {
  // The folder is remembered only once nothing more can fail, so that it is
  // always the folder of the last deck analysed without failure. It is a
  // convenience: a settings file that cannot be written does not make the
  // deck invalid.
  try {
    WriteDeckDirectory(db().ProgramDir(), DirectoryPart(view_.DName()));
  } catch (const std::exception&) {
  }
}

}  // namespace quillet
