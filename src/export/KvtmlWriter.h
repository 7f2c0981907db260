#pragma once

#include "RowWriter.h"

#include <memory>

class QXmlStreamWriter;
class XmlOut;

// KDE's vocabulary document, version 2, as KWordQuiz and Parley open it: two identifiers
// (Word and Meaning), one entry per word with the word and the meaning as its two
// translations and the pointer as the word's comment, and one lesson named after the
// collection holding every entry. The entries are written as they come; the lesson, which
// only lists their numbers, follows them. A carriage return is written as a character
// reference, so it reads back as itself; a text holding a character XML cannot hold is
// refused.
class KvtmlWriter : public RowWriter
{
public:
    KvtmlWriter();
    ~KvtmlWriter() override;

    void begin(QIODevice &out, const QString &title) override;
    void write(const WordRow &row) override;
    void finish() override;
    QString writeFailure() const override;

private:
    void writeTextElement(const QString &name, const QString &text);
    void newLine(int indent);
    QXmlStreamWriter &xml();

    std::unique_ptr<XmlOut> m_out;
    QString m_title;
    qint64 m_entries = 0;
};
