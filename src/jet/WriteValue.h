// A value handed to the write side for one column of a new row.
//   monostate       NULL (false for a boolean column)
//   bool            BOOLEAN
//   std::int64_t    BYTE, INT, LONG; also whole numbers for the columns below
//   double          FLOAT, DOUBLE, MONEY (currency units), DATETIME (days since
//                   1899-12-30, the fraction the time of day)
//   std::string     TEXT, MEMO (UTF-8); for other columns the text of a value:
//                   a number, "YYYY-MM-DD[ hh:mm[:ss]]" for dates, true/false,
//                   yes/no, on/off or a number for BOOLEAN
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
