#include "CrashOperations.h"

#include "Backups.h"
#include "CollectionManager.h"
#include "DeleteAll.h"
#include "FullDisk.h"
#include "MarkBook.h"
#include "Module1.h"
#include "ReviewBook.h"
#include "QuietStandIns.h"
#include "Restore.h"
#include "SheetReader.h"
#include "StoreTestAccess.h"
#include "TableCursor.h"
#include "TestSupport.h"
#include "WordDatabase.h"
#include "WordImport.h"

#include <SQLiteCpp/Statement.h>
#include <QFile>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

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
    SQLite::Statement st(StoreTestAccess::sql(db),
                         std::string("SELECT word, meaning, pointer FROM ") + table +
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
            400,
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
            400,
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
            400,
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

// Answering in a quiz: step k answers seed word (k mod 200) + 1, wrongly on every third
// step. After any kill the answers are exactly the acknowledged ones or one more, each
// record's memory counts its answers, and a record is marked exactly when one of its
// answers was wrong (every seed word is a word of its own).
CrashOperation answerOperation()
{
    const auto rowidOf = [](int k) { return (k - 1) % Seeded + 1; };
    const auto wrong = [](int k) { return k % 3 == 0; };
    return {QStringLiteral("answer"), prepareSeeded,
            [=](WordDatabase &db, int k) {
                const int r = rowidOf(k);
                ReviewBook::recordAnswer(db, {QStringLiteral("Words"), r, numbered("Seed", r),
                                              !wrong(k), 1000 + k % 9000,
                                              QDateTime::currentDateTime()});
            },
            1000000,
            400,
            [=](WordDatabase &db, int acked) -> QString {
                SQLite::Statement count(StoreTestAccess::sql(db),
                                        "SELECT count(*) FROM lexmora_answers");
                count.executeStep();
                const int answers = count.getColumn(0).getInt();
                if (answers < acked || answers > acked + 1)
                    return QStringLiteral("%1 answers kept after %2 acknowledged")
                        .arg(answers)
                        .arg(acked);
                std::vector<int> reps(Seeded + 1), wrongs(Seeded + 1);
                for (int k = 1; k <= answers; ++k) {
                    ++reps[size_t(rowidOf(k))];
                    wrongs[size_t(rowidOf(k))] += wrong(k) ? 1 : 0;
                }
                SQLite::Statement memory(StoreTestAccess::sql(db),
                                         "SELECT rid, reps, wrong FROM lexmora_review");
                int withMemory = 0;
                while (memory.executeStep()) {
                    const int r = memory.getColumn(0).getInt();
                    ++withMemory;
                    if (r < 1 || r > Seeded || memory.getColumn(1).getInt() != reps[size_t(r)] ||
                        memory.getColumn(2).getInt() != wrongs[size_t(r)])
                        return QStringLiteral("the memory of record %1 does not count its "
                                              "answers")
                            .arg(r);
                }
                if (withMemory != std::min(answers, Seeded))
                    return QStringLiteral("%1 records have a memory").arg(withMemory);
                const auto all = rows(db);
                for (int i = 1; i <= Seeded; ++i) {
                    const bool marked = all[size_t(i - 1)].pointer == MarkBook::Marker;
                    if (marked != (wrongs[size_t(i)] > 0))
                        return QStringLiteral("record %1 is %2marked").arg(i).arg(marked ? "" : "not ");
                }
                return {};
            }};
}

constexpr int Bulk = 20000; // rows of a bulk change: long enough to be killed inside it

qint64 rowCount(WordDatabase &db, const char *table)
{
    SQLite::Statement st(StoreTestAccess::sql(db), std::string("SELECT count(*) FROM ") + table);
    st.executeStep();
    return st.getColumn(0).getInt64();
}

// Delete content: the Database Selector empties Words3 (after taking its backup copy).
// All of it goes, or none of it; once acknowledged, all of it.
CrashOperation deleteContentOperation()
{
    return {QStringLiteral("delete-content"),
            [](const QString &path) {
                std::vector<WordEntry> words;
                for (int i = 1; i <= Bulk; ++i)
                    words.push_back({numbered("Bulk", i), numbered("bulk meaning ", i), {}});
                TestSupport::writeDatabase(path, TestSupport::standardDetails(),
                                           {{QStringLiteral("Words3"), words},
                                            {QStringLiteral("Words"), {{"Keep", "kept", "k"}}}});
            },
            [](WordDatabase &db, int) { CollectionManager(db).deleteContent(4); },
            1,
            3000,
            [](WordDatabase &db, int acked) -> QString {
                const qint64 left = rowCount(db, "Words3");
                if (acked ? left != 0 : left != 0 && left != Bulk)
                    return QStringLiteral("%1 of %2 words left").arg(left).arg(Bulk);
                if (rowCount(db, "Words") != 1)
                    return QStringLiteral("another collection changed");
                return {};
            }};
}

// Import: a backup copy, then 20,000 rows of a CSV file appended to Words in one
// transaction. All rows or none; once acknowledged, all, each whole and in order.
CrashOperation importOperation()
{
    const auto csvFor = [](const QString &path) {
        return QFileInfo(path).dir().filePath(QStringLiteral("words.csv"));
    };
    return {QStringLiteral("import"),
            [csvFor](const QString &path) {
                prepareSeeded(path);
                QFile csv(csvFor(path));
                csv.open(QIODevice::WriteOnly);
                for (int i = 1; i <= Bulk; ++i)
                    csv.write(QStringLiteral("imported%1,imported meaning %1,ip%1\n").arg(i).toUtf8());
            },
            [csvFor](WordDatabase &db, int) {
                if (Backups::beforeBulkChange(db, QStringLiteral("Words")).failed())
                    throw std::runtime_error("no backup copy");
                auto sheet = SheetReader::openFile(csvFor(db.path()));
                const auto result = WordImport(db, QStringLiteral("Words")).run(*sheet, 1, 1);
                if (result.failed)
                    throw std::runtime_error(result.error.toStdString());
            },
            1,
            3000,
            [](WordDatabase &db, int acked) -> QString {
                const auto all = rows(db);
                const qint64 imported = qint64(all.size()) - Seeded;
                if (imported != Bulk && (acked || imported != 0))
                    return QStringLiteral("%1 of %2 rows imported").arg(imported).arg(Bulk);
                for (qint64 i = 1; i <= imported; ++i) {
                    const Row &r = all[size_t(Seeded + i - 1)];
                    if (r.word != numbered("Imported", int(i)) ||
                        r.meaning != numbered("imported meaning ", int(i)) || r.pointer != numbered("ip", int(i)))
                        return QStringLiteral("imported row %1 reads %2 / %3 / %4").arg(i).arg(r.word, r.meaning, r.pointer);
                }
                return {};
            }};
}

// Delete all: the Main window's "Delete all" on the Current collection, record by
// record in one transaction. All of it goes, or none; once acknowledged, all.
CrashOperation deleteAllOperation()
{
    return {QStringLiteral("delete-all"),
            [](const QString &path) {
                std::vector<WordEntry> words;
                for (int i = 1; i <= Bulk; ++i)
                    words.push_back({numbered("Bulk", i), numbered("bulk meaning ", i), {}});
                TestSupport::writeDatabase(path, TestSupport::standardDetails(),
                                           {{QStringLiteral("Words"), words},
                                            {QStringLiteral("Words1"), {{"Keep", "kept", "k"}}}});
            },
            [](WordDatabase &db, int) {
                // "Delete all" asks first and reports to a Main window nobody sees.
                static QuietDialogs yes(true);
                static QuietMainWindow window;
                Dialogs::install(&yes);
                // The shared state "Delete all" works on, over the child's own connection.
                Module1::database = WordDatabase::open(db.path());
                Module1::openCurrentCollection(QStringLiteral("Words"));
                DeleteAll(window).command11Click();
            },
            1,
            3000,
            [](WordDatabase &db, int acked) -> QString {
                const qint64 left = rowCount(db, "Words");
                if (acked ? left != 0 : left != 0 && left != Bulk)
                    return QStringLiteral("%1 of %2 words left").arg(left).arg(Bulk);
                if (rowCount(db, "Words1") != 1)
                    return QStringLiteral("another collection changed");
                return {};
            }};
}

// A step that did not do what the operation is about ends the child with a failure the
// parent reports, unlike a kill.
[[noreturn]] void childFails(const char *why)
{
    std::fprintf(stderr, "%s\n", why);
    std::fflush(stderr);
    std::_Exit(3);
}

QString restoredCopy(const QString &path)
{
    return QDir(Backups::folderFor(path)).filePath(QStringLiteral("qvtmdb-20260101-000000-000.mdb"));
}

// Restore: the seeded words are replaced by those of a backup copy holding 20,000 others.
// After a kill the file holds the one or the other, whole; once acknowledged, the copy's.
// The copy itself is only read, and a copy taken before the restore holds the seeded words.
CrashOperation restoreOperation()
{
    return {QStringLiteral("restore"),
            [](const QString &path) {
                prepareSeeded(path);
                std::vector<WordEntry> words;
                for (int i = 1; i <= Bulk; ++i)
                    words.push_back({numbered("Restored", i), numbered("restored meaning ", i), {}});
                QDir().mkpath(Backups::folderFor(path));
                TestSupport::writeDatabase(restoredCopy(path), TestSupport::standardDetails(),
                                           {{QStringLiteral("Words"), words}});
            },
            [](WordDatabase &db, int) {
                const auto result = Restore::fromBackup(db, restoredCopy(db.path()));
                if (result.kind != Restore::Result::Kind::Restored)
                    childFails("the copy was not restored");
            },
            1,
            250,
            [](WordDatabase &db, int acked) -> QString {
                const auto all = rows(db);
                const auto holds = [&](const char *prefix, int n) {
                    return all.size() == size_t(n) && all.front().word == numbered(prefix, 1) &&
                           all.back().word == numbered(prefix, n);
                };
                const bool restored = holds("Restored", Bulk);
                if (acked ? !restored : !restored && !holds("Seed", Seeded))
                    return QStringLiteral("%1 words, neither the old nor the restored ones")
                        .arg(all.size());
                const QDir folder(Backups::folderFor(db.path()));
                for (const QString &name : Backups::list(db.path())) {
                    const QString file = folder.filePath(name);
                    SQLite::Database copy = WordContents::openCopy(file);
                    const qint64 words = WordContents::counts(copy).words.first();
                    if (words != (file == restoredCopy(db.path()) ? Bulk : Seeded))
                        return QStringLiteral("the copy %1 holds %2 words").arg(name).arg(words);
                }
                return {};
            }};
}

// Delete all whose backup copy cannot be written: a disk that is full (a small filesystem
// the script mounts, named by LEXMORA_CRASH_FULL_DISK, or else the engine's writes of the
// copy refused as on a full disk). The user is asked and says No, the default: every word
// stays, killed or not, and no copy passes for a whole one.
CrashOperation deleteAllOnAFullDiskOperation()
{
    return {QStringLiteral("delete-all-full-disk"),
            [](const QString &path) {
                std::vector<WordEntry> words;
                for (int i = 1; i <= Bulk; ++i)
                    words.push_back({numbered("Bulk", i), numbered("bulk meaning ", i), {}});
                TestSupport::writeDatabase(path, TestSupport::standardDetails(),
                                           {{QStringLiteral("Words"), words},
                                            {QStringLiteral("Words1"), {{"Keep", "kept", "k"}}}});
                const QString disk = qEnvironmentVariable("LEXMORA_CRASH_FULL_DISK");
                if (disk.isEmpty())
                    return;
                // The copies go onto the small disk; what an earlier run left there goes.
                QDir target(QDir(disk).filePath(QStringLiteral("backups")));
                target.removeRecursively();
                QDir().mkpath(target.path());
                QFile::link(target.path(), Backups::folderFor(path));
            },
            [](WordDatabase &db, int) {
                static QuietDialogs yesThenNo(true, false);
                static QuietMainWindow window;
                static std::unique_ptr<FullDisk> disk;
                if (qEnvironmentVariableIsEmpty("LEXMORA_CRASH_FULL_DISK"))
                    disk = std::make_unique<FullDisk>();
                Dialogs::install(&yesThenNo);
                Module1::database = WordDatabase::open(db.path());
                Module1::openCurrentCollection(QStringLiteral("Words"));
                DeleteAll(window).command11Click();
                if (yesThenNo.cautiousQuestions != 1)
                    childFails("the copy did not fail, or nobody was asked");
            },
            1,
            400,
            [](WordDatabase &db, int) -> QString {
                const qint64 left = rowCount(db, "Words");
                if (left != Bulk)
                    return QStringLiteral("%1 of %2 words left").arg(left).arg(Bulk);
                if (rowCount(db, "Words1") != 1)
                    return QStringLiteral("another collection changed");
                if (!Backups::list(db.path()).isEmpty())
                    return QStringLiteral("a copy was made on a full disk");
                return {};
            }};
}

// The first open of a large file from another program: the child's open grows the search
// index in slices and is killed among them. The words stay as they were, and the next open
// (the parent's) completes an index that matches the table.
CrashOperation firstOpenOperation()
{
    constexpr int Foreign = 150000;
    return {QStringLiteral("first-open"),
            [](const QString &path) { TestSupport::writeForeignDatabase(path, Foreign); },
            [](WordDatabase &, int) {},
            1,
            600,
            [](WordDatabase &db, int) -> QString {
                SQLite::Database &sql = StoreTestAccess::sql(db);
                SQLite::Statement words(sql, "SELECT count(*), sum(word = 'w' || rowid AND "
                                             "meaning = 'the meaning of ' || rowid) FROM Words");
                words.executeStep();
                if (words.getColumn(0).getInt() != Foreign || words.getColumn(1).getInt() != Foreign)
                    return QStringLiteral("%1 words, %2 of them as written")
                        .arg(words.getColumn(0).getInt())
                        .arg(words.getColumn(1).getInt());
                if (!sql.tableExists("lexmora_text_Words") || sql.tableExists("lexmora_textfill_Words"))
                    return QStringLiteral("the search index was not completed");
                try {
                    sql.exec("INSERT INTO lexmora_text_Words(lexmora_text_Words, rank) "
                             "VALUES ('integrity-check', 1)");
                } catch (const std::exception &e) {
                    return QStringLiteral("the search index does not match the words: ") +
                           QString::fromUtf8(e.what());
                }
                if (db.query(QStringLiteral("Select * from Words where meaning like '*of 149999*'"))
                        .rowCount() != 1)
                    return QStringLiteral("a search through the index misses its word");
                return {};
            }};
}

} // namespace

const std::vector<CrashOperation> &crashOperations()
{
    static const std::vector<CrashOperation> ops{
        addOperation(),       updateOperation(), markOperation(),    deleteContentOperation(),
        deleteAllOperation(), importOperation(), answerOperation(),  restoreOperation(),
        deleteAllOnAFullDiskOperation(), firstOpenOperation()};
    return ops;
}
