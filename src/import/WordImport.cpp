#include "WordImport.h"

#include "SheetReader.h"
#include "StoreError.h"
#include "WordDatabase.h"

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include <QElapsedTimer>

QString normalizeWord(const QString &text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == QLatin1Char(' '))
        ++start;
    QString word = text.mid(start);
    for (qsizetype i = 0; i < word.size(); ++i) {
        const char16_t c = word.at(i).unicode();
        if (i == 0 && c >= u'a' && c <= u'z')
            word[i] = QChar(c - 32);
        else if (i > 0 && c >= u'A' && c <= u'Z')
            word[i] = QChar(c + 32);
    }
    return word;
}

WordImport::Result WordImport::run(SheetReader &sheet, qint64 startRow, int startColumn,
                                   const Progress &progress)
{
    Result result;
    const QString table = WordDatabase::canonicalTable(m_table);
    if (table.isEmpty()) {
        result.failed = true;
        result.error = QStringLiteral("There is no collection %1.").arg(m_table);
        return result;
    }
    Row last;
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    try {
        SQLite::Transaction transaction(m_db.sql());
        SQLite::Statement insert(m_db.sql(), "INSERT INTO \"" + table.toStdString() +
                                                 "\" (word, meaning, pointer) VALUES (?, ?, ?)");
        // Whatever stops the loop, the rows saved before it are kept.
        const auto commit = [&] { transaction.commit(); };
        try {
            for (qint64 row = startRow;; ++row) {
                const SheetCell word = sheet.cell(row, startColumn);
                if (word.isEmpty())
                    break;
                Row r{normalizeWord(word.toText()), sheet.cell(row, startColumn + 1).toText(),
                      sheet.cell(row, startColumn + 2).toText()};
                insert.bind(1, r.word.toStdString());
                insert.bind(2, r.meaning.toStdString());
                insert.bind(3, r.pointer.toStdString());
                insert.exec();
                insert.reset();
                ++result.imported;
                last = std::move(r);
                if (progress && (result.imported == 1 || sinceProgress.elapsed() >= ProgressMs)) {
                    sinceProgress.restart();
                    if (!progress(result.imported, last)) {
                        result.stopped = true;
                        break;
                    }
                }
            }
        } catch (const SheetError &e) {
            result.failed = true;
            result.error = e.message();
        } catch (const SQLite::Exception &e) {
            result.failed = true;
            result.error = QString::fromUtf8(e.what());
        }
        commit();
    } catch (const SQLite::Exception &e) {
        // Not even the rows before could be kept: the transaction is rolled back.
        result.failed = true;
        result.error = QString::fromUtf8(e.what());
        result.imported = 0;
    }
    if (progress && result.imported > 0)
        progress(result.imported, last);
    return result;
}
