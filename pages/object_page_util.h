// Table builders shared by the object pages' binding tables.
#pragma once

#include <array>
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

template <size_t N>
const PageBinding* Table(const std::array<PageBinding, N>& table, int& count) {
  count = static_cast<int>(N);
  return table.data();
}

// One control of an object page with the field of the object it shows, so that one table gives
// both the page's bindings and its fill: a length, a count, or neither (radios, checks), which
// the page fills itself.
template <class Object>
struct Field {
  // A control without a field (converts, so radios sit in the table as they are).
  constexpr Field(const PageBinding& b) : binding(b) {}
  constexpr Field(const PageBinding& b, double Object::*l) : binding(b), length(l) {}
  constexpr Field(const PageBinding& b, int Object::*c) : binding(b), count(c) {}
  // A field the object has from its base class.
  template <class Base>
  constexpr Field(const Field<Base>& f) : binding(f.binding), length(f.length), count(f.count) {}

  PageBinding binding;
  double Object::*length = nullptr;
  int Object::*count = nullptr;
};

template <class Object>
constexpr Field<Object> Length(int edit, int spin, double Object::*field) {
  return Field<Object>(Length(edit, spin), field);
}
template <class Object>
constexpr Field<Object> Count(int edit, int spin, int Object::*field) {
  return Field<Object>(Count(edit, spin), field);
}

// The bindings of a field table, in its order.
template <class Object, size_t N>
constexpr std::array<PageBinding, N> BindingsOf(const Field<Object> (&fields)[N]) {
  std::array<PageBinding, N> table{};
  for (size_t i = 0; i < N; ++i) table[i] = fields[i].binding;
  return table;
}

// The field an edit shows; null when the table has none for it.
template <class Object, size_t N>
const double* LengthOf(const Object* o, const Field<Object> (&fields)[N], int edit) {
  for (const Field<Object>& f : fields)
    if (f.binding.id == edit && f.length) return &(o->*f.length);
  return nullptr;
}

}  // namespace objpage
