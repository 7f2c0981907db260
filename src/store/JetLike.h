#pragma once

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
    enum class Kind { Literal, AnyRun, AnyOne, Digit, Class };
    struct Element
    {
        Kind kind = Kind::Literal;
        char32_t ch = 0;      // Literal, already folded
        bool negated = false; // Class
        std::vector<Range> ranges;
    };

    bool elementMatches(const Element &e, char32_t folded) const;

    std::vector<Element> m_elements;
};

// Decodes UTF-8 one code point at a time; malformed bytes read as U+FFFD.
char32_t nextCodePoint(std::string_view text, size_t &pos);
// Simple case folding for comparisons that ignore letter case.
char32_t foldCase(char32_t c);
