// Speed and memory of the card list import. The lists are generated: lines
// shaped like the listing tool's (assets, programs, bases with production,
// keyword fields, texts of a few sentences), varied by a fixed pseudo-random
// sequence so every run sees the same bytes.
//
// The import streams: its peak memory must not depend on the list's size.
// PeakMemory runs each update in a child process and reports the child's
// maximum resident set for 50,000 and 200,000 lines; the two should match.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "core/card_data/byte_source.h"
#include "core/card_data/card_database.h"
#include "core/import/card_data_update.h"
#include "core/import/card_list_importer.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

class LineMaker {
 public:
  std::string Line(int i) {
    static constexpr const char* kRarity[] = {"Common", "Uncommon", "Rare", "Very Rare"};
    static constexpr const char* kType[] = {"Asset", "Program", "Enhancement", "Intervention",
                                            "Base"};
    static constexpr const char* kKeywords[] = {"UN-Unique-Pilot",
                                                "Corporate--Gear-$MultiUse",
                                                "Inner Circle-Mech.-Veteran",
                                                "FUS-Ice-Daemon",
                                                "Monastery-Topdeck",
                                                "Nonames-Virus-Worm-$Programuser",
                                                ""};
    static constexpr const char* kWords[] = {"Deploy",    "target", "asset", "gains", "+2",
                                             "firepower", "until",  "end",   "of",    "turn.",
                                             "Sacrifice", "this",   "card",  "to",    "draw"};
    const bool base = Next() % 5 == 4;
    std::string line = "Card " + std::to_string(i) + (Next() % 50 == 0 ? " HQ" : "");
    line += "\tLimited\t";
    line += kRarity[Next() % 4];
    line += '\t';
    line += base ? "Base" : kType[Next() % 4];
    for (int f = 0; f < 6; ++f) line += '\t' + std::to_string(Next() % 12);
    line += '\t';
    if (base || line.find("HQ") != std::string::npos) {
      line += "Military " + std::to_string(Next() % 4) + "/-1 Covert 1/" +
              std::to_string(Next() % 9) + " ";
    } else {
      line += Cost();
    }
    for (int f = 0; f < 3; ++f) line += '\t' + Cost();
    line += '\t';
    line += kKeywords[Next() % 7];
    line += "\t\t";
    const int words = 8 + static_cast<int>(Next() % 30);
    for (int w = 0; w < words; ++w) {
      if (w > 0) line += ' ';
      line += kWords[Next() % 15];
    }
    return line + "\r\n";
  }

 private:
  std::uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  std::string Cost() {
    return std::to_string(Next() % 4) + "/" + std::to_string(Next() % 3) + "/" +
           std::to_string(Next() % 3);
  }
  std::uint32_t state_ = 12345;
};

const std::string& MemoryList() {
  static const std::string list = [] {
    LineMaker maker;
    std::string out;
    for (int i = 0; i < 50000; ++i) out += maker.Line(i);
    return out;
  }();
  return list;
}

// Written a line at a time, so the list is never held in memory.
std::string WriteList(const test::TempDir& dir, int lines) {
  const std::string path = dir.File("cards.txt");
  std::ofstream out(path, std::ios::binary);
  LineMaker maker;
  for (int i = 0; i < lines; ++i) out << maker.Line(i);
  return path;
}

class CountingSink final : public ByteSink {
 public:
  using ByteSink::Write;
  void Write(const std::uint8_t*, std::size_t size) override { bytes += size; }
  std::size_t bytes = 0;
};

void BM_ImportFromMemory(benchmark::State& state) {
  const std::string& list = MemoryList();
  const UpdateOptions options;
  for (auto _ : state) {
    MemorySource source(list);
    TCardRecord card;
    CountingSink records;
    CountingSink text;
    CardListImporter importer(source, card, records, &text, options);
    importer.ImportCardList();
    benchmark::DoNotOptimize(records.bytes);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * list.size()));
  state.counters["lines"] = 50000;
}
BENCHMARK(BM_ImportFromMemory)->Unit(benchmark::kMillisecond);

void BM_UpdateFromFile(benchmark::State& state) {
  test::TempDir dir;
  const std::string path = WriteList(dir, 50000);
  const auto size = static_cast<std::int64_t>(test::TempDir::Read(path).size());
  CardDatabase db(dir.path());
  for (auto _ : state) UpdateCardData(db, path, {});
  state.SetBytesProcessed(state.iterations() * size);
  state.counters["lines"] = 50000;
}
BENCHMARK(BM_UpdateFromFile)->Unit(benchmark::kMillisecond);

// The child's peak resident set includes what it shares with this process
// at the fork, which is the same for every size.
void BM_PeakMemory(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  test::TempDir dir;
  const std::string path = WriteList(dir, lines);
  long maxRssKb = 0;
  for (auto _ : state) {
    const pid_t child = ::fork();
    if (child == 0) {
      CardDatabase db(dir.path());
      UpdateCardData(db, path, {});
      ::_exit(0);
    }
    int status = 0;
    struct rusage usage {};
    ::wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("update failed");
    maxRssKb = usage.ru_maxrss;
  }
  state.counters["max_rss_kb"] = static_cast<double>(maxRssKb);
  state.counters["lines"] = lines;
}
BENCHMARK(BM_PeakMemory)->Arg(50000)->Arg(200000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillet

BENCHMARK_MAIN();
