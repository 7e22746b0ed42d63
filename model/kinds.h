// Object kinds and the constants every subsystem shares. The kind numbers are stored in every
// object and written into both project-file formats: never renumber them.
#pragma once

enum ObjectType : int {
  TYPE_LINE = 0,
  TYPE_RECTANGLE,
  TYPE_CIRCLE,
  TYPE_TRIANGLE,
  TYPE_RHOMBIC,
  TYPE_POLYGON,
  TYPE_TEXT1,
  TYPE_TEXT2,
  TYPE_BMP,
  TYPE_BARCODE,
  TYPE_PLT,
  TYPE_VCT,
  TYPE_MULTI,
  TYPE_NONE,
  TYPE_DRAWING,
  TYPE_DRAWING_SETTING,
  TYPE_DRAWING_AREA,
  TYPE_DRAWING_FIELD,
  TYPE_FREELINE,
  TYPE_IMAGE,
  TYPE_UNKNOWN,
  TYPE_ENDMARK,
};

static_assert(TYPE_BMP == 8 && TYPE_BARCODE == 9 && TYPE_MULTI == 12 && TYPE_DRAWING == 14 && TYPE_ENDMARK == 21);

// The first 32 bytes of a binary project file, without terminator.
inline constexpr char MRK_BINARY_HEADER[] = "MRK BINARY FILE (Vexor Co., Ltd)";
inline constexpr int MRK_BINARY_HEADER_LENGTH = 32;
static_assert(sizeof(MRK_BINARY_HEADER) - 1 == MRK_BINARY_HEADER_LENGTH);

// "ＭＳ 明朝" in code page 932: the default face of seal texts.
inline constexpr char DEFAULT_FACE_NAME[] = "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9";
