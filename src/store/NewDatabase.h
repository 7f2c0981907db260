#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

struct WordEntry
{
    QString word;
    QString meaning;
    QString pointer;
};

namespace NewDatabase {

// Reads a word list: UTF-8, one word per line, word TAB meaning TAB pointer. Blank lines
// are skipped; any other line without exactly three fields is a StoreError naming it.
std::vector<WordEntry> parseWordList(const QByteArray &tsv);

// Writes a fresh word database at `path`: the six collection tables, six Details rows
// with `Words` as the Default collection, and `Words` filled with `starter`. Refuses to
// overwrite an existing file.
void create(const QString &path, const std::vector<WordEntry> &starter);

// The Collection names a fresh database gives its six tables.
const QStringList &defaultCollectionNames();

} // namespace NewDatabase
