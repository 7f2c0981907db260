#include "ResultsPaging.h"

#include <algorithm>
#include <limits>

ResultsPaging::Page ResultsPaging::at(qint64 sliderValue) const
{
    Page page;
    if (m_total == 0)
        return page;
    const qint64 first = std::clamp<qint64>(sliderValue, 0, m_total - 1);
    for (int row = 0; row < Rows; ++row) {
        const qint64 record = first + row;
        if (record >= m_total)
            break;
        page.records[size_t(row)] = record;
        page.position = record + 1;
    }
    return page;
}

int ResultsPaging::toControl(qint64 value)
{
    return int(std::clamp<qint64>(value, 0, std::numeric_limits<int>::max()));
}
