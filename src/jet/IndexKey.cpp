#include "jet/IndexKey.h"

#include "jet/WriteText.h"

#include <array>
#include <cmath>

namespace jet {

namespace {

// Jet 4 General (legacy) codes for printable ASCII 0x20..0x7E; 0 = the
// character is not "simple" (handled separately), 2-byte codes as 0x2Bxx.
constexpr std::uint16_t kGeneralCodes[95] = {
    0x07,   0x09,   0x0A,   0x0C,   0x0E,   0x10,   0x12,   0,      // space ! " # $ % & '
    0x14,   0x16,   0x18,   0x2C,   0x1A,   0,      0x1C,   0x1E,   // ( ) * + , - . /
    0x36,   0x38,   0x3A,   0x3C,   0x3E,   0x40,   0x42,   0x44,   // 0-7
    0x46,   0x48,   0x20,   0x22,   0x2E,   0x30,   0x32,   0x24,   // 8 9 : ; < = > ?
    0x26,   0x4A,   0x4C,   0x4D,   0x4F,   0x51,   0x53,   0x55,   // @ A-G
    0x57,   0x59,   0x5B,   0x5C,   0x5E,   0x60,   0x62,   0x64,   // H-O
    0x66,   0x68,   0x69,   0x6B,   0x6D,   0x6F,   0x71,   0x73,   // P-W
    0x75,   0x76,   0x78,   0x27,   0x29,   0x2A,   0x2B02, 0x2B03, // X Y Z [ \ ] ^ _
    0x2B07, 0x4A,   0x4C,   0x4D,   0x4F,   0x51,   0x53,   0x55,   // ` a-g
    0x57,   0x59,   0x5B,   0x5C,   0x5E,   0x60,   0x62,   0x64,   // h-o
    0x66,   0x68,   0x69,   0x6B,   0x6D,   0x6F,   0x71,   0x73,   // p-w
    0x75,   0x76,   0x78,   0x2B09, 0x2B0B, 0x2B0D, 0x2B0F,         // x y z { | } ~
};

// Jet 3 General 97 letters A..Z.
constexpr std::uint8_t kGeneral97Letters[26] = {0x60, 0x61, 0x62, 0x64, 0x66, 0x67, 0x68, 0x69, 0x6A,
                                                0x6B, 0x6C, 0x6D, 0x6F, 0x70, 0x72, 0x73, 0x74, 0x75,
                                                0x76, 0x77, 0x78, 0x7A, 0x7B, 0x7C, 0x7D, 0x7E};

[[noreturn]] void refuse(char16_t c) {
  std::string ch = Utf16ToUtf8(std::u16string(1, c));
  char hex[16];
  std::snprintf(hex, sizeof hex, "U+%04X", unsigned(c));
  throw UnsupportedKeyError("The character \"" + ch + "\" (" + hex +
                            ") cannot be placed in a text index: only printable ASCII is supported.");
}

std::uint8_t general97Code(char16_t c) {
  if (c >= 0x20 && c <= 0x2F) return std::uint8_t(0x11 + (c - 0x20));
  if (c >= ':' && c <= '@') return std::uint8_t(0x21 + (c - ':'));
  if (c >= '[' && c <= '`') return std::uint8_t(0x28 + (c - '['));
  if (c >= '{' && c <= '~') return std::uint8_t(0x2E + (c - '{'));
  if (c >= '0' && c <= '9') return std::uint8_t(0x56 + (c - '0'));
  if (c >= 'A' && c <= 'Z') return kGeneral97Letters[c - 'A'];
  if (c >= 'a' && c <= 'z') return kGeneral97Letters[c - 'a'];
  refuse(c);
}

}  // namespace

std::vector<std::uint8_t> GeneralTextKey(std::u16string_view text, bool jet4) {
  // Trailing spaces do not count; at most 255 characters take part.
  std::size_t n = text.size();
  while (n > 0 && text[n - 1] == u' ') --n;
  if (n > 255) n = 255;
  std::vector<std::uint8_t> out;
  if (!jet4) {
    for (std::size_t i = 0; i < n; ++i)
      if (text[i] != 0) out.push_back(general97Code(text[i]));
    out.push_back(0x00);
    return out;
  }
  struct Unprintable {
    std::uint32_t position;
    std::uint8_t code;
  };
  std::vector<Unprintable> extra;
  std::uint32_t inlineCount = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t c = text[i];
    if (c == 0) continue;
    if (c >= 0x09 && c <= 0x0D) {  // TAB LF VT FF CR
      out.push_back(0x80);
      out.push_back(std::uint8_t(0x03 + (c - 0x09)));
      ++inlineCount;
      continue;
    }
    if (c == u'\'' || c == u'-') {
      extra.push_back({inlineCount, std::uint8_t(c == u'\'' ? 0x80 : 0x82)});
      continue;
    }
    if (c < 0x20 || c > 0x7E) refuse(c);
    const std::uint16_t code = kGeneralCodes[c - 0x20];
    if (code > 0xFF) out.push_back(std::uint8_t(code >> 8));
    out.push_back(std::uint8_t(code));
    ++inlineCount;
  }
  out.push_back(0x01);
  if (!extra.empty()) {
    out.push_back(0x01);
    out.push_back(0x01);
    out.push_back(0x01);
    for (const auto& u : extra) {
      const std::uint16_t v = std::uint16_t(0x8000 | (7 + 4 * u.position));
      out.push_back(std::uint8_t(v >> 8));
      out.push_back(std::uint8_t(v));
      out.push_back(0x06);
      out.push_back(u.code);
    }
  }
  out.push_back(0x00);
  return out;
}

namespace {

std::int64_t integerOf(const WriteColumn& c, const FieldValue& v) {
  if (auto i = std::get_if<std::int64_t>(&v)) return *i;
  if (auto d = std::get_if<double>(&v)) {
    if (std::floor(*d) == *d) return std::int64_t(*d);
  }
  if (auto s = std::get_if<std::string>(&v)) {
    try {
      std::size_t used = 0;
      long long x = std::stoll(*s, &used);
      if (used == s->size()) return x;
    } catch (...) {
    }
  }
  throw WriteError("Column \"" + c.name + "\" needs a whole number.");
}

}  // namespace

void AppendIndexKey(std::vector<std::uint8_t>& key, bool jet4, const WriteColumn& c, const FieldValue& value,
                    bool ascending) {
  const auto type = ColumnType(c.type);
  if (type == ColumnType::Boolean) {
    const bool on = std::holds_alternative<bool>(value) && std::get<bool>(value);
    key.push_back(ascending ? 0x7F : 0x80);
    key.push_back(ascending ? (on ? 0x00 : 0xFF) : (on ? 0xFF : 0x00));
    return;
  }
  if (IsNull(value)) {
    key.push_back(ascending ? 0x00 : 0xFF);
    return;
  }
  std::vector<std::uint8_t> body;
  switch (type) {
    case ColumnType::Byte:
      body.push_back(std::uint8_t(integerOf(c, value)));
      break;
    case ColumnType::Int:
    case ColumnType::Long:
    case ColumnType::Money: {
      const int bytes = type == ColumnType::Int ? 2 : type == ColumnType::Long ? 4 : 8;
      std::int64_t x = integerOf(c, value);
      if (type == ColumnType::Money) x *= 10000;
      std::uint64_t u = static_cast<std::uint64_t>(x);
      for (int i = bytes - 1; i >= 0; --i) body.push_back(std::uint8_t(u >> (8 * i)));
      body[0] ^= 0x80;
      break;
    }
    case ColumnType::Text: {
      if (!ascending)
        throw UnsupportedKeyError("Column \"" + c.name + "\" is in a descending text index, which cannot be maintained.");
      if (jet4 && !(c.sortOrder == 0x0409 && c.sortVersion == 0))
        throw UnsupportedKeyError("Column \"" + c.name + "\" uses a sort order other than General; its index cannot be maintained.");
      if (!jet4 && c.sortOrder != 0x0409)
        throw UnsupportedKeyError("Column \"" + c.name + "\" uses a sort order other than General; its index cannot be maintained.");
      const std::string* s = std::get_if<std::string>(&value);
      if (!s) throw WriteError("Column \"" + c.name + "\" needs text.");
      try {
        body = GeneralTextKey(Utf8ToUtf16(*s), jet4);
      } catch (const UnsupportedKeyError& e) {
        throw UnsupportedKeyError("Column \"" + c.name + "\": " + e.what());
      }
      break;
    }
    default:
      throw UnsupportedKeyError("Column \"" + c.name + "\" is in an index of a type that cannot be maintained (type " +
                                std::to_string(c.type) + ").");
  }
  key.push_back(ascending ? 0x7F : 0x80);
  for (std::uint8_t b : body) key.push_back(ascending ? b : std::uint8_t(~b));
}

}  // namespace jet
