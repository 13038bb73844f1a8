// Jet 3 without Access-written files: a database built byte by byte
// (Jet3Fixture.h) reads back as built, rows past 256 bytes included.
#include "Jet3Fixture.h"

#include "jet/Database.h"
#include "jet/StructureCheck.h"

#include <gtest/gtest.h>

namespace {

TEST(Jet3Fixture, ReadsBackEveryColumnAsBuilt) {
  std::vector<jet3fixture::Row> rows = {
      {1, true, 36526.5, 35000, std::string("Fehu"), std::string("https://example.org/fehu"), std::string("astro")},
      {-2, false, -1.25, -1, std::nullopt, std::nullopt, std::nullopt},
      {3, true, 0, 0, std::string(250, 'k'), std::string(900, 'l'), std::string(50, 'n')},  // jump table, LVAL row
      {4, false, 1, 1, std::string(120, 'x'), std::string("short"), std::string("")},
  };
  auto db = jet::Database::FromBytes(jet3fixture::Build(rows), "");
  EXPECT_EQ(db->format().version, jet::JetVersion::Jet3);
  ASSERT_EQ(db->userTables().size(), 1u);
  jet::Table table = db->table("runes");
  std::vector<std::string> names;
  for (const auto& c : table.columns()) names.push_back(c.name);
  EXPECT_EQ(names, (std::vector<std::string>{"N", "Key", "Flag", "Link", "When", "Names", "Money"}));
  std::vector<std::vector<std::string>> got;
  table.forEachRow([&](const std::vector<jet::Value>& values) {
    std::vector<std::string> row;
    for (const auto& v : values) row.push_back(v.isNull() ? "<null>" : jet::ValueToText(v));
    got.push_back(row);
  });
  const std::vector<std::vector<std::string>> want = {
      {"1", "Fehu", "True", "https://example.org/fehu", "2000-01-01T12:00:00.000Z", "astro", "3.5000"},
      {"-2", "<null>", "False", "<null>", "1899-12-29T06:00:00.000Z", "<null>", "-0.0001"},
      {"3", std::string(250, 'k'), "True", std::string(900, 'l'), "1899-12-30T00:00:00.000Z", std::string(50, 'n'),
       "0.0000"},
      {"4", std::string(120, 'x'), "False", "short", "1899-12-31T00:00:00.000Z", "", "0.0001"},
  };
  EXPECT_EQ(got, want);
  const auto problems = jet::CheckStructure(db->file());
  for (const auto& p : problems) ADD_FAILURE() << p.message;
}

}  // namespace
