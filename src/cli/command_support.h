// What every subcommand of quillet-cli shares: the context it runs in, the
// --data option and the data folder rule, card names typed in UTF-8, failure
// messages that name their file, and JSON written the one way all commands
// write it.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/card_data/data_folder.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace quillet::cli {

struct CommandContext {
  std::ostream& out;
  std::ostream& err;
  const DataFolderEnv& env;
  std::string globalData;  // --data given before the subcommand
};

// A subcommand declares its options on the CLI11 command it is handed and
// returns the function that runs it once the line has been parsed; that
// function reads the options and returns the exit code.
using CommandRunner = std::function<int(CommandContext&)>;
using CommandSetup = CommandRunner (*)(CLI::App& command);

// A wrong command line found after parsing (exit 2, the text on stderr).
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Adds `--data DIR` (a non-empty folder) bound to `dir`.
void AddDataOption(CLI::App& command, std::string& dir);
// Lets `option` take only whole numbers from `least` to `most`, written in
// decimal digits with an optional leading '-' ("010" is ten). Anything else,
// "0x10" too, is refused with the range as the user would write it, "--count
// must be 1 to 2147483647"; the library alone would quote the limits of its double
// type, or take a number beyond the option's type as its saturated value.
// `orMore` is for an option where any number past `most` means what `most`
// means (draws past the end of the pile): such a number is taken as `most`,
// and the range reads "--draw must be 0 or more".
void WholeNumberOption(CLI::Option& option, std::int64_t least, std::uint64_t most,
                       bool orMore = false);

// The data folder for a command given `dir` by --data (empty: none).
std::string DataFolder(const CommandContext& context, const std::string& dir);

// What every command says when the data folder holds no CardStat.Dat.
inline constexpr std::string_view kNoDataFile = "You must create a data file to use this program";
// Names the data folder on stderr ("Data folder: PATH") when the user chose
// it, by --data or QUILLET_DATA_DIR: a mistyped folder is then the likely
// reason the data file is missing. `dir` is the subcommand's --data.
void NameChosenDataFolder(const CommandContext& context, const std::string& dir);
// kNoDataFile on stderr, then NameChosenDataFolder; returns the failure code 1.
int FailNoDataFile(const CommandContext& context, const std::string& dir);

// A card name or search text typed in a UTF-8 terminal, as the card data's
// Windows-1252 bytes; an argument that is not UTF-8 is taken as bytes already.
std::string CardBytes(std::string typed);

// Prints "<path>: <message>" on stderr and returns the failure code 1.
int FailWithFile(const CommandContext& context, const std::string& path, std::string_view message);

using Json = nlohmann::ordered_json;  // keys stay in the order they are set

// Card data bytes (Windows-1252) as a JSON string, and a list of them.
Json JsonText(std::string_view cp1252);
Json JsonTexts(const std::vector<std::string>& cp1252);

// Writes `value` with two-space indents, every control character escaped as
// \u00XX and every other character as it is, and a final newline.
void WriteJson(std::ostream& out, const Json& value);

}  // namespace quillet::cli
