#include "WriteCommands.h"

#include "TsvRows.h"
#include "dictionary/Writer.h"
#include "jet/DatabaseWriter.h"
#include "jet/WriteError.h"

#include <fstream>
#include <optional>

namespace dicttool {

namespace {

// Options of the form --name VALUE, and the positional arguments.
struct Parsed {
  std::vector<std::string> positional;
  std::vector<std::pair<std::string, std::string>> options;
  std::optional<std::string> option(const std::string& name) const {
    for (const auto& [k, v] : options)
      if (k == name) return v;
    return std::nullopt;
  }
};

bool parse(const std::vector<std::string>& args, const std::vector<std::string>& known, Parsed& p,
           std::ostream& err) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i].rfind("--", 0) == 0) {
      bool ok = false;
      for (const auto& k : known) ok = ok || k == args[i];
      if (!ok || i + 1 >= args.size()) {
        err << "ostrelda-dict: unknown option or missing value: " << args[i] << "\n";
        return false;
      }
      p.options.push_back({args[i], args[i + 1]});
      ++i;
    } else {
      p.positional.push_back(args[i]);
    }
  }
  return true;
}

}  // namespace

int RunCreate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Parsed p;
  if (!parse(args, {"--password"}, p, err) || p.positional.size() != 1) {
    err << "usage: ostrelda-dict create FILE [--password P]\n";
    return 2;
  }
  try {
    dictionary::CreateDictionary(p.positional[0], {},
                                 p.option("--password").value_or(std::string(dictionary::kDictionaryPassword)));
    out << "created " << p.positional[0] << "\n";
    return 0;
  } catch (const std::exception& e) {
    err << "ostrelda-dict: " << e.what() << "\n";
    return 1;
  }
}

int RunImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Parsed p;
  if (!parse(args, {"--from", "--password", "--table"}, p, err) || p.positional.size() != 1 || !p.option("--from")) {
    err << "usage: ostrelda-dict import FILE --from TSV [--password P] [--table T]\n";
    return 2;
  }
  const std::string file = p.positional[0];
  const std::string tsvPath = *p.option("--from");
  try {
    std::ifstream in(tsvPath, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + tsvPath);
    const TsvTable tsv = ReadTsv(in, tsvPath);
    auto writer = jet::DatabaseWriter::Open(
        file, p.option("--password").value_or(std::string(dictionary::kDictionaryPassword)));
    auto table = writer.appender(p.option("--table").value_or(std::string(dictionary::kTableName)));
    std::vector<std::size_t> index;
    for (const auto& name : tsv.columns) index.push_back(table.columnIndex(name));
    for (const auto& row : tsv.rows) {
      std::vector<jet::FieldValue> values(table.table().columns().size());
      for (std::size_t i = 0; i < row.size(); ++i) values[index[i]] = row[i];
      table.Append(std::move(values));
    }
    table.Finish();
    writer.Commit();
    out << "imported " << tsv.rows.size() << " rows into " << file << "\n";
    return 0;
  } catch (const std::exception& e) {
    err << "ostrelda-dict: " << e.what() << " Nothing was imported.\n";
    return 1;
  }
}

int RunMerge(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Parsed p;
  if (!parse(args, {}, p, err) || p.positional.size() != 2) {
    err << "usage: ostrelda-dict merge DICT UPDATE\n";
    return 2;
  }
  try {
    const auto r = dictionary::MergeUpdate(p.positional[0], p.positional[1]);
    switch (r.status) {
      case dictionary::MergeResult::Status::Merged:
        out << "added " << r.added << ", skipped " << r.skipped << "\n";
        return 0;
      case dictionary::MergeResult::Status::NothingToUpdate:
        err << "ostrelda-dict: nothing merged: the update's table Runes has no rows.\n";
        return 1;
      case dictionary::MergeResult::Status::WrongFile:
        err << "ostrelda-dict: nothing merged: not an update file (a row's Names is not \"astro\", or there is no "
               "Names column).\n";
        return 1;
    }
    return 1;
  } catch (const std::exception& e) {
    err << "ostrelda-dict: nothing merged: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace dicttool

// Registered with ostrelda-dict's subcommand table.
#include "Subcommand.h"

namespace {
const tool::Registration createCommand{
    {"create", "create FILE [--password P]", "a new dictionary with an empty table Runes (Key, Link, Names)",
     dicttool::RunCreate}};
const tool::Registration importCommand{
    {"import", "import FILE --from TSV [--password P] [--table T]",
     "append the rows of a UTF-8 TSV whose header line names the columns (one atomic write)", dicttool::RunImport}};
const tool::Registration mergeCommand{
    {"merge", "merge DICT UPDATE", "merge an update file into a dictionary; prints the added and skipped counts",
     dicttool::RunMerge}};
}  // namespace
