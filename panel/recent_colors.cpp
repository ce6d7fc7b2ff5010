#include "panel/recent_colors.h"

#include <algorithm>

void RecentColors::Add(COLORREF color)
{
    auto found = std::find(m_colors.begin(), m_colors.end(), color);
    if (found == m_colors.end()) {
        if (m_colors.size() == kMaxCount)
            m_colors.pop_back();
        found = m_colors.insert(m_colors.end(), color);
    }
    // Rotated to the front, the others keep their order behind it.
    std::rotate(m_colors.begin(), found, found + 1);
}
