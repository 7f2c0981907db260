#include "JetDialect.h"

#include <cctype>

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

std::string translate(std::string_view sql)
{
    std::string out;
    out.reserve(sql.size() + 8);
    for (const Token &t : tokenize(sql)) {
        switch (t.kind) {
        case TokenKind::QuotedText:
            out += quote(unquote(t.text, '"'), '\'');
            break;
        case TokenKind::Bracketed: {
            const bool closed = t.text.back() == ']' && t.text.size() >= 2;
            const std::string body(t.text.substr(1, t.text.size() - (closed ? 2 : 1)));
            out += quote(body, '"');
            break;
        }
        default:
            out += t.text;
        }
    }
    return out;
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
