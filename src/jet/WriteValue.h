// A value handed to the write side for one column of a new row.
//   monostate       NULL (false for a boolean column)
//   bool            BOOLEAN
//   std::int64_t    BYTE, INT, LONG, MONEY (in units of 1/10000), DATETIME is not taken as integer
//   double          FLOAT, DOUBLE, DATETIME (days since 1899-12-30), MONEY
//   std::string     TEXT, MEMO (UTF-8); also accepted for numeric columns as decimal text
//   Bytes           BINARY, OLE
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace jet {

using FieldValue = std::variant<std::monostate, bool, std::int64_t, double, std::string, std::vector<std::uint8_t>>;

inline bool IsNull(const FieldValue& v) { return std::holds_alternative<std::monostate>(v); }

}  // namespace jet
