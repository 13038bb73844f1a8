// A decoded field value, and the text forms the tools and the dictionary
// layer show. Value objects are meant to be reused row after row: `data`
// keeps its capacity, so a scan allocates only while values grow.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace jet {

enum class ValueKind : std::uint8_t {
  Null,
  Boolean,   // integer 0/1
  Integer,   // byte, integer, long, complex
  Currency,  // integer = amount × 10^4
  Float,     // real (a float widened to double)
  Double,    // real
  DateTime,  // real = days since 1899-12-30
  Text,      // data = UTF-8 (text and memo)
  Binary,    // data = raw bytes (binary and ole)
  Guid,      // data = 16 raw bytes
  Numeric,   // data = decimal string
};

struct Value {
  ValueKind kind = ValueKind::Null;
  std::int64_t integer = 0;
  double real = 0;
  std::string data;

  bool isNull() const { return kind == ValueKind::Null; }
  void setNull() { kind = ValueKind::Null; data.clear(); }
};

// "3.5000": currency with four decimals.
std::string FormatCurrency(std::int64_t tenThousandths);
// "YYYY-MM-DDTHH:MM:SS.mmmZ". A negative value counts its day part back from
// 1899-12-30 and its time part forward, as Access shows it. Returns "" for a
// value no calendar can show (not finite, or beyond ±1e9 days).
std::string FormatDateTime(double days);
// "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx" from the 16 stored bytes (first
// three groups little-endian).
std::string FormatGuid(std::string_view bytes16);
void AppendHex(std::string& out, std::string_view bytes);
// Shortest text that reads back as the same number.
std::string FormatDouble(double d);
std::string FormatFloat(float f);
// The value as text the way a record set hands fields to the program:
// text as stored, numbers in decimal, booleans "True"/"False", dates as
// FormatDateTime, bytes as lower-case hex. Null gives "".
std::string ValueToText(const Value& v);

}  // namespace jet
