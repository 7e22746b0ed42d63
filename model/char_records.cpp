#include "model/char_records.h"

#include <algorithm>

namespace {

const CTextCharRecord kZero{};

// One chunk of zeroed records shared by every text: a new or retyped text holds nothing else, so
// it costs a table of pointers whatever its length. Never written: this reference keeps it shared.
const std::shared_ptr<std::vector<CTextCharRecord>>& Zeros() {
  static const std::shared_ptr<std::vector<CTextCharRecord>> zeros =
      std::make_shared<std::vector<CTextCharRecord>>(CTextCharRecords::kChunk);
  return zeros;
}

}  // namespace

CTextCharRecords::CTextCharRecords(const std::vector<CTextCharRecord>& v) {
  resize(v.size());
  for (size_t i = 0; i < v.size(); ++i)
    if (!(v[i] == kZero)) (*this)[i] = v[i];
}

CTextCharRecords::Chunk& CTextCharRecords::Own(size_t c) {
  std::shared_ptr<Chunk>& p = m_chunks[c];
  if (p.use_count() != 1) p = std::make_shared<Chunk>(*p);
  return *p;
}

void CTextCharRecords::ClearTail() {
  const size_t used = m_size % kChunk;
  if (used == 0) return;
  const Chunk& last = *m_chunks.back();
  if (std::all_of(last.begin() + static_cast<std::ptrdiff_t>(used), last.end(),
                  [](const CTextCharRecord& r) { return r == kZero; }))
    return;
  Chunk& own = Own(m_chunks.size() - 1);
  std::fill(own.begin() + static_cast<std::ptrdiff_t>(used), own.end(), kZero);
}

void CTextCharRecords::assign(size_t n, const CTextCharRecord& r) {
  clear();
  if (r == kZero) {
    resize(n);
    return;
  }
  // Every chunk shares one filled chunk; the last, when partly used, gets its zeroed tail.
  m_chunks.assign((n + kChunk - 1) / kChunk, std::make_shared<Chunk>(kChunk, r));
  m_size = n;
  ClearTail();
}

void CTextCharRecords::clear() {
  m_chunks.clear();
  m_size = 0;
}

void CTextCharRecords::resize(size_t n) {
  const size_t chunks = (n + kChunk - 1) / kChunk;
  if (n < m_size) {
    m_chunks.resize(chunks);
    m_size = n;
    ClearTail();
  } else {
    // The records past the old size are already zero.
    m_chunks.resize(chunks, Zeros());
    m_size = n;
  }
}

void CTextCharRecords::push_back(const CTextCharRecord& r) {
  emplace_back();
  if (!(r == kZero)) (*this)[m_size - 1] = r;
}

void CTextCharRecords::emplace_back() { resize(m_size + 1); }

bool CTextCharRecords::operator==(const CTextCharRecords& o) const {
  if (m_size != o.m_size) return false;
  for (size_t c = 0; c < m_chunks.size(); ++c)
    if (m_chunks[c] != o.m_chunks[c] && !(*m_chunks[c] == *o.m_chunks[c])) return false;
  return true;
}

bool CTextCharRecords::KnownZero() const {
  if (m_chunks.empty()) return true;
  const Chunk* zeros = Zeros().get();
  for (const auto& c : m_chunks)
    if (c.get() != zeros) return false;
  return true;
}

std::vector<CTextCharRecord> CTextCharRecords::ToVector() const { return std::vector<CTextCharRecord>(begin(), end()); }

bool CTextCharRecords::SharesChunkWith(const CTextCharRecords& o) const {
  const size_t n = std::min(m_chunks.size(), o.m_chunks.size());
  for (size_t c = 0; c < n; ++c)
    if (m_chunks[c] == o.m_chunks[c]) return true;
  return false;
}
