// The lookup on a dictionary of 30,000 rows, each iteration from the key
// press (or the fill's call) to the filled keyword list, opening the file
// anew as every command does:
//   FillKeywordList30k: the whole list, as at load or on a blank box.
//   ExactSearch30k: Enter with "fe" in exact mode (prefix matches).
//   WildcardSearch30k: Enter with "r*ai" in wildcard mode (substring "rai").
// And the program itself, started as a process on the same dictionary:
//   StartupToShownList: from process start to the main window shown with
//   its list filled (manual time), with the resident memory after the load
//   (no viewer yet) as the counter rss_mb.
#include "dictionary/Writer.h"
#include "lookup/KeywordTable.h"
#include "lookup/LookupController.h"
#include "lookup/Matching.h"
#include "lookup/SearchPanel.h"
#include "platform/Look.h"
#include "platform/testing/Doubles.h"
#include "viewer/ViewerHost.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <random>

namespace {

constexpr int kRows = 30000;

// Keys made of rune-name syllables, 1 to 3 words, so that prefixes and
// substrings match in realistic proportions.
std::vector<dictionary::Entry> entries30k() {
  static const char* const parts[] = {"fe",  "hu",  "ur",   "uz",  "thur", "is",  "an",  "suz",
                                      "rai", "do",  "ken",  "geb", "wun",  "jo",  "ha",  "gal",
                                      "naud", "ice", "jer",  "eoh", "perth", "al",  "giz", "sow",
                                      "ilo", "tiw", "berk", "an",  "ehw",  "mann", "lag", "ing"};
  std::mt19937 random(7);
  std::uniform_int_distribution<int> part(0, 31), length(2, 4), words(1, 3);
  std::vector<dictionary::Entry> entries;
  entries.reserve(kRows);
  for (int i = 0; i < kRows; ++i) {
    std::string key;
    const int n = words(random);
    for (int w = 0; w < n; ++w) {
      if (w) key += ' ';
      const int k = length(random);
      for (int j = 0; j < k; ++j) key += parts[part(random)];
      if (w == 0) key[0] = char(std::toupper(key[0]));
    }
    entries.push_back({key, "http://www.ostrelda.example/runes/" + std::to_string(i), "astro"});
  }
  return entries;
}

QTemporaryDir& folder30k() {
  static QTemporaryDir folder;
  static const bool made = [] {
    dictionary::CreateDictionary((folder.path() + "/runes.dll").toStdString(), entries30k());
    return true;
  }();
  (void)made;
  return folder;
}

// The search panel with its commands, the viewer behind the browser double.
struct Lookup {
  platform::testing::TestPlatform doubles{folder30k().path()};
  QWidget window;
  lookup::SearchPanel* panel = new lookup::SearchPanel(&window);
  QMdiArea* area = new QMdiArea(&window);
  viewer::ViewerHost viewer{doubles.platform, doubles.state,
                            {&window, panel, nullptr, nullptr, nullptr, panel->txtKey}, area};
  lookup::LookupController controller{*panel, doubles.platform, doubles.state, viewer};
  Lookup() {
    doubles.state.lngConnectionState = 1;
    window.resize(800, 600);
    window.show();
    controller.FormLoad();
  }
  int listed() const { return panel->lstKeys->count(); }
};

// The part of each command that reads the file: open, "Select * from
// Runes", every Key as text.
void ReadKeys30k(benchmark::State& state) {
  for (auto _ : state) {
    const auto table = lookup::KeywordTable::Open(folder30k().path());
    if (table.keys().size() != kRows) state.SkipWithError("wrong row count");
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(ReadKeys30k)->Unit(benchmark::kMillisecond);

// The matching rules alone, on keys already read.
void MatchOnly30k(benchmark::State& state) {
  const QStringList keys = lookup::KeywordTable::Open(folder30k().path()).keys();
  const bool wildcard = state.range(0) == 1;
  qsizetype found = 0;
  for (auto _ : state) {
    found = wildcard ? lookup::WildcardMatches(keys, "r*ai").size()
                     : lookup::ExactMatches(keys, "fe").size();
  }
  state.SetLabel(wildcard ? "wildcard r*ai" : "exact fe");
  state.counters["found"] = double(found);
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(MatchOnly30k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void FillKeywordList30k(benchmark::State& state) {
  Lookup lookup;
  for (auto _ : state) {
    lookup.controller.FillKeywordList();
    if (lookup.listed() != kRows) state.SkipWithError("the list is not full");
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(FillKeywordList30k)->Unit(benchmark::kMillisecond);

void search(benchmark::State& state, QRadioButton* (*mode)(lookup::SearchPanel&),
            const QString& term) {
  Lookup lookup;
  mode(*lookup.panel)->setChecked(true);
  lookup.panel->txtKey->setText(term);
  QTest::keyClick(lookup.panel->txtKey, Qt::Key_Return);  // the viewer's first use, off the clock
  int found = 0;
  for (auto _ : state) {
    QTest::keyClick(lookup.panel->txtKey, Qt::Key_Return);
    found = lookup.listed();
  }
  if (found == 0 || found == kRows) state.SkipWithError("the term should match some keys");
  state.counters["found"] = found;
  state.SetItemsProcessed(state.iterations() * kRows);
}

void ExactSearch30k(benchmark::State& state) {
  search(state, [](lookup::SearchPanel& p) { return p.optExact; }, "fe");
}
BENCHMARK(ExactSearch30k)->Unit(benchmark::kMillisecond);

void WildcardSearch30k(benchmark::State& state) {
  search(state, [](lookup::SearchPanel& p) { return p.optWildCard; }, "r*ai");
}
BENCHMARK(WildcardSearch30k)->Unit(benchmark::kMillisecond);

// The probe is the program's own main window with its production seams,
// which prints once the window shows with its list filled.
void StartupToShownList(benchmark::State& state) {
  const QString probe = QStringLiteral(OSTRELDA_STARTUP_PROBE);
  double rssMb = 0;
  for (auto _ : state) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    process.start(probe, {folder30k().path()});
    if (!process.waitForReadyRead(10000)) {
      state.SkipWithError("the probe said nothing");
      break;
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    const QList<QByteArray> words = process.readLine().trimmed().split(' ');
    process.waitForFinished(10000);
    if (words.size() != 2 || words[0].toInt() != kRows) {
      state.SkipWithError("the list was not filled");
      break;
    }
    rssMb = words[1].toDouble() / 1024.0;
    state.SetIterationTime(seconds);
  }
  state.counters["rss_mb"] = rssMb;
}
BENCHMARK(StartupToShownList)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  platform::installLook();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
