#include "jet/WriteUsageMap.h"

#include "jet/WriteDataPage.h"
#include "jet/WriteError.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace jet {

using namespace wbytes;

UsageMapEdit::UsageMapEdit(WriteImage& image, std::uint32_t rowPointer)
    : image_(image), mapPage_(rowPointer >> 8), mapRow_(rowPointer & 0xFF) {
  DataPageView page(image_, mapPage_);
  if (mapRow_ >= page.rowCount())
    throw WriteError("Usage map at page " + std::to_string(mapPage_) + " row " + std::to_string(mapRow_) +
                     " does not exist.");
  auto r = page.row(mapRow_);
  if (r.size() < 5 || r[0] > 1)
    throw WriteError("Usage map at page " + std::to_string(mapPage_) + " has an unknown type.");
}

std::vector<std::uint8_t> UsageMapEdit::EmptyInlineRow(std::uint32_t rowBytes) {
  return std::vector<std::uint8_t>(rowBytes, 0);
}

std::vector<std::uint8_t> UsageMapEdit::row() const { return DataPageView(image_, mapPage_).row(mapRow_); }

void UsageMapEdit::store(const std::vector<std::uint8_t>& r) { DataPageView(image_, mapPage_).overwriteRow(mapRow_, r); }

std::vector<std::uint32_t> UsageMapEdit::pages() const {
  std::vector<std::uint32_t> out;
  const auto r = row();
  if (r[0] == 0) {
    const std::uint32_t start = get32(r.data() + 1);
    for (std::size_t i = 5; i < r.size(); ++i)
      for (int b = 0; b < 8; ++b)
        if (r[i] & (1u << b)) out.push_back(start + std::uint32_t((i - 5) * 8 + b));
    return out;
  }
  const std::uint32_t ps = image_.pageSize();
  const std::uint32_t perPage = (ps - 4) * 8;
  for (std::size_t k = 0; 1 + 4 * k + 4 <= r.size(); ++k) {
    const std::uint32_t mp = get32(r.data() + 1 + 4 * k);
    if (mp == 0) continue;
    const std::uint8_t* bm = image_.page(mp);
    if (bm[0] != 0x05)
      throw WriteError("Usage map page " + std::to_string(mp) + " is not a map page.");
    for (std::uint32_t i = 4; i < ps; ++i)
      if (bm[i])
        for (int b = 0; b < 8; ++b)
          if (bm[i] & (1u << b)) out.push_back(std::uint32_t(k) * perPage + (i - 4) * 8 + b);
  }
  return out;
}

bool UsageMapEdit::contains(std::uint32_t page) const {
  const auto r = row();
  if (r[0] == 0) {
    const std::uint32_t start = get32(r.data() + 1);
    if (page < start) return false;
    const std::uint32_t bit = page - start;
    if (bit >= (r.size() - 5) * 8) return false;
    return r[5 + bit / 8] & (1u << (bit % 8));
  }
  const std::uint32_t perPage = (image_.pageSize() - 4) * 8;
  const std::size_t k = page / perPage;
  if (1 + 4 * k + 4 > r.size()) return false;
  const std::uint32_t mp = get32(r.data() + 1 + 4 * k);
  if (mp == 0) return false;
  const std::uint32_t bit = page % perPage;
  return image_.page(mp)[4 + bit / 8] & (1u << (bit % 8));
}

void UsageMapEdit::add(std::uint32_t page) { setBit(page, true); }
void UsageMapEdit::remove(std::uint32_t page) { setBit(page, false); }

void UsageMapEdit::setBit(std::uint32_t page, bool on) {
  auto r = row();
  if (r[0] == 0) {
    std::uint32_t start = get32(r.data() + 1);
    const std::uint32_t bits = std::uint32_t(r.size() - 5) * 8;
    if (page >= start && page - start < bits) {
      const std::uint32_t bit = page - start;
      if (on)
        r[5 + bit / 8] |= std::uint8_t(1u << (bit % 8));
      else
        r[5 + bit / 8] &= std::uint8_t(~(1u << (bit % 8)));
      store(r);
      return;
    }
    if (!on) return;  // not in the map anyway
    // Outside the window: move the window when every page still fits,
    // otherwise turn the row into a reference map.
    std::vector<std::uint32_t> all = pages();
    all.push_back(page);
    const auto [lo, hi] = std::minmax_element(all.begin(), all.end());
    const std::uint32_t newStart = (*lo / 8) * 8;
    if (*hi - newStart < bits) {
      std::fill(r.begin() + 1, r.end(), 0);
      put32(r.data() + 1, newStart);
      for (std::uint32_t p : all) r[5 + (p - newStart) / 8] |= std::uint8_t(1u << ((p - newStart) % 8));
      store(r);
      return;
    }
    std::fill(r.begin(), r.end(), 0);
    r[0] = 1;
    store(r);
    for (std::uint32_t p : all) setBit(p, true);
    return;
  }
  const std::uint32_t ps = image_.pageSize();
  const std::uint32_t perPage = (ps - 4) * 8;
  const std::size_t k = page / perPage;
  if (1 + 4 * k + 4 > r.size()) {
    if (!on) return;
    throw WriteError("The usage map at page " + std::to_string(mapPage_) + " cannot address page " +
                     std::to_string(page) + ".");
  }
  std::uint32_t mp = get32(r.data() + 1 + 4 * k);
  if (mp == 0) {
    if (!on) return;
    mp = image_.allocatePage();
    std::uint8_t* bm = image_.page(mp);
    bm[0] = 0x05;
    bm[1] = 0x01;
    put32(r.data() + 1 + 4 * k, mp);
    store(r);
  }
  std::uint8_t* bm = image_.page(mp);
  const std::uint32_t bit = page % perPage;
  if (on)
    bm[4 + bit / 8] |= std::uint8_t(1u << (bit % 8));
  else
    bm[4 + bit / 8] &= std::uint8_t(~(1u << (bit % 8)));
}

}  // namespace jet
