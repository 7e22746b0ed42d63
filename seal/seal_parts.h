// The seal parts: every object a seal is made of carries its part in its group id, so that the
// seal bars can hide, mask and convert a part by its layer and the conversions find its objects.
#pragma once

#include "model/machine_units.h"

inline constexpr int SEAL_PART_NONE = 0;
inline constexpr int SEAL_PART_OUTER_FRAME = 1;
inline constexpr int SEAL_PART_INNER_FRAME = 2;
inline constexpr int SEAL_PART_RING_TEXT = 3;
inline constexpr int SEAL_PART_INNER_TEXT = 4;

// Seal modes of the document.
inline constexpr int SEAL_MODE_NONE = 0;
inline constexpr int SEAL_MODE_PERSONAL = 1;
inline constexpr int SEAL_MODE_CORPORATE = 2;

// Layers of the parts. Personal seal: frame 0, text 1, mask 2. Corporate seal: frame 0, ring
// text 1, inner frame 2, inner text 3, masks 4 and 5.
inline constexpr int SEAL_LAYER_FRAME = 0;
inline constexpr int SEAL_LAYER_PERSONAL_TEXT = 1;
inline constexpr int SEAL_LAYER_RING_TEXT = 1;
inline constexpr int SEAL_LAYER_INNER_FRAME = 2;
inline constexpr int SEAL_LAYER_INNER_TEXT = 3;

// Seal images are rendered at one pixel per machine unit.
inline constexpr double SEAL_IMAGE_DOTS_PER_MM = MACHINE_UNITS_PER_MM;
