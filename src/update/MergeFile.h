// The merge of an update file into the dictionary, as the update command
// needs it: one outcome for every way the merge can end, with the reason when
// the dictionary could not be written. Plain C++ (no Qt), so that a separate
// process can run exactly this path.
#pragma once

#include <cstdint>
#include <string>

namespace update {

struct MergeOutcome {
  enum class Kind {
    Merged,           // every row checked; `added` new rows stored (may be 0)
    NothingToUpdate,  // the update file cannot be read, has no table Runes, or no rows
    WrongFile,        // some row's Names is not exactly "astro", or there is no Names
    DictionaryFailed, // the dictionary could not be opened or written; unchanged
  };
  Kind kind = Kind::Merged;
  std::int64_t added = 0;
  std::int64_t skipped = 0;
  std::string reason;  // for DictionaryFailed: what went wrong, for the user
};

// Merges the update file at `updatePath` into the dictionary at
// `dictionaryPath`, both with the dictionary's password. Never throws: every
// failure becomes an outcome. The dictionary is either fully updated or left
// exactly as it was. Rows without a Key or a Link (NULL or empty) are copied
// as they stand; in the duplicate test a missing Link counts as empty text,
// so at most one row without a Link ever enters the dictionary.
MergeOutcome MergeUpdateFile(const std::string& dictionaryPath, const std::string& updatePath);

}  // namespace update
