#include "platform/gdi/path_cells_cache.h"

#include <algorithm>
#include <cstring>

namespace gdi {
namespace {

std::uint64_t Mix(std::uint64_t h, std::uint64_t v) {
  h ^= v + 0x9E3779B97F4A7C15ULL + (h << 6) + (h >> 2);
  return h * 0xFF51AFD7ED558CCDULL;
}

std::uint64_t Bits(double v) {
  std::uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

size_t RegionBytes(const SpanRegion& r) {
  return r.bands.capacity() * sizeof(SpanBand) + r.xs.capacity() * sizeof(int);
}

// Bookkeeping per entry besides its arrays: the list node, the index node, the cells' block.
constexpr size_t kEntryOverhead = 160;

}  // namespace

std::uint64_t PathCellsKey::Hash() const {
  std::uint64_t h = Mix(count, Bits(scaleX));
  h = Mix(h, Bits(scaleY));
  h = Mix(h, (std::uint64_t(std::uint32_t(windowOrg.x)) << 32) | std::uint32_t(windowOrg.y));
  h = Mix(h, (std::uint64_t(std::uint32_t(viewportOrg.x)) << 32) | std::uint32_t(viewportOrg.y));
  h = Mix(h, (std::uint64_t(std::uint32_t(penWidth)) << 32) | (std::uint32_t(fillMode) << 1) | (fill ? 1 : 0));
  for (size_t i = 0; i < count; ++i)
    h = Mix(h, (std::uint64_t(std::uint32_t(pts[i].x)) << 32) ^ (std::uint64_t(std::uint32_t(pts[i].y)) << 8) ^
                   types[i]);
  return h;
}

PathCellsCache& PathCellsCache::Instance() {
  // Lives as long as the process: paints may run during static destruction of views.
  static PathCellsCache* cache = new PathCellsCache;
  return *cache;
}

bool PathCellsCache::Same(const Entry& e, const PathCellsKey& key, std::uint64_t hash) {
  const PathCellsKey& p = e.params;
  return e.hash == hash && p.count == key.count && p.scaleX == key.scaleX && p.scaleY == key.scaleY &&
         p.windowOrg.x == key.windowOrg.x && p.windowOrg.y == key.windowOrg.y &&
         p.viewportOrg.x == key.viewportOrg.x && p.viewportOrg.y == key.viewportOrg.y &&
         p.fillMode == key.fillMode && p.penWidth == key.penWidth && p.fill == key.fill &&
         std::memcmp(p.types, key.types, key.count) == 0 &&
         std::equal(key.pts, key.pts + key.count, p.pts,
                    [](const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; });
}

std::shared_ptr<const PathCells> PathCellsCache::Find(const PathCellsKey& key, std::uint64_t hash) {
  std::lock_guard<std::mutex> hold(m_lock);
  if (!m_enabled) return nullptr;
  const auto it = m_index.find(hash);
  if (it == m_index.end() || !Same(*it->second, key, hash)) return nullptr;
  m_lru.splice(m_lru.begin(), m_lru, it->second);
  ++m_hits;
  return it->second->cells;
}

void PathCellsCache::Store(const PathCellsKey& key, std::uint64_t hash, std::shared_ptr<const PathCells> cells) {
  if (!cells || !key.pts || !key.types) return;
  const size_t bytes = key.count * (sizeof(POINT) + sizeof(BYTE)) + RegionBytes(cells->area) +
                       RegionBytes(cells->pen) + sizeof(Entry) + kEntryOverhead;
  std::lock_guard<std::mutex> hold(m_lock);
  if (!m_enabled || bytes > m_budget / 16) return;
  if (const auto it = m_index.find(hash); it != m_index.end()) {
    if (Same(*it->second, key, hash)) return;
    // Another path with the same hash: the newer one takes its place.
    m_bytes -= it->second->bytes;
    m_lru.erase(it->second);
    m_index.erase(it);
  }
  Entry e;
  e.hash = hash;
  e.pts.assign(key.pts, key.pts + key.count);
  e.types.assign(key.types, key.types + key.count);
  e.params = key;
  e.params.pts = e.pts.data();
  e.params.types = e.types.data();
  e.cells = std::move(cells);
  e.bytes = bytes;
  m_lru.push_front(std::move(e));
  m_index.emplace(hash, m_lru.begin());
  m_bytes += bytes;
  Trim();
}

void PathCellsCache::Trim() {
  while (m_bytes > m_budget && !m_lru.empty()) {
    auto victim = std::prev(m_lru.end());
    m_index.erase(victim->hash);
    m_bytes -= victim->bytes;
    m_lru.erase(victim);
  }
}

void PathCellsCache::SetBudget(size_t bytes) {
  std::lock_guard<std::mutex> hold(m_lock);
  m_budget = bytes;
  Trim();
}

size_t PathCellsCache::Budget() const {
  std::lock_guard<std::mutex> hold(m_lock);
  return m_budget;
}

size_t PathCellsCache::Bytes() const {
  std::lock_guard<std::mutex> hold(m_lock);
  return m_bytes;
}

size_t PathCellsCache::Count() const {
  std::lock_guard<std::mutex> hold(m_lock);
  return m_lru.size();
}

void PathCellsCache::DropAll() {
  m_index.clear();
  m_lru.clear();
  m_bytes = 0;
  m_hits = 0;
}

size_t PathCellsCache::Hits() const {
  std::lock_guard<std::mutex> hold(m_lock);
  return m_hits;
}

void PathCellsCache::Clear() {
  std::lock_guard<std::mutex> hold(m_lock);
  DropAll();
}

void PathCellsCache::SetEnabled(bool on) {
  std::lock_guard<std::mutex> hold(m_lock);
  m_enabled = on;
  if (!on) DropAll();
}

bool PathCellsCache::Enabled() const {
  std::lock_guard<std::mutex> hold(m_lock);
  return m_enabled;
}

}  // namespace gdi
