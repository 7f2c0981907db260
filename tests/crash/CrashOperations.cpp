#include "CrashOperations.h"

#include "MarkBook.h"
#include "TableCursor.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Statement.h>

namespace {

constexpr int Seeded = 200; // words a prepared collection starts with

QString numbered(const char *prefix, int k)
{
    return QString::fromLatin1(prefix) + QString::number(k);
}

void prepareSeeded(const QString &path)
{
    std::vector<WordEntry> words;
    for (int i = 1; i <= Seeded; ++i)
        words.push_back({numbered("Seed", i), numbered("meaning ", i), numbered("p", i)});
    TestSupport::writeDatabase(path, TestSupport::standardDetails(), {{QStringLiteral("Words"), words}});
}

// Every row of Words as word -> (meaning, pointer), in table order.
struct Row
{
    QString word, meaning, pointer;
    bool pointerNull = false;
};
std::vector<Row> rows(WordDatabase &db, const char *table = "Words")
{
    SQLite::Statement st(db.sql(), std::string("SELECT word, meaning, pointer FROM ") + table +
                                       " ORDER BY rowid");
    std::vector<Row> out;
    while (st.executeStep())
        out.push_back({QString::fromStdString(st.getColumn(0).getString()),
                       QString::fromStdString(st.getColumn(1).getString()),
                       QString::fromStdString(st.getColumn(2).getString()),
                       st.getColumn(2).isNull()});
    return out;
}

// Add: step k stores the word Added<k>. The stored ones must be exactly the acknowledged
// steps, perhaps with the one in flight, each whole.
CrashOperation addOperation()
{
    return {QStringLiteral("add"), prepareSeeded,
            [](WordDatabase &db, int k) {
                TableCursor words(db, QStringLiteral("Words"));
                words.addNew();
                words.setField(0, numbered("Added", k));
                words.setField(1, numbered("added meaning ", k));
                words.setField(2, numbered("added pointer ", k));
                words.update();
            },
            1000000,
            [](WordDatabase &db, int acked) -> QString {
                const auto all = rows(db);
                const int added = int(all.size()) - Seeded;
                if (added < acked || added > acked + 1)
                    return QStringLiteral("%1 words added").arg(added);
                for (int k = 1; k <= added; ++k) {
                    const Row &r = all[size_t(Seeded + k - 1)];
                    if (r.word != numbered("Added", k) || r.meaning != numbered("added meaning ", k) ||
                        r.pointer != numbered("added pointer ", k))
                        return QStringLiteral("added word %1 reads %2 / %3 / %4")
                            .arg(k).arg(r.word, r.meaning, r.pointer);
                }
                return {};
            }};
}

// Update: step k writes "updated <k>" into the meaning of seed word (k mod 200) + 1.
CrashOperation updateOperation()
{
    return {QStringLiteral("update"), prepareSeeded,
            [](WordDatabase &db, int k) {
                TableCursor words(db, QStringLiteral("Words"));
                words.moveToOrdinal((k - 1) % Seeded + 1);
                words.edit();
                words.setField(1, numbered("updated ", k));
                words.update();
            },
            1000000,
            [](WordDatabase &db, int acked) -> QString {
                const auto all = rows(db);
                if (all.size() != size_t(Seeded))
                    return QStringLiteral("%1 words instead of %2").arg(all.size()).arg(Seeded);
                // The file must show the state after `acked` steps or after one more.
                for (int done : {acked, acked + 1}) {
                    bool same = true;
                    for (int i = 0; i < Seeded && same; ++i) {
                        int last = 0; // the last step up to `done` that wrote record i
                        for (int k = i + 1; k <= done; k += Seeded)
                            last = k;
                        const QString expected = last ? numbered("updated ", last) : numbered("meaning ", i + 1);
                        same = all[size_t(i)].meaning == expected && all[size_t(i)].word == numbered("Seed", i + 1);
                    }
                    if (same)
                        return {};
                }
                return QStringLiteral("the meanings match neither the acknowledged state nor the next");
            }};
}

// Marking and clearing: odd steps mark seed word (k mod 200), even steps clear every mark.
// After an odd step exactly that word is marked; after an even one, every pointer is the
// user's own again.
CrashOperation markOperation()
{
    return {QStringLiteral("mark-clear"), prepareSeeded,
            [](WordDatabase &db, int k) {
                if (k % 2)
                    MarkBook::markWord(db, QStringLiteral("Words"), numbered("Seed", (k / 2) % Seeded + 1));
                else
                    MarkBook::clearMarks(db, QStringLiteral("Words"));
            },
            1000000,
            [](WordDatabase &db, int acked) -> QString {
                const auto all = rows(db);
                for (int done : {acked, acked + 1}) {
                    const int marked = done % 2 ? (done / 2) % Seeded + 1 : 0;
                    bool same = all.size() == size_t(Seeded);
                    for (int i = 0; i < Seeded && same; ++i) {
                        const QString expected = i + 1 == marked ? MarkBook::Marker : numbered("p", i + 1);
                        same = all[size_t(i)].pointer == expected;
                    }
                    if (same)
                        return {};
                }
                return QStringLiteral("the pointers match neither the acknowledged state nor the next");
            }};
}

} // namespace

const std::vector<CrashOperation> &crashOperations()
{
    static const std::vector<CrashOperation> ops{addOperation(), updateOperation(), markOperation()};
    return ops;
}
