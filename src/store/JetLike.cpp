#include "JetLike.h"

#include <QChar>

#include <type_traits>

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
    // A few signs fold into plain letters (the Kelvin sign into k); they stay themselves,
    // so that plain letters match only plain letters, as the word index sees them.
    const char32_t folded = QChar::toCaseFolded(c);
    return folded < 0x80 ? c : folded;
}

JetLikePattern::JetLikePattern(std::string_view pattern)
{
    m_segments.emplace_back();
    size_t pos = 0;
    while (pos < pattern.size()) {
        const char32_t c = nextCodePoint(pattern, pos);
        if (c == '*') {
            if (m_segments.size() == 1 && m_segments.back().elements.empty())
                m_leadingStar = true;
            else if (!m_segments.back().elements.empty())
                m_segments.emplace_back();
            continue;
        }
        Element e;
        if (c == '?') {
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
        Segment &s = m_segments.back();
        s.allLiteral = s.allLiteral && e.kind == Kind::Literal;
        s.literal += e.ch;
        if (e.kind == Kind::Literal) {
            m_asciiLiterals = m_asciiLiterals && e.ch < 0x80;
            s.asciiLiteral += char(e.ch);
        }
        s.elements.push_back(std::move(e));
    }
    // A pattern ending in a star leaves an empty last segment behind it.
    if (m_segments.size() > 1 && m_segments.back().elements.empty()) {
        m_segments.pop_back();
        m_trailingStar = true;
    } else if (m_segments.size() == 1 && m_segments.back().elements.empty()) {
        m_trailingStar = m_leadingStar;
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
    }
    return false;
}

namespace {

template <class Char> const auto &literalOf(const auto &segment)
{
    if constexpr (std::is_same_v<Char, char>)
        return segment.asciiLiteral;
    else
        return segment.literal;
}

} // namespace

template <class Char>
bool JetLikePattern::segmentAt(const Segment &s, std::basic_string_view<Char> text, size_t pos) const
{
    if (pos + s.elements.size() > text.size())
        return false;
    if (s.allLiteral)
        return text.compare(pos, s.elements.size(), literalOf<Char>(s)) == 0;
    for (size_t i = 0; i < s.elements.size(); ++i)
        if (!elementMatches(s.elements[i], char32_t(static_cast<std::make_unsigned_t<Char>>(text[pos + i]))))
            return false;
    return true;
}

template <class Char>
size_t JetLikePattern::findSegment(const Segment &s, std::basic_string_view<Char> text,
                                   size_t from) const
{
    if (s.allLiteral)
        return text.find(literalOf<Char>(s), from);
    for (size_t pos = from; pos + s.elements.size() <= text.size(); ++pos)
        if (segmentAt(s, text, pos))
            return pos;
    return std::basic_string_view<Char>::npos;
}

// Segments are fixed-length, so the first segment must sit at the start (unless a star
// leads), the last at the end (unless a star trails), and every one in between is best
// placed at the leftmost spot it fits.
template <class Char> bool JetLikePattern::matchFolded(std::basic_string_view<Char> t) const
{
    constexpr size_t npos = std::basic_string_view<Char>::npos;
    const size_t count = m_segments.size();
    if (count == 1 && !m_leadingStar && !m_trailingStar)
        return m_segments[0].elements.size() == t.size() && segmentAt(m_segments[0], t, 0);

    size_t pos = 0;
    size_t first = 0;
    size_t last = count;
    if (!m_leadingStar) {
        if (!segmentAt(m_segments[0], t, 0))
            return false;
        pos = m_segments[0].elements.size();
        first = 1;
    }
    std::basic_string_view<Char> middle = t;
    if (!m_trailingStar && last > first) {
        const Segment &tail = m_segments[last - 1];
        if (tail.elements.size() > t.size() - pos ||
            !segmentAt(tail, t, t.size() - tail.elements.size()))
            return false;
        --last;
        middle = t.substr(0, t.size() - tail.elements.size());
    }
    for (size_t i = first; i < last; ++i) {
        const size_t at = findSegment(m_segments[i], middle, pos);
        if (at == npos)
            return false;
        pos = at + m_segments[i].elements.size();
    }
    return true;
}

bool JetLikePattern::matches(std::string_view text) const
{
    // Plain ASCII texts, by far the most common, are folded and searched as bytes.
    if (m_asciiLiterals) {
        thread_local std::string bytes;
        bytes.resize(text.size());
        bool ascii = true;
        for (size_t i = 0; i < text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            ascii = ascii && byte < 0x80;
            bytes[i] = char(byte >= 'A' && byte <= 'Z' ? byte + 32 : byte);
        }
        if (ascii)
            return matchFolded(std::string_view(bytes));
    }
    thread_local std::u32string folded;
    folded.clear();
    for (size_t i = 0; i < text.size();)
        folded += foldCase(nextCodePoint(text, i));
    return matchFolded(std::u32string_view(folded));
}
