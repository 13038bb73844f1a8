// Runs the Update command's merge on given files and nothing else, so that a
// test can kill it at any moment:
//   update_merge_helper DICTIONARY UPDATE
// Prints the outcome ("merged ADDED", "nothing", "wrong", "failed REASON").
#include "update/MergeFile.h"

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s DICTIONARY UPDATE\n", argv[0]);
    return 2;
  }
  const update::MergeOutcome outcome = update::MergeUpdateFile(argv[1], argv[2]);
  switch (outcome.kind) {
    case update::MergeOutcome::Kind::Merged:
      std::printf("merged %lld\n", static_cast<long long>(outcome.added));
      return 0;
    case update::MergeOutcome::Kind::NothingToUpdate:
      std::printf("nothing\n");
      return 0;
    case update::MergeOutcome::Kind::WrongFile:
      std::printf("wrong\n");
      return 0;
    case update::MergeOutcome::Kind::DictionaryFailed:
      std::printf("failed %s\n", outcome.reason.c_str());
      return 1;
  }
  return 1;
}
