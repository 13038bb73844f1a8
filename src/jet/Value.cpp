#include "jet/Value.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace jet {

std::string FormatCurrency(std::int64_t v) {
  bool negative = v < 0;
  // Magnitude as unsigned so that INT64_MIN is safe.
  std::uint64_t m = negative ? std::uint64_t(0) - std::uint64_t(v) : std::uint64_t(v);
  char buf[40];
  std::snprintf(buf, sizeof buf, "%s%llu.%04llu", negative ? "-" : "", (unsigned long long)(m / 10000),
                (unsigned long long)(m % 10000));
  return buf;
}

namespace {
// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void CivilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = unsigned(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = std::int64_t(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  if (m <= 2) ++y;
}
}  // namespace

std::string FormatDateTime(double days) {
  if (!std::isfinite(days) || std::fabs(days) > 1e9) return std::string();
  // Access: for a negative value the day part counts back, the time forward;
  // on the continuous scale that is trunc(v) + |frac(v)|.
  double linear = days;
  if (days < 0) {
    double whole = std::trunc(days);
    linear = whole + (whole - days);
  }
  constexpr double kEpochDays = 25569;  // 1899-12-30 .. 1970-01-01
  std::int64_t ms = std::llround((linear - kEpochDays) * 86400000.0);
  std::int64_t day = ms >= 0 ? ms / 86400000 : -((-ms + 86400000 - 1) / 86400000);
  std::int64_t msOfDay = ms - day * 86400000;
  std::int64_t y;
  unsigned mo, d;
  CivilFromDays(day, y, mo, d);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04lld-%02u-%02uT%02lld:%02lld:%02lld.%03lldZ", (long long)y, mo, d,
                (long long)(msOfDay / 3600000), (long long)(msOfDay / 60000 % 60), (long long)(msOfDay / 1000 % 60),
                (long long)(msOfDay % 1000));
  return buf;
}

void AppendHex(std::string& out, std::string_view bytes) {
  static const char digits[] = "0123456789abcdef";
  for (unsigned char c : bytes) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
}

std::string FormatGuid(std::string_view b) {
  if (b.size() != 16) {
    std::string s;
    AppendHex(s, b);
    return s;
  }
  auto byte = [&](int i) { return static_cast<unsigned char>(b[i]); };
  char buf[40];
  std::snprintf(buf, sizeof buf, "%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x", byte(3),
                byte(2), byte(1), byte(0), byte(5), byte(4), byte(7), byte(6), byte(8), byte(9), byte(10), byte(11),
                byte(12), byte(13), byte(14), byte(15));
  return buf;
}

std::string FormatDouble(double d) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, d);
  return std::string(buf, r.ptr);
}

std::string FormatFloat(float f) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, f);
  return std::string(buf, r.ptr);
}

std::string ValueToText(const Value& v) {
  switch (v.kind) {
    case ValueKind::Null: return std::string();
    case ValueKind::Boolean: return v.integer ? "True" : "False";
    case ValueKind::Integer: return std::to_string(v.integer);
    case ValueKind::Currency: return FormatCurrency(v.integer);
    case ValueKind::Float: return FormatFloat(float(v.real));
    case ValueKind::Double: return FormatDouble(v.real);
    case ValueKind::DateTime: return FormatDateTime(v.real);
    case ValueKind::Text: return v.data;
    case ValueKind::Binary: {
      std::string s;
      AppendHex(s, v.data);
      return s;
    }
    case ValueKind::Guid: return FormatGuid(v.data);
    case ValueKind::Numeric: return v.data;
  }
  return std::string();
}

}  // namespace jet
