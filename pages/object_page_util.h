// Table builders shared by the object pages' binding tables.
#pragma once

#include <cstddef>

#include "pages/page_helper.h"

namespace objpage {

// A length edit in millimetres, three decimals, with its spin.
constexpr PageBinding Length(int edit, int spin) { return PageBinding{edit, BIND_EDIT_DOUBLE, spin, 3, TRUE, 0}; }
// A whole-number edit with its spin.
constexpr PageBinding Count(int edit, int spin) { return PageBinding{edit, BIND_EDIT_INT, spin, 0, FALSE, 0}; }
// One radio of a group, checked when the field holds `value`.
constexpr PageBinding Radio(int id, int value) { return PageBinding{id, BIND_RADIO, 0, 3, TRUE, value}; }

template <size_t N>
const PageBinding* Table(const PageBinding (&table)[N], int& count) {
  count = static_cast<int>(N);
  return table;
}

}  // namespace objpage
