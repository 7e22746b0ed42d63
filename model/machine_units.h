// The marking machine's unit: 0.025 mm. Coordinates on the wire, the machine bitmaps and the
// seal images all count in it.
#pragma once

inline constexpr int MACHINE_UNITS_PER_MM = 40;
