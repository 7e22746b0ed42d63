// A text object's character records, kept in fixed-size chunks that copies of the object share
// until one of them changes a chunk. A text of a million characters is copied by every paint and
// page refresh (clones, trackers, measured-rectangle keys); sharing makes such a copy cost the
// chunk table, and a change to one character costs one chunk.
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <type_traits>
#include <vector>

// Adjustments of one character to its object's values; all 0 in a new record. Stored in files
// as one 56-byte block of seven doubles.
struct CTextCharRecord {
  double dSizeX = 0.0;       // added to the character width, mm
  double dSizeY = 0.0;       // added to the character height, mm
  double dOffsetX = 0.0;     // mm
  double dOffsetY = 0.0;     // mm
  double dAngle = 0.0;       // extra rotation, degrees
  double dFontWidthX = 0.0;  // added to the object's line width X, mm
  double dFontWidthY = 0.0;  // added to the object's line width Y, mm

  bool operator==(const CTextCharRecord&) const = default;
};
static_assert(sizeof(CTextCharRecord) == 56, "a character record is seven packed doubles");

class CTextCharRecords {
  template <bool Const>
  class Iter;

 public:
  static constexpr size_t kChunk = 1024;
  using value_type = CTextCharRecord;
  using iterator = Iter<false>;
  using const_iterator = Iter<true>;

  CTextCharRecords() = default;
  CTextCharRecords(const std::vector<CTextCharRecord>& v);  // NOLINT: a plain list of records reads as one

  size_t size() const { return m_size; }
  bool empty() const { return m_size == 0; }
  const CTextCharRecord& operator[](size_t i) const { return (*m_chunks[i / kChunk])[i % kChunk]; }
  // Writable access gives this object its own copy of the chunk first.
  CTextCharRecord& operator[](size_t i) { return Own(i / kChunk)[i % kChunk]; }

  void assign(size_t n, const CTextCharRecord& r);
  void clear();
  void resize(size_t n);
  void push_back(const CTextCharRecord& r);
  void emplace_back();  // a zeroed record

  const_iterator begin() const;
  const_iterator end() const;
  iterator begin();
  iterator end();

  // Equal sizes and records; chunks still shared are equal without being read.
  bool operator==(const CTextCharRecords& o) const;
  // Whether every record is known to be zero without reading any: all chunks are still the one
  // shared zeroed chunk (false says nothing).
  bool KnownZero() const;
  std::vector<CTextCharRecord> ToVector() const;
  // Whether any chunk is still shared with o (for the tests of the sharing itself).
  bool SharesChunkWith(const CTextCharRecords& o) const;

 private:
  using Chunk = std::vector<CTextCharRecord>;  // always kChunk records; those past size() are zero
  Chunk& Own(size_t c);
  // Zeroes the records of the last chunk from size() on, keeping the invariant above.
  void ClearTail();

  std::vector<std::shared_ptr<Chunk>> m_chunks;
  size_t m_size = 0;
};

template <bool Const>
class CTextCharRecords::Iter {
  using Owner = std::conditional_t<Const, const CTextCharRecords, CTextCharRecords>;
  using Ref = std::conditional_t<Const, const CTextCharRecord&, CTextCharRecord&>;

 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = CTextCharRecord;
  using difference_type = std::ptrdiff_t;
  using pointer = std::remove_reference_t<Ref>*;
  using reference = Ref;

  Iter() = default;
  Iter(Owner* owner, size_t i) : m_owner(owner), m_i(i) {}
  Ref operator*() const { return (*m_owner)[m_i]; }
  pointer operator->() const { return &(*m_owner)[m_i]; }
  Iter& operator++() {
    ++m_i;
    return *this;
  }
  Iter operator++(int) {
    Iter was = *this;
    ++m_i;
    return was;
  }
  bool operator==(const Iter& o) const { return m_i == o.m_i; }

 private:
  Owner* m_owner = nullptr;
  size_t m_i = 0;
};

inline CTextCharRecords::const_iterator CTextCharRecords::begin() const { return {this, 0}; }
inline CTextCharRecords::const_iterator CTextCharRecords::end() const { return {this, m_size}; }
inline CTextCharRecords::iterator CTextCharRecords::begin() { return {this, 0}; }
inline CTextCharRecords::iterator CTextCharRecords::end() { return {this, m_size}; }
