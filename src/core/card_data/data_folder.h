// Where the data files (CardStat.Dat, CardText.Dat, ZNUTILS.INI) live. Both
// executables pick the folder by one rule, first match wins:
//   1. a folder named by the user: quillet-cli's --data, or QUILLET_DATA_DIR;
//   2. the program's own folder, when it already holds CardStat.Dat or the
//      user may write there (a build tree or a portable install);
//   3. $XDG_DATA_HOME/quillet/ (~/.local/share/quillet/ by default), which
//      need not exist yet: the first update creates it.
// The environment comes in as a struct so tests can set every input.
#pragma once

#include <optional>
#include <string>

namespace quillet {

struct DataFolderEnv {
  std::string programDir;                  // the executable's folder
  std::optional<std::string> dataDirVar;   // QUILLET_DATA_DIR
  std::optional<std::string> xdgDataHome;  // XDG_DATA_HOME
  std::optional<std::string> home;         // HOME

  // The running process's environment and folder.
  static DataFolderEnv FromProcess();
};

// The data folder, with its trailing '/'. `given` is a folder the user named
// on the command line (empty: none).
std::string ChooseDataFolder(const std::string& given, const DataFolderEnv& env);

// `dir` with a trailing '/' (an empty one stays empty).
std::string WithTrailingSlash(std::string dir);

}  // namespace quillet
