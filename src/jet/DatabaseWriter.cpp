#include "jet/DatabaseWriter.h"

#include "jet/AtomicFile.h"
#include "jet/WriteCatalog.h"
#include "jet/WriteError.h"

#include <filesystem>
#include <sys/stat.h>

namespace jet {

DatabaseWriter::DatabaseWriter(std::string path, FileWriteLock lock, WriteImage image, bool creating)
    : path_(std::move(path)),
      lock_(std::move(lock)),
      image_(std::make_unique<WriteImage>(std::move(image))),
      creating_(creating),
      date_(CurrentJetDate()) {}

namespace {

// A dictionary reached through a symbolic link is replaced where it really
// lives (renaming over the link would turn it into a copy), and locked there,
// so writers that name it differently still exclude each other.
std::string realTarget(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(path, ec)) return path;
  const auto target = std::filesystem::canonical(path, ec);
  return ec ? path : target.string();
}

}  // namespace

DatabaseWriter DatabaseWriter::Open(const std::string& requested, std::string_view password) {
  const std::string path = realTarget(requested);
  // A file marked read-only stays as it is, even for a user who could
  // replace it (the replacement would not ask the file).
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
    throw WriteError("\"" + path + "\" is read-only; nothing was written.");
  FileWriteLock lock(path);
  RemoveStaleCopies(path);
  WriteImage image = WriteImage::Load(path);
  image.checkPassword(password, path);
  return DatabaseWriter(path, std::move(lock), std::move(image), false);
}

DatabaseWriter DatabaseWriter::Create(const std::string& path, std::string_view password) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) throw WriteError("\"" + path + "\" exists already.");
  FileWriteLock lock(path);
  WriteImage image = NewDatabaseImage(password, CurrentJetDate());
  return DatabaseWriter(path, std::move(lock), std::move(image), true);
}

std::uint32_t DatabaseWriter::tablePage(std::string_view table) {
  auto page = FindTablePage(*image_, table);
  if (!page) throw WriteError("\"" + path_ + "\" has no table \"" + std::string(table) + "\".");
  return *page;
}

TableAppender DatabaseWriter::appender(std::string_view table) {
  return TableAppender(*image_, tablePage(table), std::string(table));
}

std::uint32_t DatabaseWriter::createTable(const TableSpec& spec) { return AddTable(*image_, spec, date_); }

void DatabaseWriter::Commit() { WriteFileAtomically(path_, image_->encode(), creating_); }

}  // namespace jet
