// Helpers for the read-side tests: scratch folders, whole-file bytes, a
// command runner, the shared corpus' files, our own RC4 page encoder, and a
// fixture dictionary made by our writer.
#pragma once

#include "jet/Header.h"
#include "jet/Rc4.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace readtest {

inline std::filesystem::path ScratchDir(const std::string& name) {
  auto dir = std::filesystem::temp_directory_path() / ("ostrelda-read-" + name + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

inline bool HaveCorpus() { return std::filesystem::is_directory(std::string(OSTRELDA_CORPUS_DIR) + "/files"); }
inline std::string CorpusFile(const std::string& name) {
  return std::string(OSTRELDA_CORPUS_DIR) + "/files/" + name + ".mdb";
}

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
inline void WriteBytes(const std::filesystem::path& p, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Runs a shell command; returns its exit status, stdout in `out` (and stderr
// too when `withStderr`).
inline int RunCommand(const std::string& command, std::string& out, bool withStderr = false) {
  out.clear();
  FILE* pipe = ::popen((command + (withStderr ? " 2>&1" : " 2>/dev/null")).c_str(), "r");
  if (!pipe) return -1;
  char buf[1 << 16];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
  const int status = ::pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
inline std::string Quote(const std::string& s) { return "'" + s + "'"; }

// Our RC4 writer: turns a plain file into an RC4-encoded one with `key` —
// the key goes into the header (0x3E, inside the masked region) and every
// page n ≥ 1 is encoded with the key (key XOR n).
inline std::vector<std::uint8_t> EncodePages(std::vector<std::uint8_t> bytes, std::uint32_t key) {
  const bool jet4 = bytes.at(0x14) == 1;
  const jet::Format& f = jet4 ? jet::Format::Jet4() : jet::Format::Jet3();
  jet::ApplyHeaderMask(bytes.data(), f);  // unmask
  bytes[0x3E] = std::uint8_t(key);
  bytes[0x3F] = std::uint8_t(key >> 8);
  bytes[0x40] = std::uint8_t(key >> 16);
  bytes[0x41] = std::uint8_t(key >> 24);
  jet::ApplyHeaderMask(bytes.data(), f);  // mask again
  for (std::uint32_t n = 1; n < bytes.size() / f.pageSize; ++n)
    jet::Rc4CodePage(key, n, bytes.data() + std::size_t(n) * f.pageSize, f.pageSize);
  return bytes;
}

}  // namespace readtest
