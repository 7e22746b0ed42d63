// The cells that filled and stroked paths cover on a pixel device, kept between paints. Text is
// drawn glyph by glyph as paths, and a repaint draws the same glyphs (and shapes) at the same
// places again: an equal path in an equal mapping covers the same cells, so its flattening and
// scan conversion are done once. The key is everything the cells depend on (the path's logical
// points and types, the mapping, fill mode, pen width and what is drawn) and is compared whole,
// not only by its hash, so a hit paints exactly the cells a miss would. Colours and raster
// operations are applied when painting and are no part of the key.
//
// Bounded by memory: the least recently used entries go first. Shared by every DC of the
// process; safe to use from any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/gdi/span_region.h"
#include "platform/wintypes.h"

namespace gdi {

// The cells of one path: its brush area and its pen area (either may be empty).
struct PathCells {
  SpanRegion area;
  SpanRegion pen;
  RECT box{};  // bounds of both
};

// A path as it would be drawn, by reference to the caller's arrays.
struct PathCellsKey {
  const POINT* pts = nullptr;
  const BYTE* types = nullptr;
  size_t count = 0;
  double scaleX = 0, scaleY = 0;
  POINT windowOrg{}, viewportOrg{};
  int fillMode = 0;
  int penWidth = 0;  // 0: no pen
  bool fill = false;

  std::uint64_t Hash() const;
};

class PathCellsCache {
 public:
  static constexpr size_t kDefaultBudget = 64u << 20;

  static PathCellsCache& Instance();

  // The cells stored for an equal key (they become the most recent), or null.
  std::shared_ptr<const PathCells> Find(const PathCellsKey& key) { return Find(key, key.Hash()); }
  // The same with the key's hash already taken.
  std::shared_ptr<const PathCells> Find(const PathCellsKey& key, std::uint64_t hash);
  // Keeps a copy of the key with its cells; entries beyond the budget are dropped, oldest first.
  // An entry larger than a sixteenth of the budget is not kept.
  void Store(const PathCellsKey& key, std::shared_ptr<const PathCells> cells) {
    Store(key, key.Hash(), std::move(cells));
  }
  void Store(const PathCellsKey& key, std::uint64_t hash, std::shared_ptr<const PathCells> cells);

  void SetBudget(size_t bytes);
  size_t Budget() const;
  // Memory held by the entries (keys, cells and bookkeeping), as counted against the budget.
  size_t Bytes() const;
  size_t Count() const;
  // Finds that were answered from the cache since the last Clear.
  size_t Hits() const;
  void Clear();
  // Off: every path is converted afresh (for comparisons).
  void SetEnabled(bool on);
  bool Enabled() const;

 private:
  struct Entry {
    std::uint64_t hash = 0;
    std::vector<POINT> pts;
    std::vector<BYTE> types;
    PathCellsKey params;  // pts and types point into the vectors above
    std::shared_ptr<const PathCells> cells;
    size_t bytes = 0;
  };
  using Lru = std::list<Entry>;

  static bool Same(const Entry& e, const PathCellsKey& key, std::uint64_t hash);
  void Trim();
  void DropAll();

  mutable std::mutex m_lock;
  Lru m_lru;  // most recent first
  std::unordered_map<std::uint64_t, Lru::iterator> m_index;  // one entry per hash
  size_t m_budget = kDefaultBudget;
  size_t m_bytes = 0;
  size_t m_hits = 0;
  bool m_enabled = true;
};

}  // namespace gdi
