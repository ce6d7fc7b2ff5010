#pragma once

#include <vector>

#include "color/colorref.h"

// The colours the captures of this run left, newest first, each once; held
// in memory only, as everything else.
class RecentColors {
public:
    static constexpr std::size_t kMaxCount = 10;

    // To the front; a colour already listed moves there instead of
    // appearing twice, and the oldest falls off beyond kMaxCount.
    void Add(COLORREF color);
    const std::vector<COLORREF>& Colors() const { return m_colors; }

private:
    std::vector<COLORREF> m_colors;
};
