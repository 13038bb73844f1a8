#include "jet/WriteText.h"

#include "jet/WriteError.h"

namespace jet {

namespace {

// Code page 1252 bytes 0x80..0x9F map to these code points (0 = undefined).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out.push_back(char(c));
  } else if (c < 0x800) {
    out.push_back(char(0xC0 | (c >> 6)));
    out.push_back(char(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(char(0xE0 | (c >> 12)));
    out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(char(0x80 | (c & 0x3F)));
  } else {
    out.push_back(char(0xF0 | (c >> 18)));
    out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(char(0x80 | (c & 0x3F)));
  }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    std::uint32_t cp;
    int extra;
    if (c < 0x80) {
      cp = c;
      extra = 0;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F;
      extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F;
      extra = 2;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07;
      extra = 3;
    } else {
      throw WriteError("The text is not valid UTF-8.");
    }
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= s.size()) throw WriteError("The text is not valid UTF-8 (cut off).");
      const unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) throw WriteError("The text is not valid UTF-8.");
      cp = (cp << 6) | (cc & 0x3F);
    }
    i += 1 + extra;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(char16_t(0xD800 + (cp >> 10)));
      out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(char16_t(cp));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    std::uint32_t c = s[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    }
    appendUtf8(out, c);
  }
  return out;
}

std::string Utf16LeToUtf8(const std::uint8_t* b, std::size_t length) {
  std::u16string u;
  for (std::size_t i = 0; i + 1 < length; i += 2) u.push_back(char16_t(b[i] | (b[i + 1] << 8)));
  return Utf16ToUtf8(u);
}

std::string Cp1252ToUtf8(const std::uint8_t* b, std::size_t length) {
  std::string out;
  for (std::size_t i = 0; i < length; ++i) {
    std::uint32_t c = b[i];
    if (c >= 0x80 && c < 0xA0 && kCp1252High[c - 0x80]) c = kCp1252High[c - 0x80];
    appendUtf8(out, c);
  }
  return out;
}

std::vector<std::uint8_t> Utf16ToCp1252(std::u16string_view s) {
  std::vector<std::uint8_t> out;
  out.reserve(s.size());
  for (char16_t c : s) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out.push_back(std::uint8_t(c));
      continue;
    }
    bool found = false;
    for (int k = 0; k < 32; ++k)
      if (kCp1252High[k] == c && c != 0) {
        out.push_back(std::uint8_t(0x80 + k));
        found = true;
        break;
      }
    if (!found) {
      std::string ch;
      appendUtf8(ch, c);
      throw WriteError("The character \"" + ch + "\" cannot be stored in this Access 97 file (code page 1252).");
    }
  }
  return out;
}

bool EqualsIgnoreCaseAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::vector<std::uint8_t> EncodeJet4Text(std::u16string_view text, bool compressible) {
  std::vector<std::uint8_t> out;
  bool compress = compressible && text.size() > 2 && text.size() <= 1024;
  if (compress)
    for (char16_t c : text)
      if (c == 0 || c > 0xFF) {
        compress = false;
        break;
      }
  if (compress) {
    out.reserve(2 + text.size());
    out.push_back(0xFF);
    out.push_back(0xFE);
    for (char16_t c : text) out.push_back(std::uint8_t(c));
    return out;
  }
  out.reserve(text.size() * 2);
  for (char16_t c : text) {
    out.push_back(std::uint8_t(c));
    out.push_back(std::uint8_t(c >> 8));
  }
  return out;
}

std::string DecodeJet4Text(const std::uint8_t* b, std::size_t length) {
  if (length >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
    std::u16string u;
    bool compressed = true;
    std::size_t i = 2;
    while (i < length) {
      if (b[i] == 0x00) {
        compressed = !compressed;
        ++i;
        continue;
      }
      if (compressed) {
        u.push_back(char16_t(b[i]));
        ++i;
      } else {
        if (i + 1 >= length) break;
        u.push_back(char16_t(b[i] | (b[i + 1] << 8)));
        i += 2;
      }
    }
    return Utf16ToUtf8(u);
  }
  return Utf16LeToUtf8(b, length);
}

}  // namespace jet
