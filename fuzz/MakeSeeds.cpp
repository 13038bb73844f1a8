// Writes the fuzzer's seed files into a folder: small Jet 4 databases made by
// our own writer (no shared test files), covering every column type, empty
// and NULL values, long values inline / in one LVAL row / in chains, several
// pages of rows, indexes, a password, and RC4-encoded pages; and a Jet 3
// database built byte by byte (tests/jet/Jet3Fixture.h) with jump tables.
//   make_fuzz_seeds OUTPUT_FOLDER
#include "Jet3Fixture.h"
#include "jet/DatabaseWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace jet;
namespace fs = std::filesystem;

namespace {

struct Seed {
  std::string name;
  std::string password;
  std::uint32_t encodingKey;
  TableSpec spec;
  std::vector<std::vector<FieldValue>> rows;
};

std::vector<Seed> Seeds() {
  using T = ColumnType;
  std::vector<Seed> seeds;
  const TableSpec runes{"Runes", {{"Key", T::Text, 255}, {"Link", T::Memo}, {"Names", T::Text, 50}}, {}};
  seeds.push_back({"empty", "", 0, runes, {}});
  seeds.push_back({"runes", "Q8mVt2LrNw6Xk4PsZd", 0, runes,
                   {{std::string("Fehu"), std::string("https://example.org/fehu"), std::string("astro")},
                    {std::string("\xE1\x9A\xA0 Uruz"), std::monostate{}, std::string("")},
                    {std::string("Thurisaz"), std::string(3000, 'L'), std::monostate{}},
                    {std::string("Ansuz"), std::string(9000, 'C'), std::string("astro")}}});
  seeds.push_back({"encoded", "secret", 0x5A17C0DEu, runes,
                   {{std::string("Raido"), std::string("short"), std::string("astro")},
                    {std::string("Kenaz"), std::string(5000, 'k'), std::string("astro")}}});
  {
    Seed s{"types", "", 0,
           {"AllTypes",
            {{"Id", T::Long, 0, true},
             {"Flag", T::Boolean},
             {"Small", T::Byte},
             {"Short", T::Int},
             {"Money", T::Money},
             {"Single", T::Float},
             {"Real", T::Double},
             {"When", T::DateTime},
             {"Raw", T::Binary, 16},
             {"Name", T::Text, 40},
             {"Picture", T::Ole},
             {"Note", T::Memo}},
            {{"PrimaryKey", {{"Id", true}}, true, true}, {"ByName", {{"Name", true}}, false, false}}},
           {}};
    for (int i = 0; i < 3; ++i)
      s.rows.push_back({std::monostate{}, i % 2 == 0, std::int64_t(i), std::int64_t(-i * 100), 35000.0 + i, 1.5 * i,
                        -2.25 * i, 44568.5 + i, std::vector<std::uint8_t>{1, 2, 3, std::uint8_t(i)},
                        "row " + std::to_string(i), std::vector<std::uint8_t>(i * 2000, 0xAB),
                        std::string(i * 40, 'n')});
    seeds.push_back(s);
  }
  {
    Seed s{"pages", "", 0, {"Many", {{"N", T::Long}, {"Word", T::Text, 20}}, {{"ByN", {{"N", false}}, false, false}}}, {}};
    for (int i = 0; i < 400; ++i) s.rows.push_back({std::int64_t(i), "w" + std::to_string(i * 7)});
    seeds.push_back(s);
  }
  return seeds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds OUTPUT_FOLDER\n");
    return 2;
  }
  const fs::path out = argv[1];
  fs::create_directories(out);
  for (const auto& seed : Seeds()) {
    const fs::path path = out / (seed.name + ".mdb");
    fs::remove(path);
    auto w = DatabaseWriter::Create(path.string(), seed.password);
    w.image().setEncodingKey(seed.encodingKey);
    w.createTable(seed.spec);
    if (!seed.rows.empty()) {
      auto a = w.appender(seed.spec.name);
      for (const auto& row : seed.rows) a.Append(row);
      a.Finish();
    }
    w.Commit();
  }
  const std::vector<jet3fixture::Row> jet3Rows = {
      {1, true, 36526.5, 35000, std::string("Fehu"), std::string("https://example.org/fehu"), std::string("astro")},
      {-2, false, -1.25, -1, std::nullopt, std::nullopt, std::nullopt},
      {3, true, 0, 0, std::string(250, 'k'), std::string(900, 'l'), std::string(50, 'n')},
  };
  const auto jet3 = jet3fixture::Build(jet3Rows);
  std::ofstream(out / "jet3.mdb", std::ios::binary).write(reinterpret_cast<const char*>(jet3.data()),
                                                          std::streamsize(jet3.size()));
  return 0;
}
