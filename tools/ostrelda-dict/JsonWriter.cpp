#include "JsonWriter.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace tool {

namespace {
// True when any of the 8 bytes in `w` needs escaping: < 0x20, '"' or '\\'.
inline bool NeedsEscape(std::uint64_t w) {
  constexpr std::uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
  const std::uint64_t control = (w - ones * 0x20) & ~w;  // high bit where byte < 0x20 (for bytes < 0x80)
  const std::uint64_t q = w ^ (ones * '"'), b = w ^ (ones * '\\');
  const std::uint64_t quote = (q - ones) & ~q, backslash = (b - ones) & ~b;
  return ((control | quote | backslash) & highs) != 0;
}
}  // namespace

void AppendJsonString(std::string& out, std::string_view s) {
  out.push_back('"');
  std::size_t run = 0;  // start of the current stretch needing no escape
  std::size_t i = 0;
  while (i < s.size()) {
    // Eight bytes at a time while none of them needs an escape.
    while (i + 8 <= s.size()) {
      std::uint64_t w;
      std::memcpy(&w, s.data() + i, 8);
      if (NeedsEscape(w)) break;
      i += 8;
    }
    if (i >= s.size()) break;
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c >= 0x20 && c != '"' && c != '\\') {
      ++i;
      continue;
    }
    out.append(s.data() + run, i - run);
    run = i + 1;
    ++i;
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\u%04x", c);
        out += buf;
      }
    }
  }
  out.append(s.data() + run, s.size() - run);
  out.push_back('"');
}

void AppendJsonValue(std::string& out, const jet::Value& v) {
  using jet::ValueKind;
  switch (v.kind) {
    case ValueKind::Null: out += "null"; return;
    case ValueKind::Boolean: out += v.integer ? "true" : "false"; return;
    case ValueKind::Integer: out += std::to_string(v.integer); return;
    case ValueKind::Float:
    case ValueKind::Double:
      // JSON has no NaN or infinity.
      if (!std::isfinite(v.real)) out += "null";
      else out += v.kind == ValueKind::Float ? jet::FormatFloat(float(v.real)) : jet::FormatDouble(v.real);
      return;
    case ValueKind::Currency: AppendJsonString(out, jet::FormatCurrency(v.integer)); return;
    case ValueKind::DateTime: {
      std::string text = jet::FormatDateTime(v.real);
      if (text.empty()) out += "null";
      else AppendJsonString(out, text);
      return;
    }
    case ValueKind::Text: AppendJsonString(out, v.data); return;
    case ValueKind::Binary: {
      out.push_back('"');
      jet::AppendHex(out, v.data);
      out.push_back('"');
      return;
    }
    case ValueKind::Guid: AppendJsonString(out, jet::FormatGuid(v.data)); return;
    case ValueKind::Numeric: AppendJsonString(out, v.data); return;
  }
}

}  // namespace tool
