#include "JetDialect.h"

#include <algorithm>
#include <optional>
#include <cctype>
#include <cstring>

namespace JetDialect {

namespace {

// Finds the end of a literal closed by `quote`, where a doubled quote stands for itself.
size_t quotedEnd(std::string_view sql, size_t start, char quote)
{
    size_t i = start + 1;
    while (i < sql.size()) {
        if (sql[i] == quote) {
            if (i + 1 < sql.size() && sql[i + 1] == quote) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return sql.size(); // unterminated: the engine reports it
}

bool isWordChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' ||
           static_cast<unsigned char>(c) >= 0x80;
}

// The body of a literal without its delimiters, doubled delimiters undone.
std::string unquote(std::string_view token, char quote)
{
    std::string out;
    const bool closed = token.size() >= 2 && token.back() == quote;
    const std::string_view body = token.substr(1, token.size() - (closed ? 2 : 1));
    for (size_t i = 0; i < body.size(); ++i) {
        out += body[i];
        if (body[i] == quote && i + 1 < body.size() && body[i + 1] == quote)
            ++i;
    }
    return out;
}

std::string quote(const std::string &body, char q)
{
    std::string out(1, q);
    for (char c : body) {
        out += c;
        if (c == q)
            out += q;
    }
    out += q;
    return out;
}

} // namespace

std::vector<Token> tokenize(std::string_view sql)
{
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < sql.size()) {
        const size_t start = i;
        const char c = sql[i];
        TokenKind kind = TokenKind::Symbol;
        if (std::isspace(static_cast<unsigned char>(c))) {
            while (i < sql.size() && std::isspace(static_cast<unsigned char>(sql[i])))
                ++i;
            kind = TokenKind::Space;
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            const size_t eol = sql.find('\n', i);
            i = eol == std::string_view::npos ? sql.size() : eol;
            kind = TokenKind::Comment;
        } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            const size_t close = sql.find("*/", i + 2);
            i = close == std::string_view::npos ? sql.size() : close + 2;
            kind = TokenKind::Comment;
        } else if (c == '\'') {
            i = quotedEnd(sql, i, '\'');
            kind = TokenKind::String;
        } else if (c == '"') {
            i = quotedEnd(sql, i, '"');
            kind = TokenKind::QuotedText;
        } else if (c == '`') {
            i = quotedEnd(sql, i, '`');
            kind = TokenKind::Backticked;
        } else if (c == '[') {
            const size_t close = sql.find(']', i);
            i = close == std::string_view::npos ? sql.size() : close + 1;
            kind = TokenKind::Bracketed;
        } else if (isWordChar(c)) {
            while (i < sql.size() && isWordChar(sql[i]))
                ++i;
            kind = TokenKind::Word;
        } else {
            ++i;
        }
        tokens.push_back({kind, sql.substr(start, i - start)});
    }
    return tokens;
}

namespace {

bool isSignificant(const Token &t)
{
    return t.kind != TokenKind::Space && t.kind != TokenKind::Comment;
}

bool wordIs(const Token &t, std::initializer_list<std::string_view> words)
{
    if (t.kind != TokenKind::Word)
        return false;
    for (std::string_view w : words) {
        if (w.size() == t.text.size() &&
            std::equal(w.begin(), w.end(), t.text.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            }))
            return true;
    }
    return false;
}

// The literal prefix of a pattern that is plain ASCII text followed by one star, folded
// to lower case as SQLite's NOCASE folds it; empty when the pattern is anything else.
std::string indexablePrefix(const Token &literal)
{
    if (literal.kind != TokenKind::String && literal.kind != TokenKind::QuotedText)
        return {};
    const std::string body = unquote(literal.text, literal.text.front());
    if (body.size() < 2 || body.back() != '*')
        return {};
    std::string prefix = body.substr(0, body.size() - 1);
    for (char &c : prefix) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7E || std::strchr("*?#[]", c))
            return {};
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
    }
    return prefix;
}

// A prefix search the index can serve: the column, like, and literal tokens.
struct PrefixSearch
{
    size_t column = SIZE_MAX;
    size_t literal = SIZE_MAX;
    std::string prefix;
};

bool isWordColumn(const Token &t)
{
    if (t.kind == TokenKind::Bracketed && t.text.size() == 6)
        return wordIs({TokenKind::Word, t.text.substr(1, 4)}, {"word"});
    return wordIs(t, {"word"});
}

// Looks at the `like` at `i` for `word like '<prefix>*'` standing alone as a condition,
// so that adding a range beside it cannot change what the query means.
PrefixSearch prefixSearchAt(const std::vector<Token> &tokens, size_t i)
{
    const auto previous = [&](size_t from) {
        while (from-- > 0)
            if (isSignificant(tokens[from]))
                return from;
        return size_t(SIZE_MAX);
    };
    const auto next = [&](size_t from) {
        while (++from < tokens.size())
            if (isSignificant(tokens[from]))
                return from;
        return size_t(SIZE_MAX);
    };
    PrefixSearch found;
    const size_t column = previous(i);
    if (column == SIZE_MAX || !isWordColumn(tokens[column]))
        return found;
    const size_t before = previous(column);
    if (before == SIZE_MAX || !(wordIs(tokens[before], {"where", "and", "or", "not", "on", "having"}) ||
                                tokens[before].text == "("))
        return found;
    const size_t literal = next(i);
    if (literal == SIZE_MAX)
        return found;
    const size_t after = next(literal);
    if (after != SIZE_MAX &&
        !(tokens[after].text == ")" || tokens[after].text == ";" ||
          wordIs(tokens[after], {"and", "or", "order", "group", "limit", "union", "except",
                                 "intersect", "having", "window"})))
        return found;
    found.prefix = indexablePrefix(tokens[literal]);
    if (!found.prefix.empty()) {
        found.column = column;
        found.literal = literal;
    }
    return found;
}

// The range of `word` values whose start folds to `prefix`.
std::string indexRange(std::string_view column, const std::string &prefix)
{
    std::string upper = prefix;
    upper.back() = char(upper.back() + 1);
    const std::string c(column);
    return " AND " + c + " >= " + quote(prefix, '\'') + " COLLATE NOCASE AND " + c + " < " +
           quote(upper, '\'') + " COLLATE NOCASE)";
}


// One rewrite of a condition: an opening bracket before its column token and `suffix`
// after its literal token.
struct Rewrite
{
    size_t column = SIZE_MAX;
    size_t literal = SIZE_MAX;
    std::string suffix;
};

bool isSearchColumn(const Token &t)
{
    if (t.kind == TokenKind::Bracketed && t.text.size() >= 3)
        return wordIs({TokenKind::Word, t.text.substr(1, t.text.size() - 2)},
                      {"word", "meaning", "pointer"});
    return wordIs(t, {"word", "meaning", "pointer"});
}

bool endsWhere(const Token &t)
{
    return t.text == ";" || wordIs(t, {"order", "group", "limit", "having", "window"});
}

// The shape `SELECT ... FROM <table> [[AS] alias] WHERE ...` with no second table, no
// subquery and no construct whose own AND could be mistaken for a condition's.
struct SingleTable
{
    std::string table;
    size_t whereBegin = SIZE_MAX; // first token after WHERE
    size_t whereEnd = SIZE_MAX;   // the token that ends the WHERE clause, or tokens.size()
};

std::optional<SingleTable> singleTableSelect(const std::vector<Token> &tokens)
{
    std::vector<size_t> sig;
    for (size_t i = 0; i < tokens.size(); ++i)
        if (isSignificant(tokens[i]))
            sig.push_back(i);
    if (sig.empty() || !wordIs(tokens[sig[0]], {"select"}))
        return std::nullopt;
    size_t from = SIZE_MAX;
    for (size_t k = 1; k < sig.size(); ++k) {
        const Token &t = tokens[sig[k]];
        if (wordIs(t, {"select", "union", "intersect", "except", "join", "with", "between",
                       "case", "values", "natural"}))
            return std::nullopt;
        if (wordIs(t, {"from"})) {
            if (from != SIZE_MAX)
                return std::nullopt;
            from = k;
        }
    }
    if (from == SIZE_MAX || from + 1 >= sig.size())
        return std::nullopt;
    SingleTable found;
    const Token &table = tokens[sig[from + 1]];
    if (table.kind == TokenKind::Word)
        found.table = std::string(table.text);
    else if ((table.kind == TokenKind::Bracketed || table.kind == TokenKind::Backticked) &&
             table.text.size() >= 3)
        found.table = std::string(table.text.substr(1, table.text.size() - 2));
    else
        return std::nullopt;
    size_t k = from + 2;
    if (k < sig.size() && wordIs(tokens[sig[k]], {"as"}))
        k += 2;
    else if (k < sig.size() && tokens[sig[k]].kind == TokenKind::Word &&
             !wordIs(tokens[sig[k]], {"where", "order", "group", "limit", "having", "window"}))
        k += 1;
    if (k >= sig.size() || !wordIs(tokens[sig[k]], {"where"}))
        return std::nullopt;
    found.whereBegin = sig[k] + 1;
    found.whereEnd = tokens.size();
    int depth = 0;
    for (size_t i = found.whereBegin; i < tokens.size(); ++i) {
        const Token &t = tokens[i];
        if (t.text == "(")
            ++depth;
        else if (t.text == ")")
            --depth;
        else if (depth == 0 && endsWhere(t)) {
            found.whereEnd = i;
            break;
        }
    }
    return found;
}

// Substring searches that are terms of the WHERE clause's own AND: the column stands right
// after WHERE or AND and the literal right before AND or the end of the clause, all outside
// brackets. Turning such a term from NULL into false cannot change which rows the clause
// selects, so the added candidate test keeps the result exactly.
std::vector<Rewrite> substringSearches(const std::vector<Token> &tokens, SubstringIndex &index)
{
    std::vector<Rewrite> found;
    const std::optional<SingleTable> shape = singleTableSelect(tokens);
    if (!shape)
        return found;
    const auto previous = [&](size_t from) {
        while (from-- > shape->whereBegin)
            if (isSignificant(tokens[from]))
                return from;
        return size_t(SIZE_MAX);
    };
    const auto next = [&](size_t from) {
        while (++from < shape->whereEnd)
            if (isSignificant(tokens[from]))
                return from;
        return size_t(SIZE_MAX);
    };
    // With an OR beside them the engine would join the candidates of each term one after
    // the other, no longer in table order.
    int depth = 0;
    for (size_t i = shape->whereBegin; i < shape->whereEnd; ++i) {
        depth += tokens[i].text == "(" ? 1 : tokens[i].text == ")" ? -1 : 0;
        if (depth == 0 && wordIs(tokens[i], {"or"}))
            return found;
    }
    for (size_t i = shape->whereBegin; i < shape->whereEnd; ++i) {
        const Token &t = tokens[i];
        if (t.text == "(")
            ++depth;
        else if (t.text == ")")
            --depth;
        if (depth != 0 || !wordIs(t, {"like"}))
            continue;
        const size_t column = previous(i);
        if (column == SIZE_MAX || !isSearchColumn(tokens[column]))
            continue;
        const size_t before = previous(column);
        if (before != SIZE_MAX && !wordIs(tokens[before], {"and"}))
            continue;
        const size_t literal = next(i);
        if (literal == SIZE_MAX || (tokens[literal].kind != TokenKind::String &&
                                    tokens[literal].kind != TokenKind::QuotedText))
            continue;
        const size_t after = next(literal);
        if (after != SIZE_MAX && !wordIs(tokens[after], {"and"}))
            continue;
        const std::string match =
            trigramQuery(unquote(tokens[literal].text, tokens[literal].text.front()));
        if (match.empty())
            continue;
        const std::string table = index.indexFor(shape->table, match);
        if (table.empty())
            continue;
        const std::string name = quote(table, '"');
        found.push_back({column, literal,
                         " AND rowid IN (SELECT rowid FROM " + name + " WHERE " + name +
                             " MATCH " + quote(match, '\'') + "))"});
    }
    return found;
}

std::string translated(const Token &t)
{
    switch (t.kind) {
    case TokenKind::QuotedText:
        return quote(unquote(t.text, '"'), '\'');
    case TokenKind::Bracketed: {
        const bool closed = t.text.back() == ']' && t.text.size() >= 2;
        return quote(std::string(t.text.substr(1, t.text.size() - (closed ? 2 : 1))), '"');
    }
    default:
        return std::string(t.text);
    }
}

} // namespace

std::string translate(std::string_view sql, SubstringIndex *index)
{
    const std::vector<Token> tokens = tokenize(sql);
    std::vector<Rewrite> rewrites;
    for (size_t i = 0; i < tokens.size(); ++i)
        if (wordIs(tokens[i], {"like"}))
            if (PrefixSearch s = prefixSearchAt(tokens, i); !s.prefix.empty())
                rewrites.push_back({s.column, s.literal,
                                    indexRange(translated(tokens[s.column]), s.prefix)});
    if (index) {
        // A prefix search already has the better index; the others may use the trigrams.
        for (Rewrite &r : substringSearches(tokens, *index)) {
            const bool taken = std::any_of(rewrites.begin(), rewrites.end(),
                                           [&](const Rewrite &p) { return p.column == r.column; });
            if (!taken)
                rewrites.push_back(std::move(r));
        }
        std::sort(rewrites.begin(), rewrites.end(),
                  [](const Rewrite &a, const Rewrite &b) { return a.column < b.column; });
    }

    std::string out;
    out.reserve(sql.size() + 120 * rewrites.size());
    auto rewrite = rewrites.begin();
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (rewrite != rewrites.end() && i == rewrite->column)
            out += '(';
        out += translated(tokens[i]);
        if (rewrite != rewrites.end() && i == rewrite->literal) {
            out += rewrite->suffix;
            ++rewrite;
        }
    }
    return out;
}

std::string trigramQuery(std::string_view pattern)
{
    constexpr size_t MaxTrigrams = 16;
    std::vector<std::string> trigrams;
    const auto addRun = [&](const std::string &run) {
        if (run.size() < 3)
            return;
        // Trigrams side by side cover every character; the last one may overlap.
        for (size_t p = 0;; p += 3) {
            const size_t at = std::min(p, run.size() - 3);
            if (trigrams.size() < MaxTrigrams)
                trigrams.push_back(run.substr(at, 3));
            if (at == run.size() - 3)
                break;
        }
    };
    std::string run;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const auto c = static_cast<unsigned char>(pattern[i]);
        const bool plain = c >= 0x20 && c < 0x7F && !std::strchr("*?#[]", c);
        if (plain) {
            run += char(c >= 'A' && c <= 'Z' ? c + 32 : c);
            continue;
        }
        addRun(run);
        run.clear();
        if (c == '[') {
            // A class takes one character of any kind: skip to its end.
            const size_t close = pattern.find(']', i + 1);
            if (close != std::string_view::npos)
                i = close;
        }
    }
    addRun(run);
    std::string query;
    for (const std::string &t : trigrams)
        query += (query.empty() ? "" : " AND ") + quote(t, '"');
    return query;
}

bool isBlank(std::string_view sql)
{
    for (const Token &t : tokenize(sql)) {
        if (t.kind == TokenKind::Space || t.kind == TokenKind::Comment)
            continue;
        if (t.kind == TokenKind::Symbol && t.text == ";")
            continue;
        return false;
    }
    return true;
}

} // namespace JetDialect
