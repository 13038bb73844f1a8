// Helpers for the write-side tests: a scratch folder, file copies, running
// a command, and the expected-rows JSON that oracle_check.py reads.
#pragma once

#include "jet/WriteValue.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <variant>
#include <vector>

namespace writetest {

// A fresh folder under the temporary directory, removed when the test
// program ends.
inline std::filesystem::path ScratchDir(const std::string& name) {
  static std::vector<std::filesystem::path> made;
  static const bool cleanup = [] {
    std::atexit([] {
      std::error_code ec;
      for (const auto& d : made) std::filesystem::remove_all(d, ec);
    });
    return true;
  }();
  (void)cleanup;
  auto dir = std::filesystem::temp_directory_path() /
             ("ostrelda-write-" + name + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  made.push_back(dir);
  return dir;
}

inline std::string CorpusFile(const std::string& name) {
  return std::string(OSTRELDA_CORPUS_DIR) + "/files/" + name + ".mdb";
}

// A writable copy (the shared corpus files are read-only).
inline void CopyWritable(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
  std::filesystem::permissions(to, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

inline std::vector<char> ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::vector<char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Runs a shell command; returns its exit status and fills `output` with stdout+stderr.
inline int Run(const std::string& command, std::string& output) {
  output.clear();
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return -1;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) output.append(buf, n);
  const int status = ::pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline std::string Quote(const std::string& s) { return "'" + s + "'"; }

inline std::string JsonString(const std::string& s) {
  std::ostringstream o;
  o << '"';
  for (unsigned char c : s) {
    if (c == '"' || c == '\\')
      o << '\\' << c;
    else if (c < 0x20) {
      char b[8];
      std::snprintf(b, sizeof b, "\\u%04x", c);
      o << b;
    } else
      o << c;
  }
  o << '"';
  return o.str();
}

inline std::string JsonValue(const jet::FieldValue& v) {
  if (std::holds_alternative<std::monostate>(v)) return "null";
  if (auto b = std::get_if<bool>(&v)) return *b ? "true" : "false";
  if (auto i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
  if (auto d = std::get_if<double>(&v)) {
    std::ostringstream o;
    o.precision(17);
    o << *d;
    return o.str();
  }
  if (auto s = std::get_if<std::string>(&v)) return JsonString(*s);
  return "null";
}

// {"columns": [...], "rows": [[...]]}
inline void WriteExpected(const std::filesystem::path& path, const std::vector<std::string>& columns,
                          const std::vector<std::vector<jet::FieldValue>>& rows,
                          const std::vector<std::string>* exportColumns = nullptr) {
  std::ofstream out(path);
  out << "{\"columns\": [";
  for (std::size_t i = 0; i < columns.size(); ++i) out << (i ? "," : "") << JsonString(columns[i]);
  if (exportColumns) {
    out << "], \"export_columns\": [";
    for (std::size_t i = 0; i < exportColumns->size(); ++i) out << (i ? "," : "") << JsonString((*exportColumns)[i]);
  }
  out << "], \"rows\": [";
  for (std::size_t r = 0; r < rows.size(); ++r) {
    out << (r ? "," : "") << "[";
    for (std::size_t i = 0; i < rows[r].size(); ++i) out << (i ? "," : "") << JsonValue(rows[r][i]);
    out << "]";
  }
  out << "]}\n";
}

inline std::string OracleCheck(const std::filesystem::path& before, const std::filesystem::path& after,
                               const std::string& table, const std::filesystem::path& expected,
                               const std::string& password, int& status) {
  std::string cmd = "python3 " + Quote(std::string(OSTRELDA_SOURCE_DIR) + "/tests/jet/oracle_check.py") + " " +
                    Quote(before) + " " + Quote(after) + " " + Quote(table) + " " + Quote(expected);
  if (!password.empty()) cmd += " --password " + Quote(password);
  std::string out;
  status = Run(cmd, out);
  return out;
}

// `ostrelda-dict check FILE`: the structure check finds no problem (status 0).
inline std::string StructureCheck(const std::filesystem::path& file, const std::string& password, int& status) {
  std::string cmd = Quote(std::string(OSTRELDA_BINARY_DIR) + "/ostrelda-dict") + " check " + Quote(file.string());
  if (!password.empty()) cmd += " --password " + Quote(password);
  std::string out;
  status = Run(cmd, out);
  return out;
}

}  // namespace writetest
