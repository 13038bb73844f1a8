// The read side on a dictionary of realistic size: 30,000 Runes rows (keys
// of 8-30 characters, memo links of 60-110 characters), made once by our
// writer before the clock starts.
//   ReadAllRows30k: open (password check, catalog) and decode every row.
//   OpenRecordset30k: the dictionary layer's "Select * from Runes" (rows as text).
//   ScanOnly30k: walk the rows without decoding fields (page and row table cost).
// Each iteration opens the file anew, as every operation of the program does.
// Whole-process figures against mdb-export: bench/compare-dump.sh.
#include "dictionary/Dictionary.h"
#include "dictionary/Writer.h"
#include "jet/Database.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
constexpr int kRows = 30000;

const std::string& Dictionary30k() {
  static const std::string path = [] {
    const fs::path folder = fs::temp_directory_path() / ("ostrelda-jet-read-bench-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    static const char* const words[] = {"Fehu", "Uruz", "Thurisaz", "Ansuz", "Raidho", "Kaunan", "Gebo", "Wunjo",
                                        "Hagalaz", "Naudiz", "Isaz", "Jera", "Eihwaz", "Perthro", "Algiz", "Sowilo"};
    std::vector<dictionary::Entry> entries;
    for (int i = 0; i < kRows; ++i)
      entries.push_back({std::string(words[i % 16]) + " lore " + std::to_string(i),
                         "https://www.ostrelda.example/ostrelda/ssd.php?page=runes-" + std::to_string(i) +
                             (i % 3 == 0 ? "&section=inscriptions-and-staves" : ""),
                         std::string("astro")});
    const std::string p = (folder / "runes.dll").string();
    dictionary::CreateDictionary(p, entries);
    return p;
  }();
  return path;
}

void ReadAllRows30k(benchmark::State& state) {
  const std::string& path = Dictionary30k();
  for (auto _ : state) {
    auto db = jet::Database::Open(path, dictionary::kDictionaryPassword);
    std::size_t bytes = 0, rows = 0;
    db->table("Runes").forEachRow([&](const std::vector<jet::Value>& row) {
      for (const auto& v : row) bytes += v.data.size();
      ++rows;
    });
    if (rows != kRows) state.SkipWithError("wrong row count");
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(ReadAllRows30k)->Unit(benchmark::kMillisecond);

void OpenRecordset30k(benchmark::State& state) {
  const std::string& path = Dictionary30k();
  for (auto _ : state) {
    auto connection = dictionary::OpenConnection(path);
    auto rs = dictionary::OpenRecordset(connection, "Select * from Runes");
    if (rs.RecordCount() != kRows) state.SkipWithError("wrong row count");
    benchmark::DoNotOptimize(rs);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(OpenRecordset30k)->Unit(benchmark::kMillisecond);

void ScanOnly30k(benchmark::State& state) {
  const std::string& path = Dictionary30k();
  for (auto _ : state) {
    auto db = jet::Database::Open(path, dictionary::kDictionaryPassword);
    jet::Table table = db->table("Runes");
    jet::TableScan scan(db->file(), table.definition());
    std::size_t rows = 0;
    while (scan.next()) ++rows;
    benchmark::DoNotOptimize(rows);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(ScanOnly30k)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
