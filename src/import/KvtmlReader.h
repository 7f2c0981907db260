#pragma once

#include "RowStream.h"

#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>

#include <memory>

class GuardedDevice;

// KDE's vocabulary documents of version 2 (.kvtml, written by KWordQuiz and Parley): each
// entry is a row whose columns A, B and C are the text of its first translation (the word),
// of its second (the meaning) and the first comment either of them has (the pointer), the
// translations taken in the order of the document's identifiers. The file is streamed
// within the bounds of SheetLimits.h; the document type declaration such files carry is
// let through, one declaring entities is refused. Files of the first version are refused
// with a message saying how to convert them.
class KvtmlReader : public RowStreamReader
{
public:
    KvtmlReader();
    ~KvtmlReader() override;

    void open(const QString &path) override;
    void close() override;

    // Whether the first bytes of a file are those of a vocabulary document.
    static bool looksLikeKvtml(const QByteArray &head);

protected:
    void rewind() override;
    bool readRow(Row &row) override;

private:
    struct Translation
    {
        QString text;
        QString comment;
        bool textTooLong = false;
        bool commentTooLong = false;
    };

    void readHead();
    void readIdentifiers();
    Translation readTranslation();
    QString readText(bool &tooLong);
    void check();

    QFile m_file;
    std::unique_ptr<GuardedDevice> m_device;
    QXmlStreamReader m_xml;
    QStringList m_ids;
    bool m_ended = false;
};
