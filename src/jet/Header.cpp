#include "jet/Header.h"

#include "jet/Rc4.h"
#include "jet/Text.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace jet {
namespace {

constexpr std::uint8_t kMagic[4] = {0x00, 0x01, 0x00, 0x00};
constexpr char kEngineName[] = "Standard Jet DB";  // with its NUL: 16 bytes at 0x04
constexpr std::size_t kVersionOffset = 0x14;
constexpr std::size_t kCodePageOffset = 0x3C;
constexpr std::size_t kEncodingKeyOffset = 0x3E;
constexpr std::size_t kMinimumHeader = 0x18 + 128;

}  // namespace

void ApplyHeaderMask(std::uint8_t* page0, const Format& format) {
  Rc4Xor(kHeaderMaskKey, sizeof kHeaderMaskKey, page0 + kHeaderMaskStart, format.headerMaskLength);
}

std::array<std::uint8_t, 4> Header::PasswordMask(double creationDate) {
  // (int) of the date, as Access computes it; dates outside int32 cannot be
  // converted meaningfully and give a zero mask.
  std::int32_t v = 0;
  if (std::isfinite(creationDate) && creationDate > double(std::numeric_limits<std::int32_t>::min()) - 1 &&
      creationDate < double(std::numeric_limits<std::int32_t>::max()) + 1)
    v = std::int32_t(creationDate);
  std::uint32_t u = std::uint32_t(v);
  return {std::uint8_t(u), std::uint8_t(u >> 8), std::uint8_t(u >> 16), std::uint8_t(u >> 24)};
}

Header Header::Parse(Bytes fileStart) {
  if (fileStart.empty()) throw Error(ErrorKind::NotAccessFile, "The file is empty; it is not an Access database.");
  if (fileStart.size() < kMinimumHeader || std::memcmp(fileStart.data(), kMagic, 4) != 0 ||
      std::memcmp(fileStart.data() + 4, kEngineName, sizeof kEngineName) != 0) {
    if (fileStart.size() >= 20 && std::memcmp(fileStart.data() + 4, "Standard ACE DB", 16) == 0)
      throw Error(ErrorKind::Unsupported,
                  "The file is an Access 2007 or later database (ACE); only Access 97-2003 files can be read.");
    throw Error(ErrorKind::NotAccessFile, "The file is not an Access database (no Jet signature on its first page).");
  }
  Header h;
  h.versionByte = fileStart[kVersionOffset];
  h.format = Format::ForVersionByte(h.versionByte);
  if (!h.format)
    throw Error(ErrorKind::Unsupported, "The file is an Access database of an unsupported version (version byte " +
                                            std::to_string(h.versionByte) + "); only Jet 3 and Jet 4 can be read.");
  const Format& f = *h.format;
  std::size_t keep = std::min<std::size_t>(fileStart.size(), f.pageSize);
  h.decoded.assign(fileStart.begin(), fileStart.begin() + keep);
  ApplyHeaderMask(h.decoded.data(), f);
  const std::uint8_t* p = h.decoded.data();

  h.codePage = Le16(p + kCodePageOffset);
  h.encodingKey = Le32(p + kEncodingKeyOffset);
  h.sortOrder = Le16(p + f.headerSortOrder);
  if (f.jet4()) h.sortVersion = p[f.headerSortOrder + 3];
  if (f.hasCreationDate) h.creationDate = LeDouble(p + kHeaderCreationDateOffset);

  std::uint8_t pwd[40];
  std::memcpy(pwd, p + kHeaderPasswordOffset, f.headerPasswordLength);
  if (f.passwordUnicode) {
    auto mask = PasswordMask(h.creationDate);
    for (std::size_t i = 0; i < f.headerPasswordLength; ++i) pwd[i] ^= mask[i % 4];
    std::size_t chars = 0;
    while (chars < f.headerPasswordLength / 2 && (pwd[2 * chars] | pwd[2 * chars + 1]) != 0) ++chars;
    AppendJet4Text(h.password, Bytes(pwd, 2 * chars));
  } else {
    std::size_t n = 0;
    while (n < f.headerPasswordLength && pwd[n] != 0) ++n;
    AppendCodePageText(h.password, Bytes(pwd, n), h.codePage);
  }
  return h;
}

}  // namespace jet
