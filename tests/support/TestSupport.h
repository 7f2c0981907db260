#pragma once

#include "NewDatabase.h"

#include <QByteArray>
#include <QMap>
#include <QPair>
#include <QString>
#include <QTemporaryDir>

#include <vector>

namespace TestSupport {

// A fresh temporary folder made the process's current directory for the test's life.
class WorkFolder
{
public:
    WorkFolder();
    ~WorkFolder();
    QString path(const QString &file = QString()) const;
    QString databasePath() const { return path(QStringLiteral("qvtmdb.mdb")); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

using DetailsRows = QList<QPair<QString, int>>;
using Tables = QMap<QString, std::vector<WordEntry>>;

// Six rows named after their tables with `Words` flagged as the Default collection.
DetailsRows standardDetails();

// Writes a word database with the given Details rows and words.
void writeDatabase(const QString &path, const DetailsRows &details = standardDetails(),
                   const Tables &tables = {});

// A word file as another program leaves it: the standard Details rows and `words` words
// "w1", "w2" ... in Words, with meanings "the meaning of 1" ..., none of our own tables.
void writeForeignDatabase(const QString &path, int words);

// n words "Word000001" ... with meanings "meaning 1" ... and pointers "p1" ...
std::vector<WordEntry> numberedWords(int n);

// The bytes of the file and of its -wal companion, to prove nothing was written.
QByteArray fileState(const QString &path);

} // namespace TestSupport
