#pragma once

#include <string>
#include <string_view>
#include <vector>

// The Access-style `like` matcher: `*` any run, `?` one character, `#` one digit,
// `[abc]`, `[a-z]` and `[!abc]` classes. `%` and `_` are ordinary characters and the
// match ignores letter case. Patterns and texts are UTF-8.
class JetLikePattern
{
public:
    explicit JetLikePattern(std::string_view pattern);

    bool matches(std::string_view text) const;

private:
    struct Range
    {
        char32_t low;
        char32_t high;
    };
    enum class Kind { Literal, AnyOne, Digit, Class };
    struct Element
    {
        Kind kind = Kind::Literal;
        char32_t ch = 0;      // Literal, already folded
        bool negated = false; // Class
        std::vector<Range> ranges;
    };
    // The elements between two stars. Each element takes exactly one character, so a
    // segment has a fixed length and the leftmost place it fits is always the right one.
    struct Segment
    {
        std::vector<Element> elements;
        std::u32string literal; // the folded text when every element is a literal
        std::string asciiLiteral; // the same as bytes, when it is plain ASCII
        bool allLiteral = true;
    };

    bool elementMatches(const Element &e, char32_t folded) const;
    // The match over a text already folded, as bytes (plain ASCII) or code points.
    template <class Char> bool matchFolded(std::basic_string_view<Char> text) const;
    template <class Char>
    bool segmentAt(const Segment &s, std::basic_string_view<Char> text, size_t pos) const;
    template <class Char>
    size_t findSegment(const Segment &s, std::basic_string_view<Char> text, size_t from) const;

    std::vector<Segment> m_segments; // separated by stars
    bool m_leadingStar = false;
    bool m_trailingStar = false;
    bool m_asciiLiterals = true; // every literal is plain ASCII: ASCII texts match as bytes
};

// Decodes UTF-8 one code point at a time; malformed bytes read as U+FFFD.
char32_t nextCodePoint(std::string_view text, size_t &pos);
// Simple case folding for comparisons that ignore letter case.
char32_t foldCase(char32_t c);
