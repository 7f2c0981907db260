#include "XmlGuard.h"

#include "SheetLimits.h"

#include <cstring>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool startsAs(const char *seen, int size, const char *word)
{
    return int(std::strlen(word)) >= size && std::memcmp(seen, word, size_t(size)) == 0;
}

} // namespace

bool XmlGuard::feed(const char *data, qint64 size)
{
    if (m_problem != Problem::None)
        return false;
    qint64 i = 0;
    while (i < size) {
        // Text and quoted values, most of a document, go a run at a time.
        if (m_state == State::Text || m_state == State::Quoted) {
            const bool text = m_state == State::Text;
            const char *end = static_cast<const char *>(
                std::memchr(data + i, text ? '<' : m_quote, size_t(size - i)));
            const qint64 run = (end ? end - data : size) - i;
            m_run += run;
            if (m_run > (text ? SheetLimits::MaxXmlTextBytes : SheetLimits::MaxXmlTagBytes))
                return fail(text ? Problem::LongText : Problem::LongTag);
            i += run;
            if (!end)
                break;
        }
        if (!step(data[i++]))
            return false;
    }
    return true;
}

bool XmlGuard::fail(Problem problem)
{
    m_problem = problem;
    return false;
}

bool XmlGuard::step(char c)
{
    using namespace SheetLimits;
    switch (m_state) {
    case State::Text:
        if (c == '<') {
            m_state = State::Open;
            m_run = 0;
        } else if (++m_run > MaxXmlTextBytes) {
            return fail(Problem::LongText);
        }
        return true;
    case State::Open:
        m_run = 1;
        m_match = 0;
        if (c == '/') {
            m_state = State::Tag;
            m_endTag = true;
        } else if (c == '?') {
            m_state = State::Instruction;
        } else if (c == '!') {
            m_state = State::Bang;
            m_bangSize = 0;
        } else {
            m_state = State::Tag;
            m_endTag = false;
            if (++m_depth > MaxXmlDepth)
                return fail(Problem::Deep);
        }
        m_last = c;
        return true;
    case State::Tag:
        if (++m_run > MaxXmlTagBytes)
            return fail(Problem::LongTag);
        if (c == '"' || c == '\'') {
            m_state = State::Quoted;
            m_quote = c;
        } else if (c == '>') {
            // An end tag, or an empty element (<c r="A1"/>), closes what it opened.
            if (m_endTag || m_last == '/')
                --m_depth;
            m_state = State::Text;
            m_run = 0;
        } else if (!isBlank(c)) {
            m_last = c;
        }
        return true;
    case State::Quoted:
        if (++m_run > MaxXmlTagBytes)
            return fail(Problem::LongTag);
        if (c == m_quote) {
            m_state = State::Tag;
            m_last = c;
        }
        return true;
    case State::Bang:
        m_bang[m_bangSize++] = c;
        if (m_bangSize == 2 && startsAs(m_bang, 2, "--")) {
            m_state = State::Comment;
        } else if (m_bangSize == 7 && startsAs(m_bang, 7, "[CDATA[")) {
            m_state = State::CData;
            m_run = 0;
        } else if (m_bangSize == 7 && startsAs(m_bang, 7, "DOCTYPE")) {
            if (!m_externalDocumentType)
                return fail(Problem::DocumentType);
            m_state = State::DocumentType;
            m_quote = 0;
        } else if (!startsAs(m_bang, m_bangSize, "--") &&
                   !startsAs(m_bang, m_bangSize, "[CDATA[") &&
                   !startsAs(m_bang, m_bangSize, "DOCTYPE")) {
            m_state = c == '>' ? State::Text : State::Declaration; // not XML; the reader says so
        }
        return true;
    case State::Declaration:
        if (++m_run > MaxXmlTagBytes)
            return fail(Problem::LongTag);
        if (c == '>') {
            m_state = State::Text;
            m_run = 0;
        }
        return true;
    case State::DocumentType:
        if (++m_run > MaxXmlTagBytes)
            return fail(Problem::LongTag);
        if (m_quote != 0) {
            if (c == m_quote)
                m_quote = 0;
        } else if (c == '"' || c == '\'') {
            m_quote = c;
        } else if (c == '[') {
            return fail(Problem::DocumentType); // declarations of its own: entities
        } else if (c == '>') {
            m_state = State::Text;
            m_run = 0;
        }
        return true;
    case State::Comment:
    case State::CData: {
        if (++m_run > MaxXmlTextBytes)
            return fail(Problem::LongText);
        const char closing = m_state == State::Comment ? '-' : ']';
        if (c == '>' && m_match >= 2) {
            m_state = State::Text;
            m_run = 0;
        }
        m_match = c == closing ? m_match + 1 : 0;
        return true;
    }
    case State::Instruction:
        if (++m_run > MaxXmlTagBytes)
            return fail(Problem::LongTag);
        if (c == '>' && m_match == 1) {
            m_state = State::Text;
            m_run = 0;
        }
        m_match = c == '?' ? 1 : 0;
        return true;
    }
    return true;
}
