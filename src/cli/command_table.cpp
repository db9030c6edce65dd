// The command line of quillet-cli: the table of subcommands and the parsing.
//
// Adding a subcommand takes one new file and one line of the table below:
//   1. Write src/cli/<name>_command.cpp with `CommandRunner Setup<Name>(CLI::App&)`
//      (declared in commands.h). It declares its arguments on the CLI11
//      command it is handed, binding them to an options struct it keeps in a
//      shared_ptr, and returns the function that runs the command with them:
//      that function writes to context.out / context.err only and returns the
//      exit code (0 done, 1 failed; a failure names its file via FailWithFile,
//      the system's own messages are printed as they are).
//   2. Reuse the shared pieces: AddDataOption and DataFolder (--data and the
//      data folder rule), CardBytes (card names typed in UTF-8), WriteJson and
//      JsonText(s) (the JSON conventions), and for deck commands
//      AddDeckOptions and AnalyzeForCli (DECK, --assets-only, --cost, --json
//      and {"Error": message} when the deck fails).
//   3. Keep the command's JSON shape in one function of its file.
//   4. Add the file to CMakeLists.txt and its line to kCommands.
// A wrong command line is found by CLI11 (or by a runner throwing
// UsageError), printed on stderr, and exits with 2.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <ostream>
#include <string>
#include <utility>

#include "cli/cli.h"
#include "cli/commands.h"
#include "core/card_data/data_journal.h"

namespace quillet::cli {
namespace {

struct CommandEntry {
  const char* name;
  const char* summary;
  CommandSetup setup;
};

constexpr CommandEntry kCommands[] = {
    {"build", "Build the card database from a card list", SetupBuild},
    {"analyze", "Analyse a deck as the main window does", SetupAnalyze},
    {"list", "Print the card list behind one figure of a deck's analysis", SetupList},
    {"card", "Print one card as the card reader shows it", SetupCard},
    {"odds", "Print the draw odds of a figure's cards, of one card or of a goal", SetupOdds},
    {"hand", "Deal a sample hand, again by its seed, or count dealt hands meeting a goal",
     SetupHand},
    {"diff", "Compare two decks: copies, figures, problems", SetupDiff},
    {"check", "Say whether a deck is legal (exit 0) or not (exit 3)", SetupCheck},
    {"search", "List the cards matching a text and filters, as the card browser does", SetupSearch},
    {"add", "Add copies of a card to a deck file, as the card browser does", SetupAdd},
    {"remove", "Take copies of a card out of a deck file, as the card browser does", SetupRemove},
    {"fields", "List every integer field's component name with its caption", SetupFields},
    {"names", "List a deck's names no card has, with suggestions; --apply fixes the sure ones",
     SetupNames},
    {"import", "Write a deck file from a deck list in any common form", SetupImport},
    {"export", "Print a deck as a list to share, one \"COUNT NAME\" a line", SetupExport},
};

// CLI11's messages, in the words of this program where they name what is wrong.
std::string WrongCommandLine(const CLI::App& app, const CLI::ParseError& e) {
  if (dynamic_cast<const CLI::ExtrasError*>(&e)) {
    // What is left over: an option nobody declared, or an argument too many.
    const CLI::App* where = &app;
    for (const CLI::App* sub : app.get_subcommands()) where = sub;
    std::vector<std::string> rest = where->remaining();
    if (rest.empty()) rest = app.remaining();
    if (!rest.empty()) {
      const std::string& first = rest.front();
      if (first.size() > 1 && first[0] == '-') return "unknown option '" + first + "'";
      if (where == &app) return "unknown command '" + first + "'";
      return "unexpected argument '" + first + "'";
    }
  }
  std::string text = e.what();
  // A check names its option first: "--draw: must be 0 or more" reads
  // better as "--draw must be 0 or more".
  if (dynamic_cast<const CLI::ValidationError*>(&e)) {
    if (const auto colon = text.find(": must "); colon != std::string::npos) text.erase(colon, 1);
  }
  return text;
}

}  // namespace

int RunCli(const Args& argv, const DataFolderEnv& env, std::ostream& out, std::ostream& err) {
  CLI::App app("Quillet's deck analysis on the command line.", "quillet-cli");
  app.require_subcommand(0, 1);
  std::string data;
  AddDataOption(app, data);
  bool version = false;
  app.add_flag("--version", version, "Print the version and the data folder");

  std::vector<std::pair<CLI::App*, CommandRunner>> runners;
  for (const CommandEntry& entry : kCommands) {
    CLI::App* command = app.add_subcommand(entry.name, entry.summary);
    runners.emplace_back(command, entry.setup(*command));
    // Every command takes --data after its name too, also one that reads no
    // data: a script may pass it to all of them alike.
    if (command->get_option_no_throw("--data") == nullptr) AddDataOption(*command, data);
  }

  CommandContext context{out, err, env, {}};
  // A foreign journal moved out of a data folder is said once, whichever
  // command opened the folder.
  const JournalNotice previous =
      SetJournalNotice([&err](const std::string& message) { err << message << '\n'; });
  struct Restore {
    JournalNotice notice;
    ~Restore() { SetJournalNotice(std::move(notice)); }
  } restore{previous};
  try {
    std::vector<std::string> args(argv.size() > 1 ? argv.begin() + 1 : argv.end(), argv.end());
    std::reverse(args.begin(), args.end());  // CLI11 takes them last first
    app.parse(args);
    context.globalData = data;
    if (version) {
      out << "quillet-cli " << QUILLET_VERSION << "\nData folder: " << DataFolder(context, {})
          << '\n';
      return 0;
    }
    for (auto& [command, run] : runners) {
      if (command->parsed()) return run(context);
    }
    err << app.help();
    return 2;
  } catch (const CLI::CallForHelp&) {
    const CLI::App* shown = &app;
    for (auto& [command, run] : runners) {
      if (command->parsed()) shown = command;
    }
    out << shown->help();
    return 0;
  } catch (const CLI::ParseError& e) {
    err << "quillet-cli: " << WrongCommandLine(app, e)
        << "\nRun with --help for more information.\n";
    return 2;
  } catch (const UsageError& e) {
    err << "quillet-cli: " << e.what() << "\nRun with --help for more information.\n";
    return 2;
  } catch (const DataHalfUpdated& e) {
    // Whichever command opened the folder: none of them may read it.
    err << e.what() << '\n';
    return 1;
  }
}

}  // namespace quillet::cli
