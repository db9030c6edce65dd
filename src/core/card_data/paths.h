// Paths and the plain file-system calls on them that the card tools share:
// the program's folder, a path's folder, whether a file is there, removing
// one and making folders. Folders are named with their trailing '/', or by
// the empty string for the current one, so that `dir + name` is a path.
#pragma once

#include <string>

namespace quillet {

// The folder of the running executable, with its trailing separator.
std::string ProgramDir();

bool FileExists(const std::string& path);
// Removes `path`; a file that does not exist is no error. Throws IoError.
void RemoveFile(const std::string& path);
// The directory part of `path`, up to and including its last '/'; empty when
// the path has none.
std::string DirectoryPart(const std::string& path);
// The folder `dir` as open(2) and opendir(3) take it: "" is ".".
std::string OpenableDir(const std::string& dir);
// Creates `dir` and any missing parents (mkdir -p), each new one for its owner
// only, as the XDG base directory rules ask. Throws IoError.
void MakeDirectories(const std::string& dir);

}  // namespace quillet
