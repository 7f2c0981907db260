#include "AccessFiles.h"

#include <QFile>

namespace AccessFiles {

bool isAccessFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Jet and ACE files carry their engine's name at offset 4.
    const QByteArray tag = file.read(19).mid(4);
    return tag == "Standard Jet DB" || tag == "Standard ACE DB";
}

QString partialPath(const QString &newPath)
{
    return newPath + QStringLiteral(".partial");
}

void discardPartial(const QString &newPath)
{
    for (const char *suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(partialPath(newPath) + QLatin1String(suffix));
}

} // namespace AccessFiles
