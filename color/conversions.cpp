#include "color/conversions.h"

#include <algorithm>

namespace {

int Clamp255(int value)
{
    if (value < 0)
        value = 0;
    if (value > 255)
        value = 255;
    return value;
}

// Any 32-bit hue to 0..359. Remainders keep the sign of the dividend, so a
// negative hue is lifted into 1..360 first; the second step folds 360 (and
// everything above 359) back into range. Neither step can overflow.
int NormaliseHue(int h)
{
    if (h < 0)
        h = h % 360 + 360;
    if (h > 359)
        h = h % 360;
    return h;
}

// Hue in whole degrees, rounded down, of a clamped RGB colour. Where two
// channels tie two sector tests hold and the later one stands; for a red with
// g == b that is the last test, whose 360 the final remainder turns into 0.
int Hue(int r, int g, int b)
{
    if (r == g && g == b)
        return 0;
    int h = 0;
    if (r >= g && g >= b)
        h = (g - b) * 60 / (r - b);
    if (g >= r && r >= b)
        h = (g - r) * 60 / (g - b) + 60;
    if (g >= b && b >= r)
        h = (b - r) * 60 / (g - r) + 120;
    if (b >= g && g >= r)
        h = (b - g) * 60 / (b - r) + 180;
    if (b >= r && r >= g)
        h = (r - g) * 60 / (b - g) + 240;
    if (r >= b && b >= g)
        h = (r - b) * 60 / (r - g) + 300;
    return h % 360;
}

// 255 - value without clamping. Computed in unsigned arithmetic so that the
// extreme inputs wrap instead of overflowing; for 0..255 it is the plain
// complement.
int Complement(int value)
{
    return static_cast<int>(255u - static_cast<unsigned>(value));
}

void HlsComponent(int& channel, int m1, int m2, int hue)
{
    if (hue < 60)
        channel = m1 + (m2 - m1) * hue / 60;
    else if (hue < 180)
        channel = m2;
    else if (hue < 240)
        channel = m1 + (m2 - m1) * (240 - hue) / 60;
    else
        channel = m1;
}

} // namespace

void RgbToHsv(int r, int g, int b, int& h, int& s, int& v)
{
    r = Clamp255(r);
    g = Clamp255(g);
    b = Clamp255(b);
    const int max = std::max({r, g, b});
    const int min = std::min({r, g, b});
    v = max;
    s = max == 0 ? 0 : (max - min) * 255 / max;
    h = Hue(r, g, b);
}

void HsvToRgb(int h, int s, int v, int& r, int& g, int& b)
{
    h = NormaliseHue(h);
    s = Clamp255(s);
    v = Clamp255(v);
    const int m = (255 - s) * v / 255;
    const int t = (v - m) * (h % 60) / 60;
    switch (h / 60) {
    case 0: r = v;     g = m + t; b = m;     break;
    case 1: r = v - t; g = v;     b = m;     break;
    case 2: r = m;     g = v;     b = m + t; break;
    case 3: r = m;     g = v - t; b = v;     break;
    case 4: r = m + t; g = m;     b = v;     break;
    default: r = v;    g = m;     b = v - t; break;
    }
}

void RgbToHls(int r, int g, int b, int& h, int& l, int& s)
{
    r = Clamp255(r);
    g = Clamp255(g);
    b = Clamp255(b);
    const int max = std::max({r, g, b});
    const int min = std::min({r, g, b});
    l = (max + min) / 2;
    if (max == min) {
        h = 0;
        s = 0;
        return;
    }
    // The branch is taken on l after halving, so 254 and 255 both fall on
    // the dark side, 256 and 257 on the light side.
    if (l < 128)
        s = (max - min) * 255 / (max + min);
    else
        s = (max - min) * 255 / (510 - max - min);
    h = Hue(r, g, b);
}

void HlsToRgb(int h, int l, int s, int& r, int& g, int& b)
{
    h = NormaliseHue(h);
    l = Clamp255(l);
    s = Clamp255(s);
    const int m2 = l < 128 ? (l * (s + 255) + 128) / 255
                           : l + s - (l * s + 128) / 255;
    const int m1 = 2 * l - m2;
    HlsComponent(r, m1, m2, (h + 120) % 360);
    HlsComponent(g, m1, m2, h);
    HlsComponent(b, m1, m2, (h + 240) % 360);
}

void RgbToYmc(int r, int g, int b, int& y, int& m, int& c)
{
    y = Complement(b);
    m = Complement(g);
    c = Complement(r);
}

void YmcToRgb(int y, int m, int c, int& r, int& g, int& b)
{
    r = Complement(c);
    g = Complement(m);
    b = Complement(y);
}
