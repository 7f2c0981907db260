#pragma once

#include <QtGlobal>

// Watches the bytes of an XML document on their way to Qt's XML reader, which holds a whole
// text, a whole tag and every open element in memory: a file with a gigabyte of blanks
// between two rows, or a million nested elements, would take gigabytes there. The guard
// follows just enough of the syntax (text, tags, quoted values, comments, CDATA,
// processing instructions) to bound each of those, and refuses document type declarations,
// which no spreadsheet part has and which are the way to entity bombs.
class XmlGuard
{
public:
    enum class Problem { None, LongText, LongTag, Deep, DocumentType };

    // `externalDocumentType`: a declaration that only names its document type
    // (<!DOCTYPE kvtml PUBLIC "..." "...">, as vocabulary files have) is let through; one
    // with declarations of its own ([...]) is still refused.
    explicit XmlGuard(bool externalDocumentType = false)
        : m_externalDocumentType(externalDocumentType)
    {
    }

    // False once the bytes so far break a bound; the problem then stays.
    bool feed(const char *data, qint64 size);
    Problem problem() const { return m_problem; }

private:
    enum class State {
        Text,
        Open,
        Tag,
        Quoted,
        Bang,
        Declaration,
        DocumentType,
        Comment,
        CData,
        Instruction
    };

    bool step(char c);
    bool fail(Problem problem);

    bool m_externalDocumentType;
    State m_state = State::Text;
    Problem m_problem = Problem::None;
    qint64 m_run = 0; // bytes of the current text, tag, comment or section
    int m_depth = 0;
    char m_quote = 0; // the quote of a value in a tag or a document type, or 0
    char m_last = 0;  // the last byte of a tag outside quotes and blanks
    bool m_endTag = false;
    int m_match = 0; // bytes of a closing sequence seen ("-->", "]]>", "?>")
    char m_bang[8] = {};
    int m_bangSize = 0;
};
