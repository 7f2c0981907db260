#pragma once

#include "SheetReader.h"
#include "XmlGuard.h"

#include <QIODevice>
#include <QString>

class QXmlStreamReader;

// The bytes of one XML document (a part of a zipped spreadsheet, or a whole file) on their
// way to Qt's XML reader: counted, watched by an XmlGuard, and cut off at the first broken
// bound or Cancel. Qt's XML reader sees the cut as the end of its input; throwIfStopped()
// then says why.
class GuardedDevice : public QIODevice
{
public:
    enum class Stop { None, Damaged, TooLarge, Bomb, Xml, Cancelled };

    // `stored`: the bytes the document takes in its file (for a zip part, compressed), to
    // which its read size is compared. `keepGoing` may be empty and may change later.
    GuardedDevice(QIODevice *source, qint64 stored, const SheetReader::KeepGoing *keepGoing,
                  XmlGuard guard = XmlGuard());

    bool isSequential() const override { return true; }
    Stop stop() const { return m_stop; }
    XmlGuard::Problem problem() const { return m_guard.problem(); }

protected:
    qint64 readData(char *data, qint64 max) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    qint64 halt(Stop stop);

    QIODevice *m_source;
    qint64 m_stored;
    const SheetReader::KeepGoing *m_keepGoing;
    XmlGuard m_guard;
    qint64 m_read = 0;
    Stop m_stop = Stop::None;
};

// Throws when the stream of `device` ended early (SheetCancelled for Cancel, SheetError
// naming the broken bound) or `xml` found an error. `fileName` and `part` name the file and
// the part in the messages; `part` is empty for a document that is the whole file.
void throwIfStopped(const GuardedDevice *device, const QXmlStreamReader &xml,
                    const QString &fileName, const QString &part);
