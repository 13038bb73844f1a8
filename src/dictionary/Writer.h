// Writing dictionaries: a new dictionary file, appending entries, and the
// merge of an update file. Every write is atomic (a copy in the same folder,
// flushed and renamed over the original) and guarded by an advisory lock so
// that two writers never write the same file at once.
#pragma once

#include "dictionary/Dictionary.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dictionary {

// A new Jet 4 database with the database password and the table Runes
// (Key text 255, Link memo, Names text 50), holding `entries` in order.
// Fails when the file exists already. The table has no indexes, so any
// text can be stored.
void CreateDictionary(const std::string& path, const std::vector<Entry>& entries,
                      std::string_view password = kDictionaryPassword);

// Appends entries to the table Runes of an existing file, in one atomic write.
void AppendEntries(const std::string& path, const std::vector<Entry>& entries,
                   std::string_view password = kDictionaryPassword);

// The outcome of merging an update file into a dictionary.
struct MergeResult {
  enum class Status {
    Merged,        // rows were checked; `added` of them written (may be 0)
    NothingToUpdate,  // the update file's Runes table has no rows
    WrongFile,     // a row's Names is not exactly "astro", or no Names column
  };
  Status status = Status::Merged;
  std::int64_t added = 0;
  std::int64_t skipped = 0;
};

// Merges the update file's Runes rows into the dictionary, both opened with
// `password`: every update row's Names must be exactly "astro" (checked over
// all rows before anything is written); a row is added (Names "astro", its Key
// and Link) when no dictionary row, nor a row added earlier in this merge, has
// an equal Link (exact, case-sensitive). Throws Error when either file cannot
// be opened, read or written, when the dictionary is read-only, or when
// another writer holds it ("... is in use ..."); the dictionary is then
// unchanged.
//
// Rows are taken in the table's scan order; there is no limit on the number
// of rows in either file. All added rows are written in one atomic write, so
// a merge that fails part-way stores nothing.
//
// Empty and NULL values:
// - An update table that lacks a Names, Key or Link column is the wrong file.
// - A NULL Names is not "astro": the wrong file.
// - A NULL Link is compared as empty text: it is a duplicate of any
//   dictionary row (or earlier added row) whose Link is NULL or empty, so at
//   most one row without an address is ever added. The added row keeps the
//   update's value as it is (NULL stays NULL, "" stays "").
// - Key is never compared; a NULL or empty Key is copied as it is.
MergeResult MergeUpdate(const std::string& dictionaryPath, const std::string& updatePath,
                        std::string_view password = kDictionaryPassword);

}  // namespace dictionary
