// An index's B-tree pages, read and rebuilt by the write side.
//
// Page layout (J3 / J4 offsets): type 0x03 node or 0x04 leaf @0, 0x01 @1,
// free space @2, owning TDEF @4, prev @8/12, next @12/16, tail @16/20,
// prefix length @20 (u8) / @24 (u16), entry bitmap @22/27 (a set bit b means
// an entry ends at first_entry + b), entries from 248/480.
// Leaf entry = key + 3-byte page (big-endian) + row. Node entry = the last
// leaf entry under the child + 4-byte child page (big-endian); the rightmost
// child of a level's last node page is that page's tail instead of an entry.
//
// The write side keeps the leaf entries as stored bytes, merges the new ones
// in byte order and lays the whole tree out again: leaves filled in order,
// node levels added until one page is the root. Old pages are reused first.
#pragma once

#include "jet/WriteImage.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace jet {

using IndexEntry = std::vector<std::uint8_t>;  // key bytes + page (3, BE) + row

struct IndexPages {
  std::vector<IndexEntry> entries;   // leaf entries in tree order
  std::vector<std::uint32_t> pages;  // every page of the tree
};

IndexPages ReadIndexTree(const WriteImage& image, std::uint32_t rootPage);

// Lays out `entries` (sorted) as a tree and returns the root page. Pages in
// `reuse` are overwritten first; more come from `allocate`; the reused pages
// left over are handed to `release`.
std::uint32_t WriteIndexTree(WriteImage& image, std::uint32_t tdefPage, const std::vector<IndexEntry>& entries,
                             std::vector<std::uint32_t> reuse, const std::function<std::uint32_t()>& allocate,
                             const std::function<void(std::uint32_t)>& release);

IndexEntry MakeLeafEntry(const std::vector<std::uint8_t>& key, std::uint32_t page, std::uint8_t row);

// An empty leaf: the root of an index without entries.
void WriteEmptyLeaf(WriteImage& image, std::uint32_t page, std::uint32_t tdefPage);

}  // namespace jet
