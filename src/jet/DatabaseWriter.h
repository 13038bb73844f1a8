// One write operation on a database file: takes the file's write lock,
// loads the whole file, lets the caller create tables and append rows, and
// Commit() replaces the file atomically. Dropping the writer without Commit()
// (an error) leaves the file as it was.
#pragma once

#include "jet/FileLock.h"
#include "jet/TableAppender.h"
#include "jet/WriteCreate.h"
#include "jet/WriteImage.h"

#include <memory>
#include <string>
#include <string_view>

namespace jet {

class DatabaseWriter {
 public:
  // An existing Jet 3 or Jet 4 file; checks the password (a file without one opens with any).
  static DatabaseWriter Open(const std::string& path, std::string_view password);
  // A new Jet 4 file with the system tables; fails if `path` exists.
  static DatabaseWriter Create(const std::string& path, std::string_view password);

  WriteImage& image() { return *image_; }
  std::uint32_t tablePage(std::string_view table);
  TableAppender appender(std::string_view table);
  std::uint32_t createTable(const TableSpec& spec);
  void Commit();

 private:
  DatabaseWriter(std::string path, FileWriteLock lock, WriteImage image, bool creating);
  std::string path_;
  FileWriteLock lock_;
  std::unique_ptr<WriteImage> image_;
  bool creating_;
  double date_;
};

}  // namespace jet
