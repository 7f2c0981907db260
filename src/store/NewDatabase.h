#pragma once

#include "WordEntry.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <utility>
#include <vector>

namespace NewDatabase {

// Reads a word list: UTF-8, one word per line, word TAB meaning TAB pointer. Blank lines
// are skipped; any other line without exactly three fields is a StoreError naming it.
std::vector<WordEntry> parseWordList(const QByteArray &tsv);

// Writes a fresh word database at `path`: the six collection tables, six Details rows
// with `Words` as the Default collection, and `Words` filled with `starter`. Refuses to
// overwrite an existing file.
void create(const QString &path, const std::vector<WordEntry> &starter);

// What a new word database holds besides its empty tables.
struct Contents
{
    QMap<QString, std::vector<WordEntry>> words; // by collection table
    QList<std::pair<QString, bool>> details;     // Collection name and Default flag, in order
};

// Makes a word database at `path`, which must not exist yet, holding `contents`, in one
// transaction. Throws StoreError; the caller removes what a failure left at `path`.
void write(const QString &path, const Contents &contents);

// The Collection names a fresh database gives its six tables.
const QStringList &defaultCollectionNames();

} // namespace NewDatabase
