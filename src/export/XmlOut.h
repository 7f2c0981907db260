#pragma once

#include <QByteArray>
#include <QString>
#include <QXmlStreamWriter>

class QIODevice;

// Qt's XML writer over a text that is handed to the file in pieces of a few tens of
// kilobytes: writing to a text costs far less than a device write per tag. Elements are
// written by their qualified names ("table:table-cell"), their namespaces declared once on
// the root, which spares a look-up per tag.
class XmlOut
{
public:
    explicit XmlOut(QIODevice &target) : m_target(&target), m_xml(&m_text) {}

    QXmlStreamWriter &xml() { return m_xml; }
    // The XML declaration, in UTF-8 (a writer over a text names no encoding of its own).
    void declaration(bool standalone = false);
    // Hands the text on once it is large; called after each row.
    void flushWhenFull();
    // Hands on all of it.
    void flush();
    // Why the text could not be written; empty while it could.
    QString failure() const;

private:
    static constexpr qsizetype PieceChars = 32 * 1024;

    QIODevice *m_target;
    QString m_text;
    QXmlStreamWriter m_xml;
    bool m_failed = false;
};
