// The round trip that every panel update applies to an RGB colour in HSV and
// HLS, swept over all 16,777,216 colours: how many it keeps, how many a second
// trip still changes, and how long repeated trips take to settle.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "color/conversions.h"
#include "tests/core/triple.h"

namespace {

constexpr std::uint32_t kColours = 1u << 24;

// The image of one trip for every colour, indexed by 0x00RRGGBB.
class TripTable {
public:
    TripTable(Conversion into, Conversion back) : next_(kColours)
    {
        for (std::uint32_t rgb = 0; rgb < kColours; ++rgb) {
            const Triple stored = Convert(back, Convert(into, UnpackRgb(rgb)));
            next_[rgb] = PackRgb(stored.a, stored.b, stored.c);
        }
    }

    std::uint32_t operator[](std::uint32_t rgb) const { return next_[rgb]; }

private:
    std::vector<std::uint32_t> next_;
};

// Trips each colour needs to reach a colour that the trip keeps, found by
// walking each chain once and remembering every depth on the way back.
struct Chains {
    std::vector<std::uint8_t> depth;
    int longest = 0;
    int cycles = 0;
};

Chains ChainDepths(const TripTable& trip)
{
    constexpr std::uint8_t kUnknown = 255;
    constexpr std::uint8_t kOnPath = 254;
    Chains chains;
    chains.depth.assign(kColours, kUnknown);
    std::vector<std::uint32_t> path;
    for (std::uint32_t start = 0; start < kColours; ++start) {
        path.clear();
        std::uint32_t rgb = start;
        while (chains.depth[rgb] == kUnknown) {
            if (trip[rgb] == rgb) {
                chains.depth[rgb] = 0;
                break;
            }
            chains.depth[rgb] = kOnPath;
            path.push_back(rgb);
            rgb = trip[rgb];
        }
        int depth;
        if (chains.depth[rgb] == kOnPath) {
            // Back on this walk's own path without a kept colour: a cycle.
            ++chains.cycles;
            depth = kOnPath - 1;
        } else {
            depth = chains.depth[rgb];
        }
        for (auto it = path.rbegin(); it != path.rend(); ++it) {
            depth = std::min(depth + 1, kOnPath - 1);
            chains.depth[*it] = static_cast<std::uint8_t>(depth);
        }
        if (depth > chains.longest)
            chains.longest = depth;
    }
    return chains;
}

struct Figures {
    int unchanged = 0;
    int changedBySecondTrip = 0;
};

Figures Count(const TripTable& trip)
{
    Figures figures;
    for (std::uint32_t rgb = 0; rgb < kColours; ++rgb) {
        const std::uint32_t once = trip[rgb];
        figures.unchanged += once == rgb;
        figures.changedBySecondTrip += trip[once] != once;
    }
    return figures;
}

// The colours met by repeated trips from start, start itself first, up to
// and including the first colour that the trip keeps.
std::vector<Triple> Chain(const TripTable& trip, Triple start)
{
    std::vector<Triple> chain{start};
    std::uint32_t rgb = PackRgb(start.a, start.b, start.c);
    while (trip[rgb] != rgb && chain.size() < 1000) {
        rgb = trip[rgb];
        chain.push_back(UnpackRgb(rgb));
    }
    return chain;
}

class RoundTripSweep : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        hsv_ = std::make_unique<TripTable>(RgbToHsv, HsvToRgb);
        hls_ = std::make_unique<TripTable>(RgbToHls, HlsToRgb);
    }

    static void TearDownTestSuite()
    {
        hsv_.reset();
        hls_.reset();
    }

    static std::unique_ptr<TripTable> hsv_;
    static std::unique_ptr<TripTable> hls_;
};

std::unique_ptr<TripTable> RoundTripSweep::hsv_;
std::unique_ptr<TripTable> RoundTripSweep::hls_;

TEST_F(RoundTripSweep, HsvFigures)
{
    const Figures figures = Count(*hsv_);
    EXPECT_EQ(figures.unchanged, 1134748);
    EXPECT_EQ(figures.changedBySecondTrip, 14330028);

    const Chains chains = ChainDepths(*hsv_);
    EXPECT_EQ(chains.cycles, 0);
    EXPECT_EQ(chains.longest, 60);
}

TEST_F(RoundTripSweep, HlsFigures)
{
    const Figures figures = Count(*hls_);
    EXPECT_EQ(figures.unchanged, 2731996);
    EXPECT_EQ(figures.changedBySecondTrip, 6742500);

    const Chains chains = ChainDepths(*hls_);
    EXPECT_EQ(chains.cycles, 0);
    EXPECT_EQ(chains.longest, 30);
}

TEST_F(RoundTripSweep, GreysAreKept)
{
    for (int v = 0; v < 256; ++v) {
        const std::uint32_t grey = PackRgb(v, v, v);
        EXPECT_EQ((*hsv_)[grey], grey) << v;
        EXPECT_EQ((*hls_)[grey], grey) << v;
    }
}

TEST_F(RoundTripSweep, HsvGreenClimbsOneUnitPerTrip)
{
    const std::vector<Triple> chain = Chain(*hsv_, {0, 1, 61});
    ASSERT_EQ(chain.size(), 61u);  // the start and 60 trips
    for (int i = 0; i <= 60; ++i)
        EXPECT_EQ(chain[i], (Triple{0, 1 + i, 61})) << "after " << i << " trips";
}

TEST_F(RoundTripSweep, HlsBlueFallsOneUnitPerTrip)
{
    const std::vector<Triple> chain = Chain(*hls_, {0, 62, 30});
    ASSERT_EQ(chain.size(), 31u);
    for (int i = 0; i <= 30; ++i)
        EXPECT_EQ(chain[i], (Triple{0, 62, 30 - i})) << "after " << i << " trips";
}

TEST_F(RoundTripSweep, HlsPurpleDriftsTowardsBlue)
{
    const std::vector<Triple> chain = Chain(*hls_, {86, 0, 87});
    ASSERT_EQ(chain.size(), 31u);
    const Triple firstSteps[] = {{86, 0, 87}, {84, 0, 86}, {83, 0, 86}, {81, 0, 86}, {80, 0, 86}};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(chain[i], firstSteps[i]) << "after " << i << " trips";
    EXPECT_EQ(chain.back(), (Triple{43, 0, 86}));
}

} // namespace
