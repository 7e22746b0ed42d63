#include "model/doc_clipboard.h"

namespace {

void PutInt(std::vector<std::uint8_t>& out, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
}

std::int32_t GetInt(const std::uint8_t* p) {
  std::uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(p[i]) << (8 * i);
  return static_cast<std::int32_t>(u);
}

}  // namespace

std::vector<std::uint8_t> ObjectClipboardBlock::ToBytes() const {
  std::vector<std::uint8_t> out;
  out.reserve(8 + 4 * indices.size());
  PutInt(out, nOperation);
  PutInt(out, static_cast<std::int32_t>(indices.size()));
  for (int index : indices) PutInt(out, index);
  return out;
}

bool ObjectClipboardBlock::FromBytes(const void* data, std::size_t size, ObjectClipboardBlock& out) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  if (!p || size < 8) return false;
  const std::int32_t count = GetInt(p + 4);
  if (count < 0 || static_cast<std::size_t>(count) > (size - 8) / 4) return false;
  out.nOperation = GetInt(p);
  out.indices.clear();
  for (std::int32_t i = 0; i < count; ++i) out.indices.push_back(GetInt(p + 8 + 4 * i));
  return true;
}
