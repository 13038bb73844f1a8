#include "JsonWriter.h"

#include <cmath>
#include <cstdio>

namespace tool {

void AppendJsonString(std::string& out, std::string_view s) {
  out.push_back('"');
  std::size_t run = 0;  // start of the current stretch needing no escape
  for (std::size_t i = 0; i < s.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c >= 0x20 && c != '"' && c != '\\') continue;
    out.append(s.data() + run, i - run);
    run = i + 1;
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
