// Appends N entries to a dictionary in one write operation; the kill test
// runs it and kills it at a random moment.
#include "dictionary/Writer.h"

#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const int n = std::atoi(argv[2]);
  const std::string tag = argv[3];
  std::vector<dictionary::Entry> entries;
  for (int i = 0; i < n; ++i)
    entries.push_back({"Key " + tag + " " + std::to_string(i),
                       "https://runes.example/ostrelda/ssd.php?page=" + tag + "-" + std::to_string(i),
                       std::string("astro")});
  try {
    dictionary::AppendEntries(argv[1], entries);
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
