#include "jet/WriteText.h"

#include "jet/Text.h"

#include "jet/WriteError.h"

namespace jet {

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
    AppendUtf8(out, c);
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
      AppendUtf8(ch, c);
      throw WriteError("The character \"" + ch + "\" cannot be stored in this Access 97 file (code page 1252).");
    }
  }
  return out;
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

}  // namespace jet
