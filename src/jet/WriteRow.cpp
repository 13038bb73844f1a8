#include "jet/WriteRow.h"

#include "jet/WriteError.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace jet {

using namespace wbytes;

namespace {

bool isBoolean(const WriteColumn& c) { return c.type == std::uint8_t(ColumnType::Boolean); }

}  // namespace

std::vector<std::uint8_t> EncodeRow(const WriteFormat& f, const WriteTableDef& table,
                                    const std::vector<StoredCell>& cells) {
  const auto& cols = table.columns();
  const std::uint16_t ncols = table.maxColumns();
  const std::uint16_t nvar = table.varColumns();
  const std::size_t fixedSize = table.fixedAreaSize();
  const std::size_t countSize = f.jet4 ? 2 : 1;

  std::vector<std::uint8_t> row(countSize + fixedSize, 0);
  if (f.jet4)
    put16(row.data(), ncols);
  else
    row[0] = std::uint8_t(ncols);
  std::vector<std::uint8_t> mask((ncols + 7) / 8, 0);
  std::map<std::uint16_t, std::size_t> varBySlot;
  for (std::size_t i = 0; i < cols.size(); ++i) {
    const auto& c = cols[i];
    const bool present = cells[i].has_value();
    if (present) mask.at(c.number / 8) |= std::uint8_t(1u << (c.number % 8));
    if (isBoolean(c)) continue;
    if (c.fixed()) {
      if (present) {
        const auto& d = *cells[i];
        if (d.size() != c.length)
          throw WriteError("Column \"" + c.name + "\": a fixed value of the wrong size.");
        std::memcpy(row.data() + countSize + c.fixedOffset, d.data(), d.size());
      }
    } else {
      varBySlot[c.varSlot] = i;
    }
  }
  std::vector<std::uint32_t> offsets(nvar);
  for (std::uint16_t slot = 0; slot < nvar; ++slot) {
    offsets[slot] = std::uint32_t(row.size());
    auto it = varBySlot.find(slot);
    if (it != varBySlot.end() && cells[it->second]) {
      const auto& d = *cells[it->second];
      row.insert(row.end(), d.begin(), d.end());
    }
  }
  const std::uint32_t eod = std::uint32_t(row.size());
  if (nvar == 0) {
    // No variable columns: count, fixed area, null mask only.
    row.insert(row.end(), mask.begin(), mask.end());
  } else if (f.jet4) {
    append16(row, eod);
    for (int s = nvar - 1; s >= 0; --s) append16(row, offsets[s]);
    append16(row, nvar);
    row.insert(row.end(), mask.begin(), mask.end());
  } else {
    // Jet 3: the length decides the number of jump entries, which adds to it.
    const std::size_t base = row.size() + 1 + nvar + 1 + mask.size();
    std::size_t k = 0;
    while ((base + k - 1) / 256 != k) k = (base + k - 1) / 256;
    std::vector<std::uint8_t> jumps(k, 0xFF);
    for (std::size_t j = 0; j < k; ++j) {
      const std::uint32_t limit = 256 * std::uint32_t(j + 1);
      for (std::uint32_t v = 0; v <= nvar; ++v) {
        const std::uint32_t off = v < nvar ? offsets[v] : eod;
        if (off >= limit) {
          jumps[j] = std::uint8_t(v);
          break;
        }
      }
    }
    row.push_back(std::uint8_t(eod));
    for (int s = nvar - 1; s >= 0; --s) row.push_back(std::uint8_t(offsets[s]));
    for (int j = int(k) - 1; j >= 0; --j) row.push_back(jumps[j]);
    row.push_back(std::uint8_t(nvar));
    row.insert(row.end(), mask.begin(), mask.end());
  }
  if (row.size() > f.maxRowSize)
    throw WriteError("A row of " + std::to_string(row.size()) + " bytes is larger than a page can hold.");
  return row;
}

std::vector<StoredCell> DecodeRow(const WriteFormat& f, const WriteTableDef& table,
                                  const std::vector<std::uint8_t>& row) {
  const auto& cols = table.columns();
  std::vector<StoredCell> out(cols.size());
  const std::size_t countSize = f.jet4 ? 2 : 1;
  if (row.size() < countSize) throw WriteError("A row is shorter than its column count.");
  const std::uint32_t ncols = f.jet4 ? get16(row.data()) : row[0];
  const std::size_t maskSize = (ncols + 7) / 8;
  if (row.size() < countSize + maskSize) throw WriteError("A row is shorter than its null mask.");
  const std::uint8_t* mask = row.data() + row.size() - maskSize;
  bool hasVar = false;
  for (const auto& c : cols)
    if (!c.fixed() && !isBoolean(c)) hasVar = true;
  std::uint32_t nvar = 0;
  std::vector<std::uint32_t> varOff;  // nvar + 1 entries, last = EOD
  if (hasVar) {
    const std::size_t nvarPos = row.size() - maskSize - countSize;
    nvar = f.jet4 ? get16(row.data() + nvarPos) : row[nvarPos];
    if (f.jet4) {
      if (nvarPos < 2 * (nvar + 1)) throw WriteError("A row's variable-column table is cut off.");
      for (std::uint32_t i = 0; i <= nvar; ++i) varOff.push_back(get16(row.data() + nvarPos - 2 - 2 * i));
    } else {
      const std::size_t k = (row.size() - 1) / 256;
      if (nvarPos < k + nvar + 1) throw WriteError("A row's variable-column table is cut off.");
      std::vector<std::uint8_t> jumps(k);
      for (std::size_t j = 0; j < k; ++j) jumps[j] = row[nvarPos - 1 - j];
      for (std::uint32_t i = 0; i <= nvar; ++i) {
        std::uint32_t low = row[nvarPos - 1 - k - i];
        std::uint32_t add = 0;
        for (std::size_t j = 0; j < k; ++j)
          if (jumps[j] != 0xFF && jumps[j] <= i) add += 256;
        varOff.push_back(low + add);
      }
    }
  }
  for (std::size_t i = 0; i < cols.size(); ++i) {
    const auto& c = cols[i];
    if (c.number >= ncols) continue;
    const bool present = mask[c.number / 8] & (1u << (c.number % 8));
    if (!present) continue;
    if (isBoolean(c)) {
      out[i] = std::vector<std::uint8_t>{};
      continue;
    }
    if (c.fixed()) {
      const std::size_t s = countSize + c.fixedOffset;
      if (s + c.length > row.size()) throw WriteError("A fixed column runs past its row.");
      out[i] = std::vector<std::uint8_t>(row.begin() + s, row.begin() + s + c.length);
    } else {
      if (c.varSlot >= nvar) continue;
      const std::uint32_t s = varOff[c.varSlot], e = varOff[c.varSlot + 1];
      if (s > e || e > row.size()) throw WriteError("A variable column runs past its row.");
      out[i] = std::vector<std::uint8_t>(row.begin() + s, row.begin() + e);
    }
  }
  return out;
}

}  // namespace jet
