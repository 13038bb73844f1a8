// The Update command's merge, from the chosen file to the moment the progress
// window would show: a 30,000-row update into a 30,000-row dictionary.
#include "dictionary/Writer.h"
#include "update/MergeFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 30000;

std::string link(int i) {
  return "http://www.ostrelda.net/lore/entry-" + std::to_string(i) + ".html";
}

struct Files {
  fs::path folder;
  fs::path dictionary;   // the untouched 30,000-row dictionary
  fs::path halfNew;      // 15,000 links already in the dictionary, 15,000 new
  fs::path allNew;       // 30,000 new links

  Files() {
    folder = fs::temp_directory_path() / ("ostrelda-update-bench-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    dictionary = folder / "dictionary.dll";
    halfNew = folder / "half-new.mdb";
    allNew = folder / "all-new.mdb";
    std::vector<dictionary::Entry> rows;
    for (int i = 0; i < kRows; ++i)
      rows.push_back({"keyword " + std::to_string(i), link(i), std::string("lore")});
    dictionary::CreateDictionary(dictionary.string(), rows);
    rows.clear();
    for (int i = 0; i < kRows; ++i)
      rows.push_back({"update " + std::to_string(i), link(kRows / 2 + i), std::string("astro")});
    dictionary::CreateDictionary(halfNew.string(), rows);
    rows.clear();
    for (int i = 0; i < kRows; ++i)
      rows.push_back({"update " + std::to_string(i), link(2 * kRows + i), std::string("astro")});
    dictionary::CreateDictionary(allNew.string(), rows);
  }
  ~Files() { fs::remove_all(folder); }
};

Files& files() {
  static Files f;
  return f;
}

void mergeInto30k(benchmark::State& state, const fs::path& updateFile) {
  const fs::path target = files().folder / "runes.dll";
  std::int64_t added = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fs::copy_file(files().dictionary, target, fs::copy_options::overwrite_existing);
    state.ResumeTiming();
    const update::MergeOutcome outcome =
        update::MergeUpdateFile(target.string(), updateFile.string());
    if (outcome.kind != update::MergeOutcome::Kind::Merged) {
      state.SkipWithError(("merge did not run: " + outcome.reason).c_str());
      break;
    }
    added = outcome.added;
  }
  state.counters["added"] = static_cast<double>(added);
}

void BM_Update30kInto30k_HalfNew(benchmark::State& state) {
  mergeInto30k(state, files().halfNew);
}
void BM_Update30kInto30k_AllNew(benchmark::State& state) {
  mergeInto30k(state, files().allNew);
}

BENCHMARK(BM_Update30kInto30k_HalfNew)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_Update30kInto30k_AllNew)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

}  // namespace

BENCHMARK_MAIN();
