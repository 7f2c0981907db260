#include "JetLike.h"

#include <QChar>

char32_t nextCodePoint(std::string_view text, size_t &pos)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + extra >= text.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (int i = 1; i <= extra; ++i) {
        const unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

char32_t foldCase(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    return QChar::toCaseFolded(c);
}

JetLikePattern::JetLikePattern(std::string_view pattern)
{
    size_t pos = 0;
    while (pos < pattern.size()) {
        const char32_t c = nextCodePoint(pattern, pos);
        Element e;
        e.kind = Kind::Literal;
        if (c == '*') {
            // Runs of stars match like one star; keeping one keeps the matcher linear.
            if (!m_elements.empty() && m_elements.back().kind == Kind::AnyRun)
                continue;
            e.kind = Kind::AnyRun;
        } else if (c == '?') {
            e.kind = Kind::AnyOne;
        } else if (c == '#') {
            e.kind = Kind::Digit;
        } else if (c == '[' && pattern.find(']', pos) != std::string_view::npos) {
            e.kind = Kind::Class;
            size_t p = pos;
            if (p < pattern.size() && pattern[p] == '!') {
                e.negated = true;
                ++p;
            }
            const size_t end = pattern.find(']', p);
            while (p < end) {
                const char32_t low = foldCase(nextCodePoint(pattern, p));
                char32_t high = low;
                if (p + 1 < end && pattern[p] == '-') {
                    ++p;
                    high = foldCase(nextCodePoint(pattern, p));
                }
                e.ranges.push_back({std::min(low, high), std::max(low, high)});
            }
            pos = end + 1;
        } else {
            e.ch = foldCase(c);
        }
        m_elements.push_back(std::move(e));
    }
}

bool JetLikePattern::elementMatches(const Element &e, char32_t folded) const
{
    switch (e.kind) {
    case Kind::Literal:
        return e.ch == folded;
    case Kind::AnyOne:
        return true;
    case Kind::Digit:
        return folded >= '0' && folded <= '9';
    case Kind::Class: {
        bool inside = false;
        for (const Range &r : e.ranges)
            inside = inside || (folded >= r.low && folded <= r.high);
        return inside != e.negated;
    }
    case Kind::AnyRun:
        break;
    }
    return false;
}

// The classic wildcard walk: remember the last star and where the text stood when we
// took it, and on a mismatch let that star swallow one more character.
bool JetLikePattern::matches(std::string_view text) const
{
    size_t ti = 0;
    size_t ei = 0;
    size_t starElement = SIZE_MAX;
    size_t starText = 0;
    while (ti < text.size()) {
        size_t next = ti;
        const char32_t c = foldCase(nextCodePoint(text, next));
        if (ei < m_elements.size() && m_elements[ei].kind == Kind::AnyRun) {
            starElement = ei++;
            starText = ti;
            continue;
        }
        if (ei < m_elements.size() && elementMatches(m_elements[ei], c)) {
            ++ei;
            ti = next;
            continue;
        }
        if (starElement == SIZE_MAX)
            return false;
        ei = starElement + 1;
        size_t skip = starText;
        nextCodePoint(text, skip);
        starText = skip;
        ti = skip;
    }
    while (ei < m_elements.size() && m_elements[ei].kind == Kind::AnyRun)
        ++ei;
    return ei == m_elements.size();
}
