#pragma once

#include <QString>

// What the program itself needs to know of Access files: which file is one, and where a
// conversion writes before its database is complete. The reading and the conversion
// (libmdb) live in lexmora_access, which only lexmora-newdb links, so the program loads
// no Access library at all.
namespace AccessFiles {

// Whether the file carries the signature of a Jet or ACE database. Reads its first bytes
// only.
bool isAccessFile(const QString &path);

// The temporary name a conversion into `newPath` writes under, and the removal of whatever
// a conversion that was cut short (even by a crash) left there.
QString partialPath(const QString &newPath);
void discardPartial(const QString &newPath);

} // namespace AccessFiles
