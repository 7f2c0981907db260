#include "FuzzChecks.h"

#include "JetDialect.h"
#include "JetLike.h"
#include "SheetReader.h"
#include "Snapshot.h"
#include "StoreError.h"
#include "WordDatabase.h"
#include "XlsFrames.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

std::string_view asText(const uint8_t *data, size_t size)
{
    return {reinterpret_cast<const char *>(data), size};
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// ---- like: a reference matcher written for clarity, not speed ----

struct RefElement
{
    enum Kind { Star, Literal, AnyOne, Digit, Class } kind = Literal;
    char32_t ch = 0;
    bool negated = false;
    std::vector<std::pair<char32_t, char32_t>> ranges;

    bool accepts(char32_t c) const
    {
        switch (kind) {
        case Literal:
            return c == ch;
        case AnyOne:
            return true;
        case Digit:
            return c >= '0' && c <= '9';
        case Class: {
            const bool inside = std::any_of(ranges.begin(), ranges.end(), [c](const auto &r) {
                return c >= r.first && c <= r.second;
            });
            return inside != negated;
        }
        case Star:
            break;
        }
        return false;
    }
};

std::vector<RefElement> parseReference(std::string_view pattern)
{
    std::vector<RefElement> out;
    size_t pos = 0;
    while (pos < pattern.size()) {
        const char32_t c = nextCodePoint(pattern, pos);
        RefElement e;
        if (c == '*') {
            e.kind = RefElement::Star;
        } else if (c == '?') {
            e.kind = RefElement::AnyOne;
        } else if (c == '#') {
            e.kind = RefElement::Digit;
        } else if (c == '[' && pattern.find(']', pos) != std::string_view::npos) {
            // A class runs to the next ']'; '!' first negates it; "a-z" is a range unless
            // the '-' stands right before the ']'.
            e.kind = RefElement::Class;
            size_t p = pos;
            if (pattern[p] == '!') {
                e.negated = true;
                ++p;
            }
            const size_t end = pattern.find(']', p);
            while (p < end) {
                char32_t low = foldCase(nextCodePoint(pattern, p));
                char32_t high = low;
                if (p + 1 < end && pattern[p] == '-') {
                    ++p;
                    high = foldCase(nextCodePoint(pattern, p));
                }
                e.ranges.emplace_back(std::min(low, high), std::max(low, high));
            }
            pos = end + 1;
        } else {
            e.ch = foldCase(c);
        }
        out.push_back(std::move(e));
    }
    return out;
}

bool referenceMatch(const std::vector<RefElement> &pattern, const std::u32string &text)
{
    // can[j]: the pattern so far matches the first j characters of the text.
    std::vector<char> can(text.size() + 1, 0);
    can[0] = 1;
    for (const RefElement &e : pattern) {
        std::vector<char> next(text.size() + 1, 0);
        if (e.kind == RefElement::Star) {
            char reached = 0;
            for (size_t j = 0; j <= text.size(); ++j) {
                reached = reached || can[j];
                next[j] = reached;
            }
        } else {
            for (size_t j = 0; j < text.size(); ++j)
                next[j + 1] = can[j] && e.accepts(text[j]);
        }
        can.swap(next);
    }
    return can[text.size()];
}

// ---- query: a scratch database, and a watch that stops a query after 300 ms ----

// The engine asks it at its steps; past the deadline it stops the read.
class Deadline : public Snapshot::Watch
{
public:
    void begin() override {}
    bool keepGoing(qint64) override { return std::chrono::steady_clock::now() < until; }
    void end() override {}

    std::chrono::steady_clock::time_point until;
};

class Scratch
{
public:
    Scratch()
    {
        if (!m_dir.isValid())
            fail("no temporary folder");
        m_path = m_dir.filePath(QStringLiteral("qvtmdb.mdb"));
        WordDatabase::create(m_path).reset();
        sqlite3 *raw = nullptr;
        if (sqlite3_open(m_path.toUtf8().constData(), &raw) != SQLITE_OK)
            fail("scratch database");
        // Words with quotes, wildcards and non-ASCII letters, marks, and an FTS table,
        // whose tokenizer hook is a known way to reach outside the database.
        const char *fill =
            "INSERT INTO Words VALUES('Abate','to lessen','noun'),"
            "('Zebra','an animal with stripes','Got it wrong'),"
            "('Caf\xC3\xA9','a small restaurant',NULL),"
            "('O''Neil','a name with an apostrophe','*?#[]'),"
            "('100%','all of it','_');"
            "INSERT INTO Words3 VALUES('Ergo','therefore','p');"
            "CREATE VIRTUAL TABLE notes USING fts4(body);"
            "INSERT INTO notes VALUES('some words to search');";
        if (sqlite3_exec(raw, fill, nullptr, nullptr, nullptr) != SQLITE_OK)
            fail("scratch contents");
        sqlite3_close(raw);
        m_db = WordDatabase::open(m_path);
        m_state = state();
        Snapshot::setWatch(&m_deadline);
    }

    ~Scratch() { Snapshot::setWatch(nullptr); }

    // Runs the query and reads its rows: a step of a table-valued function can only
    // write once its rows are read.
    void run(const QString &sql)
    {
        m_deadline.until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
        try {
            m_db->query(sql).rowCount();
        } catch (const StoreError &) {
            // Refused, failed or stopped: reported to the user, which is what should happen.
        } catch (const std::exception &) {
            // A library error that reached us is still an error message, not a crash.
        }
        if (state() != m_state)
            fail("a read-only query changed the file");
    }

private:
    QByteArray state() const
    {
        QCryptographicHash hash(QCryptographicHash::Sha1);
        for (const QString &suffix : {QString(), QStringLiteral("-wal")}) {
            QFile f(m_path + suffix);
            if (f.open(QIODevice::ReadOnly))
                hash.addData(f.readAll());
        }
        return hash.result();
    }

    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<WordDatabase> m_db;
    QByteArray m_state;
    Deadline m_deadline;
};

} // namespace

namespace FuzzChecks {

void dialect(const uint8_t *data, size_t size)
{
    const std::string_view sql = asText(data, size);
    const auto tokens = JetDialect::tokenize(sql);
    size_t at = 0;
    bool plain = true;
    bool blank = true;
    for (const auto &t : tokens) {
        if (t.text.empty() || t.text.data() != sql.data() + at)
            fail("tokens do not tile the text");
        at += t.text.size();
        using K = JetDialect::TokenKind;
        plain = plain && t.kind != K::QuotedText && t.kind != K::Bracketed &&
                !(t.kind == K::Word && equalsNoCase(t.text, "like"));
        blank = blank && (t.kind == K::Space || t.kind == K::Comment ||
                          (t.kind == K::Symbol && t.text == ";"));
    }
    if (at != sql.size())
        fail("tokens do not cover the text");
    const std::string translated = JetDialect::translate(sql);
    if (plain && translated != sql)
        fail("a text with nothing to translate was changed");
    if (JetDialect::isBlank(sql) != blank)
        fail("isBlank disagrees with the tokens");
}

void like(const uint8_t *data, size_t size)
{
    const std::string_view input = asText(data, size);
    const size_t split = input.find('\0');
    if (split == std::string_view::npos)
        return;
    const std::string_view pattern = input.substr(0, split);
    const std::string_view text = input.substr(split + 1);
    if (pattern.size() > 64 || text.size() > 256)
        return; // the reference is quadratic
    std::u32string folded;
    for (size_t i = 0; i < text.size();)
        folded += foldCase(nextCodePoint(text, i));
    const bool expected = referenceMatch(parseReference(pattern), folded);
    if (JetLikePattern(pattern).matches(text) != expected)
        fail(expected ? "like missed a match" : "like matched wrongly");
}

void query(const uint8_t *data, size_t size)
{
    static Scratch scratch;
    if (size > 4096)
        return;
    scratch.run(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
}

void sheet(const uint8_t *data, size_t size)
{
    // The program's check of the .xls reading process's answer, fed in two pieces as a
    // pipe may deliver it.
    {
        XlsFrames::Parser parser(QStringLiteral("sheet.xls"));
        const auto *bytes = reinterpret_cast<const char *>(data);
        const qsizetype split = qsizetype(size / 3);
        try {
            parser.feed(bytes, split);
            parser.feed(bytes + split, qsizetype(size) - split);
            const XlsFrames::Sheet cells = parser.finish();
            for (qint64 row = 0; row <= 5; ++row)
                for (int column = 0; column <= 5; ++column)
                    if (const auto *cell = cells.find(row, column))
                        (void)cells.textOf(*cell);
        } catch (const SheetError &) {
            // A damaged answer is an error message for that file.
        }
    }

    static QTemporaryDir dir;
    // The reader is chosen by content; the name only keeps text files apart from others.
    const QString path = dir.filePath(QStringLiteral("sheet.csv"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            fail("cannot write the input file");
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    // FreeXL reads .xls files in a process of its own; what runs here is the check above.
    if (SheetReader::detect(path) == SheetReader::Format::Xls)
        return;
    try {
        auto reader = SheetReader::openFile(path);
        // Down the first rows as the import does, then back up, which restarts a stream.
        for (qint64 row = 1; row <= 40; ++row)
            for (int column = 1; column <= 4; ++column)
                (void)reader->cell(row, column).toText();
        (void)reader->cell(2, 2).toText();
        (void)reader->cell(100000, 3).toText();
        (void)reader->cell(2000000, 20000).toText();
        reader->close();
    } catch (const SheetError &) {
        // Refused or unreadable in part: the window shows its message.
    }
}

} // namespace FuzzChecks
