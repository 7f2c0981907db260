#pragma once

// The real Access files the migration tests read, and a word file made from one of them.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace AccessTestFiles {

// The path of a shared Access test file, or an empty text when the test data is absent.
inline QString path(const QString &name)
{
    const QString p = QStringLiteral(LEXMORA_ACCESS_TESTDATA "/") + name;
    return QFile::exists(p) ? p : QString();
}

inline QByteArray bytes(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool write(const QString &file, const QByteArray &data)
{
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// Access files cannot be written here, so a copy of testUnicodeCompV2003.mdb has its
// table "Table" renamed "Words" where the catalog keeps the name (UTF-16, same length).
// Its columns ID and Unicode then read as word and meaning, by position: eight words
// "1" .. "8" whose meanings are the file's compressed Unicode texts. Returns false when
// the file is absent or not the expected one.
inline bool writeWordFile(const QString &target)
{
    constexpr qsizetype CatalogName = 0x1169c;
    const QString source = path(QStringLiteral("testUnicodeCompV2003.mdb"));
    if (source.isEmpty())
        return false;
    QByteArray data = bytes(source);
    const QByteArray from = QByteArray("T\0a\0b\0l\0e\0", 10);
    if (data.mid(CatalogName, from.size()) != from)
        return false;
    data.replace(CatalogName, from.size(), QByteArray("W\0o\0r\0d\0s\0", 10));
    return write(target, data);
}

// The meanings of that word file, in its stored order: what Jackcess, which wrote the
// file, expects of its rows.
inline QStringList unicodeTexts()
{
    QString everyChar;
    for (char16_t c = 1; c <= 0xff; ++c)
        everyChar += QChar(c);
    return {QStringLiteral("only ascii chars"),
            QString::fromUtf8("\xc3\xa4\xc3\xa4kk\xc3\xb6si\xc3\xa4"),
            QString::fromUtf8("\xd0\x9c\xd0\xb8\xd1\x80"),
            QString::fromUtf16(u"\u03f0\u03b1\u1f76 \u03c4\u1f79\u03c4' \u1f10\u03b3\u1f7c "
                               u"\u039a\u1f7b\u03f0\u03bb\u03c9\u03c0\u03b1"),
            QString::fromUtf16(u"\u6f22\u5b57\u4eee\u540d\u4ea4\u3058\u308a\u6587"),
            QString::fromUtf16(u"3L9\u001d52\u0002_AB(\u00a5\u0005!!V"),
            QString::fromUtf16(u"\u00fcmlaut"),
            everyChar};
}

} // namespace AccessTestFiles
