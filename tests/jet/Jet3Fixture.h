// Builds a small Jet 3 (Access 97) database from nothing, byte by byte, so
// that Jet 3 reading can be tested (and fuzzed) without Access-written files:
//   page 0 header, 1 global usage map, 2 MSysObjects TDEF, 3 usage maps,
//   4 catalog rows, 5 table TDEF, 6 table rows, 7 LVAL page.
// The table "Runes" has fixed columns N (long), Flag (boolean), When
// (datetime), Money (currency) and variable columns Key (text 255), Link
// (memo), Names (text 50). Rows longer than 255 bytes get a jump table.
#pragma once

#include "jet/Format.h"
#include "jet/Header.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace jet3fixture {

struct Row {
  std::int32_t n = 0;
  bool flag = false;
  double when = 0;
  std::int64_t money = 0;  // × 10^4
  std::optional<std::string> key, link, names;  // Latin-1 (code page 1252, ASCII in practice)
};

class Builder {
 public:
  static constexpr std::uint32_t kPage = 2048;
  static constexpr std::uint32_t kPages = 8;

  std::vector<std::uint8_t> build(const std::vector<Row>& rows) {
    bytes_.assign(kPage * kPages, 0);
    header();
    globalMap();
    catalogDefinition();
    usageMaps();
    catalogRows();
    tableDefinition();
    tableRows(rows);
    jet::ApplyHeaderMask(bytes_.data(), jet::Format::Jet3());
    return bytes_;
  }

 private:
  std::uint8_t* page(std::uint32_t n) { return bytes_.data() + std::size_t(n) * kPage; }
  static void put16(std::uint8_t* p, std::uint32_t v) { p[0] = std::uint8_t(v); p[1] = std::uint8_t(v >> 8); }
  static void put32(std::uint8_t* p, std::uint32_t v) { put16(p, v); put16(p + 2, v >> 16); }

  void header() {
    std::uint8_t* p = page(0);
    p[1] = 1;
    std::memcpy(p + 4, "Standard Jet DB", 16);
    p[0x14] = 0;  // Jet 3
    put16(p + 0x3A, 0x0409);
    put16(p + 0x3C, 1252);
  }

  // A data page's header and rows (row 0 at the end of the page).
  void dataPage(std::uint32_t n, std::uint32_t owner, const std::vector<std::vector<std::uint8_t>>& rows,
                bool lval = false) {
    std::uint8_t* p = page(n);
    p[0] = 1;
    p[1] = 1;
    if (lval) std::memcpy(p + 4, "LVAL", 4);
    else put32(p + 4, owner);
    put16(p + 8, std::uint32_t(rows.size()));
    std::uint32_t end = kPage;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const std::uint32_t start = end - std::uint32_t(rows[i].size());
      std::memcpy(p + start, rows[i].data(), rows[i].size());
      put16(p + 10 + 2 * i, start);
      end = start;
    }
    put16(p + 2, end - (10 + 2 * std::uint32_t(rows.size())));
  }

  static std::vector<std::uint8_t> inlineMap(std::uint32_t start, std::initializer_list<std::uint32_t> pages,
                                             std::uint32_t freeFrom = 0xFFFFFFFF) {
    std::vector<std::uint8_t> row(5 + 128, 0);
    put32(row.data() + 1, start);
    for (std::uint32_t p : pages) row[5 + (p - start) / 8] |= std::uint8_t(1u << ((p - start) % 8));
    for (std::uint32_t p = freeFrom; p < start + 1024 && freeFrom != 0xFFFFFFFF; ++p)
      row[5 + (p - start) / 8] |= std::uint8_t(1u << ((p - start) % 8));
    return row;
  }

  // Page 1 row 0: pages at and past the end of the file are free.
  void globalMap() { dataPage(1, 1, {inlineMap(0, {}, kPages)}); }

  // Page 3: owned and free maps of MSysObjects (rows 0, 1) and Runes (2, 3).
  void usageMaps() { dataPage(3, 0, {inlineMap(0, {4}), inlineMap(0, {4}), inlineMap(0, {6}), inlineMap(0, {6})}); }

  struct ColumnSpec {
    const char* name;
    std::uint8_t type;
    std::uint16_t number, varSlot, fixedOffset, length;
    bool fixed;
  };

  // A TDEF page with the given columns and map rows.
  void definition(std::uint32_t n, char tableType, std::uint32_t rowCount, const std::vector<ColumnSpec>& columns,
                  std::uint32_t ownedRow, std::uint32_t freeRow) {
    const jet::Format& f = jet::Format::Jet3();
    std::uint8_t* p = page(n);
    p[0] = 2;
    p[1] = 1;
    p[2] = 'V';
    p[3] = 'C';
    std::uint16_t vars = 0;
    for (const auto& c : columns) vars += c.fixed ? 0 : 1;
    put32(p + f.tdefRowCount, rowCount);
    p[f.tdefTableType] = std::uint8_t(tableType);
    put16(p + f.tdefMaxColumns, std::uint32_t(columns.size()));
    put16(p + f.tdefVarColumns, vars);
    put16(p + f.tdefColumns, std::uint32_t(columns.size()));
    put32(p + f.tdefOwnedMap, (3u << 8) | ownedRow);
    put32(p + f.tdefFreeMap, (3u << 8) | freeRow);
    std::uint32_t pos = f.tdefHeaderEnd;
    for (const auto& c : columns) {
      std::uint8_t* d = p + pos;
      d[f.colType] = c.type;
      put16(d + f.colNumber, c.number);
      put16(d + f.colVarSlot, c.varSlot);
      put16(d + f.colRowNumber, c.number);
      put16(d + f.colSortOrder, 0x0409);
      d[f.colFlags] = std::uint8_t((c.fixed ? 0x01 : 0) | 0x02);
      put16(d + f.colFixedOffset, c.fixedOffset);
      put16(d + f.colLength, c.length);
      pos += f.columnSize;
    }
    for (const auto& c : columns) {
      const std::size_t len = std::strlen(c.name);
      p[pos++] = std::uint8_t(len);
      std::memcpy(p + pos, c.name, len);
      pos += std::uint32_t(len);
    }
    put16(p + pos, 0xFFFF);
    pos += 2;
    put32(p + f.tdefLength, pos);
  }

  void catalogDefinition() {
    definition(2, 'S', 3,
               {{"Id", 0x04, 0, 0, 0, 4, true},
                {"ParentId", 0x04, 1, 0, 4, 4, true},
                {"Name", 0x0A, 2, 0, 0, 255, false},
                {"Type", 0x03, 3, 0, 8, 2, true},
                {"Flags", 0x04, 4, 0, 10, 4, true}},
               0, 1);
  }

  void tableDefinition() {
    definition(5, 'N', 0,
               {{"N", 0x04, 0, 0, 0, 4, true},
                {"Key", 0x0A, 1, 0, 0, 255, false},
                {"Flag", 0x01, 2, 0, 0, 0, true},
                {"Link", 0x0C, 3, 1, 0, 0, false},
                {"When", 0x08, 4, 0, 4, 8, true},
                {"Names", 0x0A, 5, 2, 0, 50, false},
                {"Money", 0x05, 6, 0, 12, 8, true}},
               2, 3);
  }

  // A Jet 3 row: u8 ncols | fixed | var data | EOD | var_off[nvar-1..0] |
  // jump[k-1..0] | u8 nvar | null mask; offsets are low bytes, jump[j] = the
  // first var index (EOD = nvar) whose offset is ≥ 256·(j+1).
  static std::vector<std::uint8_t> row(std::uint8_t ncols, const std::vector<std::uint8_t>& fixed,
                                       const std::vector<std::optional<std::vector<std::uint8_t>>>& vars,
                                       const std::vector<bool>& present) {
    std::vector<std::uint8_t> r{ncols};
    r.insert(r.end(), fixed.begin(), fixed.end());
    std::vector<std::uint32_t> offsets;
    for (const auto& v : vars) {
      offsets.push_back(std::uint32_t(r.size()));
      if (v) r.insert(r.end(), v->begin(), v->end());
    }
    offsets.push_back(std::uint32_t(r.size()));  // EOD
    const std::size_t nvar = vars.size(), mask = (ncols + 7) / 8;
    const std::size_t base = r.size() + 1 + nvar + 1 + mask;
    std::size_t k = 0;
    while ((base + k - 1) / 256 > k) ++k;
    std::vector<std::uint8_t> jumps(k, 0xFF);
    for (std::size_t j = 0; j < k; ++j)
      for (std::size_t i = 0; i <= nvar; ++i)
        if (offsets[i] >= 256 * (j + 1)) {
          jumps[j] = std::uint8_t(i);
          break;
        }
    for (std::size_t i = nvar + 1; i-- > 0;) r.push_back(std::uint8_t(offsets[i]));
    for (std::size_t j = k; j-- > 0;) r.push_back(jumps[j]);
    r.push_back(std::uint8_t(nvar));
    std::vector<std::uint8_t> m(mask, 0);
    for (std::size_t c = 0; c < present.size(); ++c)
      if (present[c]) m[c / 8] |= std::uint8_t(1u << (c % 8));
    r.insert(r.end(), m.begin(), m.end());
    return r;
  }

  static std::vector<std::uint8_t> text(const std::string& s) { return std::vector<std::uint8_t>(s.begin(), s.end()); }
  static void append32(std::vector<std::uint8_t>& v, std::uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(std::uint8_t(x >> (8 * i)));
  }

  void catalogRows() {
    struct Object { std::uint32_t id, parent; const char* name; std::uint16_t type; std::uint32_t flags; };
    const Object objects[] = {{0x0F000001u, 0x0F000000u, "Tables", 3, 0x80000000u},
                              {2, 0x0F000001u, "MSysObjects", 1, 0x80000000u},
                              {5, 0x0F000001u, "Runes", 1, 0}};
    std::vector<std::vector<std::uint8_t>> rows;
    for (const auto& o : objects) {
      std::vector<std::uint8_t> fixed;
      append32(fixed, o.id);
      append32(fixed, o.parent);
      fixed.push_back(std::uint8_t(o.type));
      fixed.push_back(std::uint8_t(o.type >> 8));
      append32(fixed, o.flags);
      rows.push_back(row(5, fixed, {text(o.name)}, {true, true, true, true, true}));
    }
    dataPage(4, 2, rows);
  }

  void tableRows(const std::vector<Row>& input) {
    std::vector<std::vector<std::uint8_t>> rows, longValues;
    for (const auto& in : input) {
      std::vector<std::uint8_t> fixed;
      append32(fixed, std::uint32_t(in.n));
      std::uint64_t bits;
      std::memcpy(&bits, &in.when, 8);
      append32(fixed, std::uint32_t(bits));
      append32(fixed, std::uint32_t(bits >> 32));
      append32(fixed, std::uint32_t(std::uint64_t(in.money)));
      append32(fixed, std::uint32_t(std::uint64_t(in.money) >> 32));
      std::optional<std::vector<std::uint8_t>> link;
      if (in.link) {
        // Short memos inline; longer ones in one LVAL row of page 7.
        std::vector<std::uint8_t> field;
        const bool inlined = in.link->size() <= 40;
        append32(field, std::uint32_t(in.link->size()) | (inlined ? 0x80000000u : 0x40000000u));
        append32(field, inlined ? 0 : (7u << 8) | std::uint32_t(longValues.size()));
        append32(field, 0);
        if (inlined) field.insert(field.end(), in.link->begin(), in.link->end());
        else longValues.push_back(text(*in.link));
        link = field;
      }
      auto opt = [](const std::optional<std::string>& s) {
        return s ? std::optional(text(*s)) : std::optional<std::vector<std::uint8_t>>();
      };
      rows.push_back(row(7, fixed, {opt(in.key), link, opt(in.names)},
                         {true, bool(in.key), in.flag, bool(in.link), true, bool(in.names), true}));
    }
    dataPage(6, 5, rows);
    dataPage(7, 0, longValues, true);
    jet::Format const& f = jet::Format::Jet3();
    put32(page(5) + f.tdefRowCount, std::uint32_t(input.size()));
  }

  std::vector<std::uint8_t> bytes_;
};

inline std::vector<std::uint8_t> Build(const std::vector<Row>& rows) { return Builder().build(rows); }

}  // namespace jet3fixture
