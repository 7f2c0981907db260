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
//
// Another is for substring searches: in `Select ... from <collection> where ...`, a
// condition `meaning like '*abc*'` that is one of the WHERE clause's own AND terms gains
// `AND rowid IN (<candidates from the trigram index>)` when the pattern holds at least three
// plain characters in a row. The like condition itself stays, so every candidate is still
// checked by the real matcher and the rows are exactly those of a full scan, in table order.
namespace JetDialect {

// What the substring rewrite needs to know of the database.
class SubstringIndex
{
public:
    virtual ~SubstringIndex() = default;
    // The trigram index to search for `match` (an FTS5 query) in `table` (as written), or
    // an empty text when the table has none or reading the table is the better way.
    virtual std::string indexFor(const std::string &table, const std::string &match) = 0;
};

enum class TokenKind { Word, String, QuotedText, Bracketed, Backticked, Comment, Space, Symbol };

struct Token
{
    TokenKind kind;
    std::string_view text; // the token as written, delimiters included
};

std::vector<Token> tokenize(std::string_view sql);

std::string translate(std::string_view sql, SubstringIndex *index = nullptr);

// The FTS5 query whose rows include every text that `pattern` (a like pattern) matches:
// each run of three or more plain ASCII characters, cut into trigrams. Empty when the
// pattern has no such run.
std::string trigramQuery(std::string_view pattern);

// True when the text holds nothing but blanks, comments and semicolons.
bool isBlank(std::string_view sql);

} // namespace JetDialect
