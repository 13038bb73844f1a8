// The write side on a dictionary of realistic size: 30,000 Runes rows
// (keys of 8-30 characters, memo links of 60-110 characters).
//   Append30k: 30,000 rows appended to an empty dictionary, one operation.
//   Merge30kHalfPresent: a 30,000-row update, half of its links already in
//     a 30,000-row dictionary, merged (15,000 rows added).
//   Create30k: a new dictionary holding 30,000 rows.
// Every iteration works on a fresh copy made while the clock is stopped;
// the figures include loading, the atomic write and its fsync.
#include "dictionary/Writer.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
constexpr int kRows = 30000;

std::string KeyFor(int i) {
  static const char* const words[] = {"Fehu", "Uruz", "Thurisaz", "Ansuz", "Raidho", "Kaunan", "Gebo", "Wunjo",
                                      "Hagalaz", "Naudiz", "Isaz", "Jera", "Eihwaz", "Perthro", "Algiz", "Sowilo"};
  return std::string(words[i % 16]) + " lore " + std::to_string(i);
}

std::string LinkFor(int i) {
  return "https://www.ostrelda.example/ostrelda/ssd.php?page=runes-" + std::to_string(i) +
         (i % 3 == 0 ? "&section=inscriptions-and-staves" : "");
}

std::vector<dictionary::Entry> Entries(int from, int count) {
  std::vector<dictionary::Entry> out;
  out.reserve(count);
  for (int i = from; i < from + count; ++i) out.push_back({KeyFor(i), LinkFor(i), std::string("astro")});
  return out;
}

struct Fixtures {
  fs::path folder, empty, dictionary, update;
  Fixtures() {
    folder = fs::temp_directory_path() / ("ostrelda-jet-write-bench-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    empty = folder / "empty.dll";
    dictionary = folder / "dictionary.dll";
    update = folder / "update.dll";
    dictionary::CreateDictionary(empty.string(), {});
    dictionary::CreateDictionary(dictionary.string(), Entries(0, kRows));
    dictionary::CreateDictionary(update.string(), Entries(kRows / 2, kRows));
  }
  ~Fixtures() { fs::remove_all(folder); }
};

Fixtures& F() {
  static Fixtures f;
  return f;
}

void BM_Append30k(benchmark::State& state) {
  const auto rows = Entries(0, kRows);
  const fs::path target = F().folder / "append.dll";
  for (auto _ : state) {
    state.PauseTiming();
    fs::copy_file(F().empty, target, fs::copy_options::overwrite_existing);
    state.ResumeTiming();
    dictionary::AppendEntries(target.string(), rows);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_Merge30kHalfPresent(benchmark::State& state) {
  const fs::path target = F().folder / "merge.dll";
  std::int64_t added = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fs::copy_file(F().dictionary, target, fs::copy_options::overwrite_existing);
    state.ResumeTiming();
    added = dictionary::MergeUpdate(target.string(), F().update.string()).added;
  }
  state.counters["added"] = double(added);
}

void BM_Create30k(benchmark::State& state) {
  const auto rows = Entries(0, kRows);
  const fs::path target = F().folder / "create.dll";
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(target);
    state.ResumeTiming();
    dictionary::CreateDictionary(target.string(), rows);
  }
}

BENCHMARK(BM_Append30k)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Merge30kHalfPresent)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Create30k)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
