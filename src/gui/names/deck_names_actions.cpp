#include "gui/names/deck_names_actions.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <exception>
#include <memory>
#include <optional>

#include "core/card_data/byte_source.h"
#include "core/names/deck_list_export.h"
#include "core/names/deck_list_import.h"
#include "core/names/deck_names.h"
#include "gui/browser/deck_edit_actions.h"
#include "gui/main_window/deck_document.h"
#include "gui/main_window/shown_text.h"
#include "gui/names/fix_names_dialog.h"
#include "gui/platform/card_text_codec.h"
#include "gui/platform/platform.h"

namespace quillet {

namespace {

// A long list's report names its first lines and counts the rest, so the
// message box stays on the screen.
constexpr int kReportedLines = 15;

QAction* NewAction(QObject* parent, const char* name, const QString& caption) {
  auto* action = new QAction(caption, parent);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

QString Quoted(const std::string& cp1252) {
  return QStringLiteral("'%1'").arg(FromCardBytes(cp1252));
}

// The first kReportedLines of `all` sentences, and how many more there are.
void CapSentences(QStringList& sentences, int all) {
  if (all > kReportedLines)
    sentences << QStringLiteral("... and %1 more.").arg(all - kReportedLines);
}

}  // namespace

QString ImportReport(const ImportedDeck& imported) {
  QStringList parts;
  QStringList sentences;
  int unsettled = 0;
  for (const ImportedLine& line : imported.lines) {
    if (line.match == NameMatch::Exact) continue;
    if (++unsettled > kReportedLines) continue;
    // The trimmed text shows what the user wrote; the count is not a name.
    if (line.match == NameMatch::None) {
      sentences << QStringLiteral("Line %1: %2 is not a card; it was kept as written.")
                       .arg(line.line)
                       .arg(Quoted(std::string(imported.Name(line))));
    } else {
      sentences << QStringLiteral("Line %1: %2 was read as %3.")
                       .arg(line.line)
                       .arg(Quoted(std::string(imported.Text(line))),
                            Quoted(std::string(imported.Name(line))));
    }
  }
  if (unsettled > 0) {
    CapSentences(sentences, unsettled);
    parts << QStringLiteral("Some names of the list were not found as written:\n\n") +
                 sentences.join(QLatin1Char('\n'));
  }
  sentences.clear();
  int shown = 0;
  for (const LeftOutLine& line : imported.leftOut) {
    if (++shown > kReportedLines) break;
    sentences << QStringLiteral("Line %1: %2")
                     .arg(line.line)
                     .arg(Quoted(std::string(imported.Text(line))));
  }
  if (!imported.leftOut.empty()) {
    CapSentences(sentences, static_cast<int>(imported.leftOut.size()));
    parts << QStringLiteral("These lines of a sideboard were left out of the deck:\n\n") +
                 sentences.join(QLatin1Char('\n'));
  }
  return parts.join(QStringLiteral("\n\n"));
}

DeckNamesActions::DeckNamesActions(DeckDocument& document, Platform& platform,
                                   DeckEditActions& edits, QObject* parent)
    : QObject(parent), document_(document), platform_(platform), edits_(edits) {
  setObjectName(QStringLiteral("DeckNamesActions"));
  import_ = NewAction(this, "ImportDeck1", QStringLiteral("&Import Deck..."));
  paste_ = NewAction(this, "PasteAsNewDeck1", QStringLiteral("&Paste as New Deck"));
  fix_ = NewAction(this, "FixCardNames1", QStringLiteral("&Fix Card Names..."));
  copyList_ = NewAction(this, "CopyDeckList1", QStringLiteral("Copy Deck &List"));
  // From a menu, the dialogs and messages belong over the window the user
  // is in.
  connect(import_, &QAction::triggered, this, [this] { importDeck(QApplication::activeWindow()); });
  connect(paste_, &QAction::triggered, this,
          [this] { pasteAsNewDeck(QApplication::activeWindow()); });
  connect(fix_, &QAction::triggered, this, [this] { fixCardNames(QApplication::activeWindow()); });
  connect(copyList_, &QAction::triggered, this,
          [this] { copyDeckList(QApplication::activeWindow()); });
  connect(&edits_, &DeckEditActions::stateChanged, this, &DeckNamesActions::showState);
  showState();
}

void DeckNamesActions::showState() {
  const bool open = edits_.deckOpen();
  fix_->setEnabled(open);
  copyList_->setEnabled(open);
}

void DeckNamesActions::run(QWidget* window, const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    platform_.showMessage(window, ShownMessage(error.what()));
  }
}

void DeckNamesActions::importDeck(QWidget* window) {
  run(window, [this, window] {
    FileDialogOptions options;
    options.title = QStringLiteral("Import Deck");
    options.filter = QStringLiteral("Text Files|*.txt|All Files|*");
    const std::optional<QString> source = platform_.getOpenFileName(window, options);
    if (!source || source->isEmpty()) return;
    const QFileInfo info(*source);
    FileSource file(PathBytes(*source));
    std::optional<std::string> raw = ReadDeckListSource(file);
    if (!raw) {
      platform_.showMessage(window, QStringLiteral("%1 is %2.")
                                        .arg(QDir::toNativeSeparators(*source),
                                             QString::fromLatin1(kDeckListTooLarge)));
      return;
    }
    importList(window, std::move(*raw), info.absolutePath(),
               QStringLiteral("%1 Deck.txt").arg(info.completeBaseName()));
  });
}

void DeckNamesActions::pasteAsNewDeck(QWidget* window) {
  run(window, [this, window] {
    const QString text = platform_.clipboardText();
    if (text.trimmed().isEmpty()) {
      platform_.showMessage(window, QStringLiteral("The clipboard holds no text to import."));
      return;
    }
    std::string raw = text.toUtf8().toStdString();
    if (raw.size() > kMaxDeckListSize) {
      platform_.showMessage(window, QStringLiteral("The clipboard's text is %1.")
                                        .arg(QString::fromLatin1(kDeckListTooLarge)));
      return;
    }
    importList(window, std::move(raw), QString(), QStringLiteral("Pasted Deck.txt"));
  });
}

void DeckNamesActions::importList(QWidget* window, std::string raw, const QString& directory,
                                  const QString& proposedName) {
  if (!document_.db().CardStatExists()) {
    platform_.showMessage(window,
                          QStringLiteral("You must create a data file to use this program"));
    return;
  }
  const std::shared_ptr<const SuggestionIndex> cards =
      SuggestionIndex::Shared(document_.db().CardStatPath());
  const ImportedDeck imported = ImportDeckList(std::move(raw), *cards);
  if (imported.lines.empty()) {
    platform_.showMessage(window, QStringLiteral("The list holds no card lines."));
    return;
  }
  // Rendered before the dialog, so a count out of range is said before the
  // user chooses a file for nothing.
  const std::string bytes = DeckFileBytes(imported.entries);
  FileDialogOptions options;
  options.title = QStringLiteral("Save Imported Deck");
  options.initialDirectory = directory;
  options.fileName = proposedName;
  options.filter = QStringLiteral("Text Files|*.txt");
  options.defaultSuffix = QStringLiteral("txt");
  // The dialog asks before it lets the user replace a file.
  std::optional<QString> path = platform_.getSaveFileName(window, options);
  if (!path || path->isEmpty()) return;
  *path = QFileInfo(*path).absoluteFilePath();
  // The dialog had the user confirm replacing a file of that name.
  WriteDeckFile(PathBytes(*path), bytes, /*replace=*/true);
  if (openDeck) openDeck(*path);
  // Said over the opened deck: never a line guessed or kept in silence.
  const QString report = ImportReport(imported);
  if (!report.isEmpty()) platform_.showMessage(window, report);
}

void DeckNamesActions::fixCardNames(QWidget* window) {
  std::vector<NameFix> fixes;
  std::vector<UnfoundLine> renamed;
  run(window, [this, window, &fixes, &renamed] {
    if (!document_.editor().IsOpen()) return;
    const std::shared_ptr<const SuggestionIndex> cards =
        SuggestionIndex::Shared(document_.db().CardStatPath());
    std::vector<UnfoundLine> lines = UnfoundDeckLines(document_.editor().Bytes(), *cards);
    if (lines.empty()) {
      platform_.showMessage(window, QStringLiteral("Every card name of the deck is found."));
      return;
    }
    FixNamesDialog dialog(lines, window);
    if (dialog.exec() == QDialog::Accepted) fixes = dialog.fixes();
    renamed = std::move(lines);
  });
  if (fixes.empty()) return;
  // The edit reports its own refusals, and the analysis follows it.
  if (!edits_.fixNames(fixes, window)) return;
  for (const NameFix& fix : fixes) {
    for (const UnfoundLine& line : renamed) {
      if (line.line != fix.line || line.name == fix.name) continue;
      emit cardRenamed(QByteArray::fromStdString(line.name), QByteArray::fromStdString(fix.name));
    }
  }
}

void DeckNamesActions::copyDeckList(QWidget* window) {
  run(window, [this] {
    if (!document_.editor().IsOpen()) return;
    platform_.setClipboardText(QString::fromStdString(ExportDeckList(document_.editor().Bytes())));
  });
}

}  // namespace quillet
