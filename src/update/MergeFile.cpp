#include "update/MergeFile.h"

#include "dictionary/Dictionary.h"
#include "dictionary/Writer.h"

#include <cerrno>
#include <exception>
#include <new>

#include <unistd.h>

namespace update {

namespace {

// Whether the update file can be read at all and has rows: the merge reports
// any failure as one error, and an unreadable or empty update file is not the
// dictionary's fault.
bool updateFileHasRows(const std::string& updatePath) {
  try {
    dictionary::Connection connection = dictionary::OpenConnection(updatePath);
    dictionary::Recordset rows = dictionary::OpenRecordset(connection, "Select * from Runes");
    return rows.RecordCount() > 0;
  } catch (const std::exception&) {
    return false;
  }
}

MergeOutcome failedOrNothing(const std::string& updatePath, std::string reason) {
  MergeOutcome outcome;
  if (!updateFileHasRows(updatePath)) {
    outcome.kind = MergeOutcome::Kind::NothingToUpdate;
    return outcome;
  }
  outcome.kind = MergeOutcome::Kind::DictionaryFailed;
  outcome.reason = std::move(reason);
  return outcome;
}

// A dictionary whose write permission has been taken away. The engine
// replaces the file through a copy renamed over it, which needs only the
// folder's permission, so the file's own is checked here.
bool writeProtected(const std::string& path) {
  if (::access(path.c_str(), F_OK) != 0) return false;
  if (::access(path.c_str(), W_OK) == 0) return false;
  return errno == EACCES || errno == EROFS;
}

}  // namespace

MergeOutcome MergeUpdateFile(const std::string& dictionaryPath, const std::string& updatePath) {
  if (writeProtected(dictionaryPath))
    return failedOrNothing(updatePath, "\"" + dictionaryPath + "\" is read-only: it may not be written.");
  try {
    const dictionary::MergeResult result = dictionary::MergeUpdate(dictionaryPath, updatePath);
    MergeOutcome outcome;
    switch (result.status) {
      case dictionary::MergeResult::Status::Merged:
        outcome.kind = MergeOutcome::Kind::Merged;
        break;
      case dictionary::MergeResult::Status::NothingToUpdate:
        outcome.kind = MergeOutcome::Kind::NothingToUpdate;
        break;
      case dictionary::MergeResult::Status::WrongFile:
        outcome.kind = MergeOutcome::Kind::WrongFile;
        break;
    }
    outcome.added = result.added;
    outcome.skipped = result.skipped;
    return outcome;
  } catch (const std::bad_alloc&) {
    return failedOrNothing(updatePath, "There is not enough memory for this update.");
  } catch (const std::exception& e) {
    return failedOrNothing(updatePath, e.what());
  }
}

}  // namespace update
