// The sample card list built once into a temporary data folder by the build
// command, for the tests that run commands over the sample decks.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "deck_cli_support.h"
#include "support/temp_dir.h"

namespace quillet::cli::test {

inline const std::string kSamples = std::string(QUILLET_SOURCE_DIR) + "/samples/";

inline std::string SampleDeck(const std::string& name) {
  return kSamples + "decks/" + name;
}

// The data folder; built on first use and kept for the whole test run.
inline const std::string& SampleData() {
  static const quillet::test::TempDir dir;
  static const bool built = [] {
    const Result r =
        RunCommand("build", {kSamples + "cards.txt", "--data", dir.path()}, dir.path());
    EXPECT_EQ(r.code, 0) << r.err;
    return r.code == 0;
  }();
  (void)built;
  return dir.path();
}

// `quillet-cli command args... --data <the sample data>`.
inline Result RunOnSamples(const std::string& command, Args args) {
  args.push_back("--data");
  args.push_back(SampleData());
  return RunCommand(command, args, SampleData());
}

}  // namespace quillet::cli::test
