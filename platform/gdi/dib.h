// Device-independent bitmaps: rows bottom-up (positive height) or top-down, each padded to
// 4 bytes, 1-bit rows with the leftmost pixel in the most significant bit and the bit as palette
// index, palette entries blue, green, red, 0.
#pragma once

#include "platform/gdi/gdi_types.h"

// Copies `lines` scan lines from startScan (counted in the DIB's own row order) of the bitmap
// into bits, in the format of bmi's header (1, 24 or 32 bits per pixel); a 1-bit format also gets
// its palette. With bits null only the header is completed. Returns the number of lines, 0 on
// failure.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT lines, void* bits, BITMAPINFO* bmi,
              UINT usage);
// The reverse: sets the bitmap's scan lines from a DIB. Returns the number of lines, 0 on failure.
int SetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT lines, const void* bits,
              const BITMAPINFO* bmi, UINT usage);
// Bytes per stored row of a DIB.
inline int DibStride(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }
