#pragma once

// Shared by the core tests: a component triple that prints itself in failure
// messages, and a call wrapper that catches outputs a conversion forgets to
// write.

#include <cstdint>
#include <ostream>

struct Triple {
    int a, b, c;
};

inline bool operator==(const Triple& x, const Triple& y)
{
    return x.a == y.a && x.b == y.b && x.c == y.c;
}

inline bool operator!=(const Triple& x, const Triple& y)
{
    return !(x == y);
}

inline std::ostream& operator<<(std::ostream& out, const Triple& t)
{
    return out << '(' << t.a << ", " << t.b << ", " << t.c << ')';
}

using Conversion = void (*)(int, int, int, int&, int&, int&);

// The outputs start as a value no conversion produces, so an output left
// unwritten shows up as a wrong result.
constexpr int kUnwritten = -0x5A5A5A5A;

inline Triple Convert(Conversion f, Triple in)
{
    Triple out{kUnwritten, kUnwritten, kUnwritten};
    f(in.a, in.b, in.c, out.a, out.b, out.c);
    return out;
}

// 0x00RRGGBB index of an RGB colour, for the exhaustive sweeps.
inline std::uint32_t PackRgb(int r, int g, int b)
{
    return static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 |
           static_cast<std::uint32_t>(b);
}

inline Triple UnpackRgb(std::uint32_t rgb)
{
    return {static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
            static_cast<int>(rgb & 0xFF)};
}
