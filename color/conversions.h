#pragma once

// Integer conversions between RGB and the HSV, HLS and YMC formats.
// Inputs by value, outputs by reference. Every output is written on every
// call; out-of-range inputs are clamped (components) or wrapped (hues), so
// any 32-bit value is accepted. No floating point: every division truncates,
// except the two rounded divisions by 255 inside HlsToRgb.

void RgbToHsv(int r, int g, int b, int& h, int& s, int& v);
void HsvToRgb(int h, int s, int v, int& r, int& g, int& b);
void RgbToHls(int r, int g, int b, int& h, int& l, int& s);
void HlsToRgb(int h, int l, int s, int& r, int& g, int& b);
void RgbToYmc(int r, int g, int b, int& y, int& m, int& c);
void YmcToRgb(int y, int m, int c, int& r, int& g, int& b);
