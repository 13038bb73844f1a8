#include "jet/Text.h"

#include <iconv.h>

#include <cstring>
#include <vector>

namespace jet {

// Code page 1252, bytes 0x80..0x9F; the five undefined bytes map to the C1
// control of the same value, as Windows' own conversion does.
const char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

namespace {

void AppendCp1252(std::string& out, Bytes bytes) {
  for (std::uint8_t b : bytes) {
    if (b < 0x80) out.push_back(char(b));
    else if (b < 0xA0) AppendUtf8(out, kCp1252High[b - 0x80]);
    else AppendUtf8(out, b);
  }
}

// Other code pages go through iconv; a code page iconv does not know falls
// back to 1252 so that text is never lost, only possibly mis-rendered.
bool AppendIconv(std::string& out, Bytes bytes, std::uint16_t codePage) {
  std::string name = "CP" + std::to_string(codePage);
  iconv_t cd = iconv_open("UTF-8", name.c_str());
  if (cd == iconv_t(-1)) return false;
  std::vector<char> in(bytes.begin(), bytes.end());
  std::string result(bytes.size() * 4 + 4, '\0');
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  char* outPtr = result.data();
  std::size_t outLeft = result.size();
  bool ok = true;
  while (inLeft > 0) {
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == std::size_t(-1)) {
      if (outLeft < 3) { ok = false; break; }
      // An undefined byte: replace it and go on.
      ++inPtr;
      --inLeft;
      *outPtr++ = char(0xEF); *outPtr++ = char(0xBF); *outPtr++ = char(0xBD);
      outLeft -= 3;
    }
  }
  iconv_close(cd);
  if (!ok) return false;
  out.append(result.data(), std::size_t(outPtr - result.data()));
  return true;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
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

void AppendCodePageText(std::string& out, Bytes bytes, std::uint16_t codePage) {
  if (codePage == 1252 || codePage == 0 || !AppendIconv(out, bytes, codePage)) AppendCp1252(out, bytes);
}

void AppendUcs2Text(std::string& out, Bytes bytes) {
  const std::size_t n = bytes.size() / 2;
  const std::uint8_t* p = bytes.data();
  std::size_t i = 0;
  while (i < n) {
    // A run of ASCII characters is appended in one go.
    std::size_t run = i;
    while (run < n && p[2 * run + 1] == 0 && p[2 * run] < 0x80) ++run;
    if (run > i) {
      const std::size_t at = out.size();
      out.resize(at + (run - i));
      for (std::size_t k = i; k < run; ++k) out[at + k - i] = char(p[2 * k]);
      i = run;
      if (i >= n) break;
    }
    char32_t c = Le16(p + 2 * i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n) {
      char32_t low = Le16(p + 2 * i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;
    AppendUtf8(out, c);
    ++i;
  }
  if (bytes.size() % 2) AppendUtf8(out, 0xFFFD);
}


void AppendJet4Text(std::string& out, Bytes bytes) {
  if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE) {
    AppendUcs2Text(out, bytes);
    return;
  }
  // Compressed: segments separated by 0x00 bytes alternate between one
  // byte per char (the first) and UCS-2. The common case, one compressed
  // segment of ASCII, is copied in bulk.
  bool compressed = true;
  std::size_t start = 2;
  const std::size_t n = bytes.size();
  while (true) {
    std::size_t i = start;
    if (compressed) {
      // Up to the next 0x00: eight bytes at a time while they are ASCII
      // (copied in bulk), then byte by byte.
      while (i + 8 <= n) {
        std::uint64_t w;
        std::memcpy(&w, bytes.data() + i, 8);
        constexpr std::uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
        if ((w & highs) || ((w - ones) & ~w & highs)) break;
        i += 8;
      }
      out.append(reinterpret_cast<const char*>(bytes.data()) + start, i - start);
      for (; i < n; ++i) {
        const std::uint8_t b = bytes[i];
        if (b == 0) break;
        if (b < 0x80) {
          out.push_back(char(b));
        } else {
          const char two[2] = {char(0xC0 | (b >> 6)), char(0x80 | (b & 0x3F))};
          out.append(two, 2);
        }
      }
    } else {
      const void* zero = std::memchr(bytes.data() + i, 0, n - i);
      i = zero ? std::size_t(static_cast<const std::uint8_t*>(zero) - bytes.data()) : n;
      AppendUcs2Text(out, bytes.subspan(start, i - start));
    }
    if (i >= n) break;
    compressed = !compressed;
    start = i + 1;
  }
}

void AppendText(std::string& out, Bytes bytes, const Format& format, std::uint16_t codePage) {
  if (format.jet4()) AppendJet4Text(out, bytes);
  else AppendCodePageText(out, bytes, codePage);
}

}  // namespace jet
