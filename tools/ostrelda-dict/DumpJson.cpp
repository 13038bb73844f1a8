// The dump's JSON writer, shared by `ostrelda-dict dump` and the fuzz target.
#include "DumpJson.h"

#include "JsonWriter.h"

#include "jet/LongValue.h"

#include <cstring>

namespace tool {
namespace {

constexpr std::size_t kChunk = 256 * 1024;

// The common case of a dictionary, made fast: a Jet 4 text or memo value
// stored compressed (FF FE + one byte per char) in one piece and holding
// only printable ASCII other than '"' and '\\' is its own JSON text, so it
// is copied as it stands. Returns false (and appends nothing) otherwise.
bool AppendPlainText(std::string& out, const jet::PageFile& file, const jet::Column& column,
                     const jet::FieldSlice& slice, std::uint32_t page, jet::DataPageCache& pages) {
  if (!slice.present || !file.format().jet4()) return false;
  jet::Bytes b;
  if (column.type == std::uint8_t(jet::DataType::Text)) {
    b = slice.bytes;
  } else if (column.type == std::uint8_t(jet::DataType::Memo)) {
    auto piece = jet::LongValueInOnePiece(file, slice.bytes, page, pages);
    if (!piece) return false;
    b = *piece;
  } else {
    return false;
  }
  if (b.size() < 2 || b[0] != 0xFF || b[1] != 0xFE) return false;
  constexpr std::uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
  const auto plainWord = [&](std::size_t at) {
    std::uint64_t w;
    std::memcpy(&w, b.data() + at, 8);
    const std::uint64_t q = w ^ (ones * '"'), s = w ^ (ones * '\\');
    return ((w | ((w - ones * 0x20) & ~w) | ((q - ones) & ~q) | ((s - ones) & ~s)) & highs) == 0;
  };
  const std::size_t n = b.size();
  if (n - 2 >= 8) {
    // Whole words, then the last eight bytes (overlapping) for the tail.
    for (std::size_t i = 2; i + 8 <= n; i += 8)
      if (!plainWord(i)) return false;
    if (!plainWord(n - 8)) return false;
  } else {
    for (std::size_t i = 2; i < n; ++i)
      if (b[i] < 0x20 || b[i] >= 0x80 || b[i] == '"' || b[i] == '\\') return false;
  }
  out.push_back('"');
  out.append(reinterpret_cast<const char*>(b.data()) + 2, b.size() - 2);
  out.push_back('"');
  return true;
}

}  // namespace

void WriteDumpJson(const jet::Database& database, std::ostream& out) {
  const jet::Database* db = &database;
  // The JSON is written in chunks as rows are read (a damaged table found
  // half-way ends the output there, with the error on stderr and status 2).
  std::string text;
  text.reserve(kChunk + 64 * 1024);
  const auto flush = [&] {
    out.write(text.data(), std::streamsize(text.size()));
    text.clear();
  };
  text = "{\"tables\": [";
  bool firstTable = true;
  for (const auto& entry : db->userTables()) {
    jet::Table table = db->table(entry.name);
    text += firstTable ? "\n" : ",\n";
    firstTable = false;
    text += "{\"name\": ";
    AppendJsonString(text, table.name());
    text += ", \"columns\": [";
    bool firstColumn = true;
    for (const auto& c : table.columns()) {
      text += firstColumn ? "{\"name\": " : ", {\"name\": ";
      firstColumn = false;
      AppendJsonString(text, c.name);
      text += ", \"type\": \"";
      text += jet::DataTypeName(c.type);
      text += "\"}";
    }
    text += "],\n \"rows\": [";
    bool firstRow = true;
    const jet::PageFile& file = db->file();
    const auto& columns = table.columns();
    jet::TableScan scan(file, table.definition());
    jet::RowCodec codec(file, table.definition());
    jet::DataPageCache longValuePages;
    std::vector<jet::FieldSlice> slices;
    jet::Value value;
    while (scan.next()) {
      const std::uint32_t page = scan.location().page;
      codec.split(scan.row(), page, slices);
      text += firstRow ? "\n  [" : ",\n  [";
      firstRow = false;
      for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i) text += ", ";
        if (!AppendPlainText(text, file, columns[i], slices[i], page, longValuePages)) {
          codec.decodeField(columns[i], slices[i], page, value);
          AppendJsonValue(text, value);
        }
      }
      text += ']';
      if (text.size() >= kChunk) flush();
    }
    text += "]}";
  }
  text += "\n]}\n";
  flush();
}

}  // namespace tool
