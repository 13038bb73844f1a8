#include "jet/Column.h"

namespace jet {

std::string_view DataTypeName(std::uint8_t code) {
  switch (DataType(code)) {
    case DataType::Boolean: return "boolean";
    case DataType::Byte: return "byte";
    case DataType::Integer: return "integer";
    case DataType::Long: return "long";
    case DataType::Currency: return "currency";
    case DataType::Float: return "float";
    case DataType::Double: return "double";
    case DataType::DateTime: return "datetime";
    case DataType::Binary: return "binary";
    case DataType::Text: return "text";
    case DataType::Ole: return "ole";
    case DataType::Memo: return "memo";
    case DataType::Guid: return "repid";
    case DataType::Numeric: return "numeric";
    case DataType::Complex: return "complex";
  }
  return "unknown";
}

std::uint32_t FixedSizeOf(std::uint8_t code) {
  switch (DataType(code)) {
    case DataType::Byte: return 1;
    case DataType::Integer: return 2;
    case DataType::Long: return 4;
    case DataType::Currency: return 8;
    case DataType::Float: return 4;
    case DataType::Double: return 8;
    case DataType::DateTime: return 8;
    case DataType::Guid: return 16;
    case DataType::Numeric: return 17;
    case DataType::Complex: return 4;
    default: return 0;
  }
}

}  // namespace jet
