#pragma once

#include <QtGlobal>

#include <array>

// Which records the Results viewer shows for a slider position. The slider runs from 0 to
// the record total; at value v the page holds records v+1, v+2, v+3 (counted from 1), and
// at the far end the last record alone, so scrolling moves through every row in turn.
class ResultsPaging
{
public:
    static constexpr int Rows = 3;
    static constexpr qint64 Blank = -1;

    struct Page
    {
        // The record of each row, counted from 0, or Blank for a row past the last record.
        std::array<qint64, Rows> records{Blank, Blank, Blank};
        // Where the progress bar stands: the number of the last record on the page.
        qint64 position = 0;
    };

    explicit ResultsPaging(qint64 total) : m_total(total < 0 ? 0 : total) {}

    qint64 total() const { return m_total; }

    // The page the window opens on: records 1 to 3, slider and progress bar at
    // min(3, total).
    Page opening() const { return at(0); }
    // The page for a slider value; values outside 0..total are taken as the nearer end.
    Page at(qint64 sliderValue) const;

    // The slider and the progress bar hold int; a larger count stops at the int maximum
    // rather than wrapping round to a negative range.
    static int toControl(qint64 value);

private:
    qint64 m_total;
};
