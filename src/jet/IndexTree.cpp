#include "jet/IndexTree.h"

#include "jet/WriteError.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

namespace jet {

using namespace wbytes;

namespace {

constexpr std::uint8_t kNodePage = 0x03;
constexpr std::uint8_t kLeafPage = 0x04;

[[noreturn]] void damaged(std::uint32_t page, const std::string& what) {
  throw WriteError("Index page " + std::to_string(page) + " is damaged: " + what + ".", ErrorKind::Damaged);
}

std::vector<IndexEntry> readEntries(const WriteImage& image, std::uint32_t n) {
  const WriteFormat& f = image.format();
  const std::uint8_t* p = image.page(n);
  const std::uint32_t prefix = f.jet4 ? get16(p + f.ixPrefix) : p[f.ixPrefix];
  std::vector<IndexEntry> out;
  std::uint32_t start = 0;
  const std::uint32_t bits = (f.ixFirstEntry - f.ixBitmap) * 8;
  const std::uint32_t limit = std::min(bits, f.pageSize - f.ixFirstEntry + 1);
  for (std::uint32_t b = 1; b < limit; ++b) {
    if (!(p[f.ixBitmap + b / 8] & (1u << (b % 8)))) continue;
    const std::uint32_t end = b;
    IndexEntry e;
    if (!out.empty() && prefix > 0) {
      if (out.front().size() < prefix) damaged(n, "its prefix is longer than its first entry");
      e.assign(out.front().begin(), out.front().begin() + prefix);
    }
    if (f.ixFirstEntry + end > f.pageSize) damaged(n, "an entry runs past the page");
    e.insert(e.end(), p + f.ixFirstEntry + start, p + f.ixFirstEntry + end);
    out.push_back(std::move(e));
    start = end;
  }
  return out;
}

void walk(const WriteImage& image, std::uint32_t n, IndexPages& out, std::set<std::uint32_t>& seen, int depth) {
  if (depth > 16) damaged(n, "the tree is too deep");
  if (!seen.insert(n).second) damaged(n, "the tree refers to it twice");
  out.pages.push_back(n);
  const WriteFormat& f = image.format();
  const std::uint8_t* p = image.page(n);
  if (p[0] == kLeafPage) {
    for (auto& e : readEntries(image, n)) {
      if (e.size() < 4) damaged(n, "an entry is shorter than its row pointer");
      out.entries.push_back(std::move(e));
    }
    return;
  }
  if (p[0] != kNodePage) damaged(n, "it is neither a node nor a leaf page");
  for (const auto& e : readEntries(image, n)) {
    if (e.size() < 8) damaged(n, "a node entry is shorter than its pointers");
    walk(image, getBE32(e.data() + e.size() - 4), out, seen, depth + 1);
  }
  const std::uint32_t tail = get32(p + f.ixTail);
  if (tail != 0) walk(image, tail, out, seen, depth + 1);
}

void writePage(WriteImage& image, std::uint32_t number, std::uint8_t type, std::uint32_t tdefPage,
               std::uint32_t prev, std::uint32_t next, std::uint32_t tail, const std::vector<IndexEntry>& entries) {
  const WriteFormat& f = image.format();
  std::uint8_t* p = image.page(number);
  std::memset(p, 0, f.pageSize);
  p[0] = type;
  p[1] = 0x01;
  put32(p + f.ixTdef, tdefPage);
  put32(p + f.ixPrev, prev);
  put32(p + f.ixNext, next);
  put32(p + f.ixTail, tail);
  // Byte after the prefix length: observed 1 on node pages, 0 on leaves.
  p[f.ixPrefix + (f.jet4 ? 2 : 1)] = type == kNodePage ? 1 : 0;
  std::uint32_t pos = 0;
  for (const auto& e : entries) {
    std::memcpy(p + f.ixFirstEntry + pos, e.data(), e.size());
    pos += std::uint32_t(e.size());
    const std::uint32_t bit = pos;
    p[f.ixBitmap + bit / 8] |= std::uint8_t(1u << (bit % 8));
  }
  put16(p + f.ixFree, f.pageSize - f.ixFirstEntry - pos);
}

struct LevelPage {
  std::vector<IndexEntry> entries;  // as stored on the page
  std::uint32_t tail = 0;
  IndexEntry lastLeafEntry;
  std::uint32_t number = 0;
};

}  // namespace

IndexEntry MakeLeafEntry(const std::vector<std::uint8_t>& key, std::uint32_t page, std::uint8_t row) {
  IndexEntry e = key;
  e.push_back(std::uint8_t(page >> 16));
  e.push_back(std::uint8_t(page >> 8));
  e.push_back(std::uint8_t(page));
  e.push_back(row);
  return e;
}

IndexPages ReadIndexTree(const WriteImage& image, std::uint32_t rootPage) {
  IndexPages out;
  std::set<std::uint32_t> seen;
  walk(image, rootPage, out, seen, 0);
  // Leaves form one linked list. Leaves that only the list reaches (past
  // the last one the nodes name) still hold entries of the index.
  const WriteFormat& f = image.format();
  std::uint32_t lastLeaf = 0;
  for (std::uint32_t n : out.pages)
    if (image.page(n)[0] == kLeafPage && get32(image.page(n) + f.ixNext) != 0 &&
        !seen.count(get32(image.page(n) + f.ixNext)))
      lastLeaf = n;
  for (std::uint32_t n = lastLeaf ? get32(image.page(lastLeaf) + f.ixNext) : 0; n != 0;) {
    if (!seen.insert(n).second) damaged(n, "the leaf list loops");
    const std::uint8_t* p = image.page(n);
    if (p[0] != kLeafPage) damaged(n, "the leaf list leads to a page that is not a leaf");
    out.pages.push_back(n);
    for (auto& e : readEntries(image, n)) {
      if (e.size() < 4) damaged(n, "an entry is shorter than its row pointer");
      out.entries.push_back(std::move(e));
    }
    n = get32(p + f.ixNext);
  }
  return out;
}

void WriteEmptyLeaf(WriteImage& image, std::uint32_t page, std::uint32_t tdefPage) {
  writePage(image, page, kLeafPage, tdefPage, 0, 0, 0, {});
}

std::uint32_t WriteIndexTree(WriteImage& image, std::uint32_t tdefPage, const std::vector<IndexEntry>& entries,
                             std::vector<std::uint32_t> reuse, const std::function<std::uint32_t()>& allocate,
                             const std::function<void(std::uint32_t)>& release) {
  const WriteFormat& f = image.format();
  const std::uint32_t capacity = f.ixMaxEntryBytes();
  std::sort(reuse.begin(), reuse.end());
  std::size_t reuseNext = 0;
  auto takePage = [&]() -> std::uint32_t {
    if (reuseNext < reuse.size()) return reuse[reuseNext++];
    return allocate();
  };

  // Leaves.
  std::vector<LevelPage> level;
  level.emplace_back();
  std::uint32_t used = 0;
  for (const auto& e : entries) {
    if (e.size() + 4 > capacity) throw WriteError("An index entry is longer than an index page can hold.");
    if (used + e.size() > capacity) {
      level.emplace_back();
      used = 0;
    }
    level.back().entries.push_back(e);
    level.back().lastLeafEntry = e;
    used += std::uint32_t(e.size());
  }
  std::uint8_t type = kLeafPage;
  for (auto& lp : level) lp.number = takePage();
  for (;;) {
    // Group this level's pages under parents (none when it is the root).
    std::vector<std::vector<std::size_t>> groups;
    if (level.size() > 1) {
      groups.emplace_back();
      used = 0;
      for (std::size_t i = 0; i < level.size(); ++i) {
        const std::uint32_t size = std::uint32_t(level[i].lastLeafEntry.size() + 4);
        if (used + size > capacity) {
          groups.emplace_back();
          used = 0;
        }
        groups.back().push_back(i);
        used += size;
      }
      // Keep at least one entry beside the tail on the last parent.
      if (groups.size() > 1 && groups.back().size() == 1) {
        groups.back().insert(groups.back().begin(), groups[groups.size() - 2].back());
        groups[groups.size() - 2].pop_back();
      }
    }
    // Leaves are linked from first to last; node pages only to the pages
    // that share their parent.
    std::vector<std::size_t> groupOf(level.size(), 0);
    for (std::size_t g = 0; g < groups.size(); ++g)
      for (std::size_t i : groups[g]) groupOf[i] = g;
    for (std::size_t i = 0; i < level.size(); ++i) {
      const bool linkPrev = i > 0 && (type == kLeafPage || groupOf[i - 1] == groupOf[i]);
      const bool linkNext = i + 1 < level.size() && (type == kLeafPage || groupOf[i + 1] == groupOf[i]);
      writePage(image, level[i].number, type, tdefPage, linkPrev ? level[i - 1].number : 0,
                linkNext ? level[i + 1].number : 0, level[i].tail, level[i].entries);
    }
    if (level.size() == 1) break;
    // The next level up: one entry per child; the rightmost child of the
    // level is the last parent's tail instead.
    std::vector<LevelPage> parents(groups.size());
    for (std::size_t g = 0; g < groups.size(); ++g) {
      auto& parent = parents[g];
      const bool lastGroup = g + 1 == groups.size();
      for (std::size_t k = 0; k < groups[g].size(); ++k) {
        const LevelPage& child = level[groups[g][k]];
        if (lastGroup && k + 1 == groups[g].size()) {
          parent.tail = child.number;
        } else {
          IndexEntry e = child.lastLeafEntry;
          e.resize(e.size() + 4);
          putBE32(e.data() + e.size() - 4, child.number);
          parent.entries.push_back(std::move(e));
        }
        parent.lastLeafEntry = child.lastLeafEntry;
      }
      parent.number = takePage();
    }
    level = std::move(parents);
    type = kNodePage;
  }
  for (std::size_t i = reuseNext; i < reuse.size(); ++i) release(reuse[i]);
  return level.front().number;
}

}  // namespace jet
