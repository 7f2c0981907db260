#pragma once

#include <string>
#include <string_view>
#include <vector>

// Translates the Access-style SQL the user and the program write into SQLite SQL.
// Text in double quotes becomes a string literal and `[name]` an identifier; every
// other token, comments and single-quoted literals included, passes through untouched.
// `like` keeps its Access wildcards: the database registers a matching `like` function.
//
// One rewrite is for speed: a condition `word like 'abc*'` standing alone between WHERE,
// AND, OR, NOT or brackets gains a range on the case-blind index of `word`,
// `(word like 'abc*' AND word >= 'abc' COLLATE NOCASE AND word < 'abd' COLLATE NOCASE)`,
// which selects the same rows without reading the whole collection.
namespace JetDialect {

enum class TokenKind { Word, String, QuotedText, Bracketed, Backticked, Comment, Space, Symbol };

struct Token
{
    TokenKind kind;
    std::string_view text; // the token as written, delimiters included
};

std::vector<Token> tokenize(std::string_view sql);

std::string translate(std::string_view sql);

// True when the text holds nothing but blanks, comments and semicolons.
bool isBlank(std::string_view sql);

} // namespace JetDialect
