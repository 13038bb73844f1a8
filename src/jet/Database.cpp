#include "jet/Database.h"

namespace jet {
namespace {
void CheckPassword(const PageFile& file, std::string_view password) {
  if (!file.header().Accepts(password)) throw Error(ErrorKind::WrongPassword, kWrongPasswordMessage);
}
}  // namespace

Database::Database(PageFile file) : file_(std::move(file)) { catalog_ = ReadCatalog(file_); }

std::shared_ptr<Database> Database::Open(const std::string& path, std::string_view password) {
  PageFile file = PageFile::Open(path);
  CheckPassword(file, password);
  return std::shared_ptr<Database>(new Database(std::move(file)));
}

std::shared_ptr<Database> Database::FromBytes(std::vector<std::uint8_t> bytes, std::string_view password,
                                              std::string name) {
  PageFile file = PageFile::FromBytes(std::move(bytes), std::move(name));
  CheckPassword(file, password);
  return std::shared_ptr<Database>(new Database(std::move(file)));
}

std::vector<CatalogEntry> Database::userTables() const {
  std::vector<CatalogEntry> tables;
  for (const auto& e : catalog_)
    if (e.isTable() && !e.isSystem()) tables.push_back(e);
  return tables;
}

const CatalogEntry* Database::findTable(std::string_view name) const {
  for (const auto& e : catalog_)
    if (e.isTable() && EqualsIgnoreCase(e.name, name)) return &e;
  return nullptr;
}

Table Database::table(std::string_view name) const {
  const CatalogEntry* e = findTable(name);
  if (!e) throw Error(ErrorKind::NotFound, "The database " + path() + " has no table " + std::string(name) + ".");
  return Table(file_, e->name, e->tdefPage());
}

}  // namespace jet
