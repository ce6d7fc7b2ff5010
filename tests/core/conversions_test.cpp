#include <gtest/gtest.h>

#include "color/conversions.h"

TEST(Smoke, Red)
{
    int h, s, v;
    RgbToHsv(255, 0, 0, h, s, v);
    EXPECT_EQ(h, 0);
}
