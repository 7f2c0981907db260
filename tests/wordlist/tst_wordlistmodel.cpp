// The word list's model over real word databases: what it reads, what a filter finds, how
// an edit is checked and written, and undo and redo giving the file its bytes back.
#include "WordListModel.h"

#include "MarkBook.h"
#include "ScriptedDialogs.h"
#include "StoreTestAccess.h"
#include "TestSupport.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Statement.h>

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QUndoStack>

using namespace TestSupport;

namespace {

const QString Exists = QStringLiteral(
    "Sorry, this word already exists! Please click on modify if that's what you wish to do! ");
constexpr int BigRows = 1000000;

SQLite::Database &sql(WordDatabase &db)
{
    return StoreTestAccess::sql(db);
}

// Every byte the file holds for the collection Words and its kept pointers: rowid, type and
// hex of each cell.
QStringList dump(WordDatabase &db)
{
    QStringList out;
    SQLite::Statement rows(sql(db), "SELECT rowid, typeof(word), hex(word), typeof(meaning), "
                                    "hex(meaning), typeof(pointer), hex(pointer) FROM Words "
                                    "ORDER BY rowid");
    while (rows.executeStep()) {
        QStringList cells;
        for (int c = 0; c < 7; ++c)
            cells << QString::fromStdString(rows.getColumn(c).getString());
        out << cells.join(QLatin1Char('|'));
    }
    SQLite::Statement kept(sql(db), "SELECT tbl, rid, hex(word), typeof(pointer), hex(pointer) "
                                    "FROM lexmora_kept_pointers ORDER BY tbl, rid");
    while (kept.executeStep()) {
        QStringList cells;
        for (int c = 0; c < 5; ++c)
            cells << QString::fromStdString(kept.getColumn(c).getString());
        out << "kept " + cells.join(QLatin1Char('|'));
    }
    return out;
}

QString cell(WordListModel &m, int row, int column)
{
    return m.data(m.index(row, column)).toString();
}

qint64 plainCount(WordDatabase &db, const QString &text)
{
    // SQLite's own lower() and instr(): a count that shares nothing with the word list's
    // matcher (the texts here are plain ASCII).
    SQLite::Statement count(sql(db),
                            "SELECT count(*) FROM Words WHERE instr(lower(word), lower(?1)) > 0 "
                            "OR instr(lower(meaning), lower(?1)) > 0 "
                            "OR instr(lower(pointer), lower(?1)) > 0");
    count.bind(1, text.toStdString());
    count.executeStep();
    return count.getColumn(0).getInt64();
}

} // namespace

class TstWordListModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void opensLargeTableReadingOnlyTheRowsShown_data();
    void opensLargeTableReadingOnlyTheRowsShown();
    void filterFindsWhatAPlainCountFinds_data();
    void filterFindsWhatAPlainCountFinds();
    void filterTakesTheMatchersSpecialCharactersLiterally_data();
    void filterTakesTheMatchersSpecialCharactersLiterally();
    void editNormalizesAndRefusesDuplicates_data();
    void editNormalizesAndRefusesDuplicates();
    void undoAndRedoGiveByteEqualRows();
    void deletingAMarkedWordClearsItsMark();
    void changesMadeElsewhereShow();

private:
    void openSmall(const std::vector<WordEntry> &words);

    std::unique_ptr<WorkFolder> m_bigFolder;
    std::unique_ptr<WordDatabase> m_big;
    std::unique_ptr<WorkFolder> m_folder;
    std::unique_ptr<WordDatabase> m_db;
};

void TstWordListModel::initTestCase()
{
    m_bigFolder = std::make_unique<WorkFolder>();
    writeDatabase(m_bigFolder->databasePath());
    m_big = WordDatabase::open(m_bigFolder->databasePath());
    sql(*m_big).exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                     std::to_string(BigRows) +
                     ") INSERT INTO Words (rowid, word, meaning, pointer) "
                     "SELECT i, printf('Word%07d', i), 'the meaning of word number ' || i, "
                     "CASE WHEN i % 10 = 0 THEN 'Got it wrong' ELSE 'n.' END FROM n");
}

void TstWordListModel::cleanupTestCase()
{
    m_big.reset();
    m_bigFolder.reset();
}

void TstWordListModel::openSmall(const std::vector<WordEntry> &words)
{
    m_db.reset();
    m_folder = std::make_unique<WorkFolder>();
    writeDatabase(m_folder->databasePath(), standardDetails(), {{"Words", words}});
    m_db = WordDatabase::open(m_folder->databasePath());
}

void TstWordListModel::opensLargeTableReadingOnlyTheRowsShown_data()
{
    QTest::addColumn<bool>("gap");
    QTest::newRow("rowids without gaps") << false;
    QTest::newRow("a deleted row in the middle") << true;
}

void TstWordListModel::opensLargeTableReadingOnlyTheRowsShown()
{
    ScriptedDialogs dialogs; // any box would be a fault
    QFETCH(bool, gap);
    if (gap)
        sql(*m_big).exec("DELETE FROM Words WHERE rowid = 500000");
    WordListModel model(*m_big, QStringLiteral("words"));
    const int expected = gap ? BigRows - 1 : BigRows;
    QCOMPARE(model.rowCount(), expected);
    QCOMPARE(model.rows().rowsRead(), 0); // counting reads no row

    QTableView view;
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.resize(600, 400);
    view.setModel(&model);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCoreApplication::processEvents();
    QCOMPARE(cell(model, 0, 0), QStringLiteral("Word0000001"));
    // The rows on screen come in whole pages: no more than the first two.
    QVERIFY2(model.rows().rowsRead() <= 2 * WordListModel::PageRows,
             qPrintable(QString::number(model.rows().rowsRead())));

    const qint64 before = model.rows().rowsRead();
    view.scrollToBottom();
    QCoreApplication::processEvents();
    QCOMPARE(cell(model, expected - 1, 0), QStringLiteral("Word1000000"));
    QCOMPARE(cell(model, expected - 1, 2), QStringLiteral("Got it wrong"));
    QVERIFY(model.rows().rowsRead() - before <= 2 * WordListModel::PageRows);
    // Past the gap, each row is still its own.
    QCOMPARE(cell(model, 499999, 0),
             gap ? QStringLiteral("Word0500001") : QStringLiteral("Word0500000"));
    if (gap) {
        sql(*m_big).exec("INSERT INTO Words (rowid, word, meaning, pointer) VALUES (500000, "
                         "'Word0500000', 'the meaning of word number 500000', 'n.')");
    }
}

void TstWordListModel::filterFindsWhatAPlainCountFinds_data()
{
    QTest::addColumn<QString>("filter");
    QTest::newRow("one digit, most rows (scan)") << "7";
    QTest::newRow("a rare word (index)") << "word0012345";
    QTest::newRow("upper case finds lower case") << "WORD00999";
    QTest::newRow("in the meaning (index, then scan)") << "number 99999";
    QTest::newRow("a tenth of the rows, pointer") << "got it";
    QTest::newRow("two letters, nothing") << "zq";
    QTest::newRow("blank between") << "of word";
}

void TstWordListModel::filterFindsWhatAPlainCountFinds()
{
    ScriptedDialogs dialogs; // any box would be a fault
    QFETCH(QString, filter);
    WordListModel model(*m_big, QStringLiteral("Words"));
    model.setFilter(filter);
    model.finishSearch();
    QVERIFY(!model.searching());
    QCOMPARE(qint64(model.rowCount()), plainCount(*m_big, filter));
    QCOMPARE(model.totalRows(), qint64(BigRows));
    // In table order, and each shown row holds the text.
    for (int r = 1; r < std::min(model.rowCount(), 2000); ++r)
        QVERIFY(model.rowidAt(r - 1) < model.rowidAt(r));
    for (int r = 0; r < std::min(model.rowCount(), 50); ++r) {
        const QString texts =
            cell(model, r, 0) + "\n" + cell(model, r, 1) + "\n" + cell(model, r, 2);
        QVERIFY2(texts.contains(filter, Qt::CaseInsensitive), qPrintable(texts));
    }
    // Emptying the filter shows every row again.
    model.setFilter(QString());
    QCOMPARE(model.rowCount(), BigRows);
}

void TstWordListModel::filterTakesTheMatchersSpecialCharactersLiterally_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("star") << "*" << QStringList{"A*b"};
    QTest::newRow("question mark") << "?" << QStringList{"What?"};
    QTest::newRow("hash") << "#1" << QStringList{"No#1"};
    QTest::newRow("bracket") << "[x" << QStringList{"[x]"};
    QTest::newRow("percent and underscore are plain") << "%_" << QStringList{"50%_"};
    QTest::newRow("accented, case-blind") << QString::fromUtf8("ÉTÉ") << QStringList{QString::fromUtf8("Été")};
}

void TstWordListModel::filterTakesTheMatchersSpecialCharactersLiterally()
{
    ScriptedDialogs dialogs; // any box would be a fault
    QFETCH(QString, filter);
    QFETCH(QStringList, words);
    openSmall({{"A*b", "m", "p"}, {"What?", "m", "p"}, {"No#1", "m", "p"}, {"[x]", "m", "p"},
               {"50%_", "m", "p"}, {QString::fromUtf8("Été"), "m", "p"}, {"Plain", "m", "p"}});
    WordListModel model(*m_db, QStringLiteral("Words"));
    model.setFilter(filter);
    model.finishSearch();
    QStringList shown;
    for (int r = 0; r < model.rowCount(); ++r)
        shown << cell(model, r, 0);
    QCOMPARE(shown, words);
}

void TstWordListModel::editNormalizesAndRefusesDuplicates_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");  // what the cell holds afterwards
    QTest::addColumn<QString>("message"); // the box shown, or empty
    QTest::addColumn<int>("undoSteps");
    QTest::newRow("normalized") << 0 << "  zEBRA" << "Zebra" << "" << 1;
    QTest::newRow("exact duplicate") << 0 << "Apple" << "Bane" << Exists << 0;
    QTest::newRow("a duplicate after normalizing") << 0 << "aPPLE" << "Bane" << Exists << 0;
    QTest::newRow("trailing blank is another word") << 0 << "Apple " << "Apple " << "" << 1;
    QTest::newRow("its own word again: nothing written") << 0 << "bane" << "Bane" << "" << 0;
    QTest::newRow("empty word refused") << 0 << "" << "Bane"
        << "Please type a word: a record without one is not kept." << 0;
    QTest::newRow("meaning kept as typed") << 1 << "  lower First" << "  lower First" << "" << 1;
    QTest::newRow("empty pointer allowed") << 2 << "" << "" << "" << 1;
}

void TstWordListModel::editNormalizesAndRefusesDuplicates()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, message);
    QFETCH(int, undoSteps);
    openSmall({{"Apple", "fruit", "n."}, {"Bane", "ruin", "n."}});
    ScriptedDialogs dialogs;
    if (!message.isEmpty())
        dialogs.expectMessage();
    WordListModel model(*m_db, QStringLiteral("Words"));
    const bool accepted = model.setData(model.index(1, column), typed);
    QCOMPARE(accepted, message.isEmpty());
    if (!message.isEmpty()) {
        QCOMPARE(dialogs.last().text, message);
        QCOMPARE(dialogs.last().title, QStringLiteral("Lexmora! Wordbrawl"));
    }
    QCOMPARE(cell(model, 1, column), stored);
    // What the view shows is what the file holds.
    SQLite::Statement st(sql(*m_db), "SELECT word, meaning, pointer FROM Words WHERE rowid = 2");
    QVERIFY(st.executeStep());
    QCOMPARE(QString::fromStdString(st.getColumn(column).getString()), stored);
    QCOMPARE(model.undoStack()->count(), undoSteps);
}

void TstWordListModel::undoAndRedoGiveByteEqualRows()
{
    openSmall({{"Abate", "to lessen", "v."}, {"Bane", "ruin", QString()},
               {"Cede", "to yield", "my note"}, {"Dour", "stern", "adj."}});
    // Cells the file holds as a number and as bytes must come back as such.
    sql(*m_db).exec("UPDATE Words SET meaning = 42 WHERE rowid = 4");
    sql(*m_db).exec("UPDATE Words SET pointer = x'00ff' WHERE rowid = 2");
    MarkBook::markWord(*m_db, QStringLiteral("Words"), QStringLiteral("Cede"));
    const QStringList original = dump(*m_db);

    WordListModel model(*m_db, QStringLiteral("Words"));
    QUndoStack *undo = model.undoStack();
    QVERIFY(model.setData(model.index(2, 1), QStringLiteral("to give up")));
    QVERIFY(model.setData(model.index(0, 0), QStringLiteral("abated")));
    const QStringList edited = dump(*m_db);
    QVERIFY(edited != original);
    QVERIFY(!edited.join("\n").contains("kept")); // the edit took the kept pointer with it

    ScriptedDialogs dialogs;
    QCOMPARE(model.deleteRows({1, 2, 3}), QString());
    QCOMPARE(model.rowCount(), 1);
    const QStringList deleted = dump(*m_db);

    undo->undo(); // the deletion
    QCOMPARE(dump(*m_db), edited);
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(cell(model, 2, 1), QStringLiteral("to give up"));
    undo->undo();
    undo->undo(); // both edits
    QCOMPARE(dump(*m_db), original);
    QCOMPARE(cell(model, 2, 2), QStringLiteral("Got it wrong"));

    undo->redo();
    undo->redo();
    QCOMPARE(dump(*m_db), edited);
    undo->redo();
    QCOMPARE(dump(*m_db), deleted);
    QCOMPARE(model.rowCount(), 1);
    // A deletion undone under another filter shows only if the row holds that text.
    undo->undo();
    undo->undo();
    undo->undo();
    QCOMPARE(dump(*m_db), original);
    model.setFilter(QStringLiteral("ab"));
    model.finishSearch();
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.deleteRows({0}), QString());
    model.setFilter(QStringLiteral("ce"));
    model.finishSearch();
    QCOMPARE(model.rowCount(), 1);
    undo->undo();
    QCOMPARE(model.rowCount(), 1); // "Abate" is back, but holds no "ce"
    model.setFilter(QString());
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(dump(*m_db), original);
}

void TstWordListModel::deletingAMarkedWordClearsItsMark()
{
    ScriptedDialogs dialogs; // any box would be a fault
    openSmall({{"Abate", "to lessen", "v."}, {"Zeal", "fervour", "my note"}});
    MarkBook::markWord(*m_db, QStringLiteral("Words"), QStringLiteral("Zeal"));
    WordListModel model(*m_db, QStringLiteral("Words"));
    QCOMPARE(model.deleteRows({1}), QString());
    QVERIFY(!MarkBook::hasMarks(*m_db, QStringLiteral("Words")));
    QVERIFY(!dump(*m_db).join("\n").contains("kept"));

    // Undone, the word is marked again and clearing the marks gives its own pointer back.
    model.undoStack()->undo();
    QVERIFY(MarkBook::hasMarks(*m_db, QStringLiteral("Words")));
    QCOMPARE(MarkBook::clearMarks(*m_db, QStringLiteral("Words")), 1);
    QCOMPARE(cell(model, 1, 2), QStringLiteral("my note"));
}

void TstWordListModel::changesMadeElsewhereShow()
{
    ScriptedDialogs dialogs; // any box would be a fault
    openSmall({{"Abate", "to lessen", "v."}});
    WordListModel model(*m_db, QStringLiteral("Words"));
    QVERIFY(!model.checkForOutsideChanges());
    QCOMPARE(cell(model, 0, 1), QStringLiteral("to lessen"));
    sql(*m_db).exec("INSERT INTO Words VALUES ('Bane', 'ruin', 'n.')");
    sql(*m_db).exec("UPDATE Words SET meaning = 'to reduce' WHERE word = 'Abate'");
    QVERIFY(model.checkForOutsideChanges());
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(cell(model, 0, 1), QStringLiteral("to reduce"));
    // Our own writes are not news.
    QVERIFY(model.setData(model.index(1, 1), QStringLiteral("harm")));
    QVERIFY(!model.checkForOutsideChanges());
}

QTEST_MAIN(TstWordListModel)
#include "tst_wordlistmodel.moc"
