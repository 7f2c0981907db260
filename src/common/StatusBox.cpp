#include "StatusBox.h"

#include "Looks.h"
#include "RandomSource.h"
#include "SwitchTimer.h"

#include <QAccessible>
#include <QScrollBar>
#include <QTextCursor>

bool FlashRule::highlighted(int tick)
{
    return roundHalfEven(tick / 2.0) == 1;
}

namespace {

// The document shows line breaks as plain line feeds.
QString forDisplay(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

StatusBox::StatusBox(const QColor &flashColour, QWidget *parent)
    : QTextEdit(parent), m_flashColour(flashColour), m_flashTimer(new SwitchTimer(this))
{
    setReadOnly(true);
    setAcceptRichText(false);
    // Lines break between words; a very long unbroken word breaks anywhere, since laying
    // it out as one line would take seconds.
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    // Its own regular weight, so a bold frame around the box does not make it bold.
    setFont(Looks::caption(10));
    setBackgroundColour(Qt::white);
    // Screen readers hear the lines the box gains: they become its description.
    setAccessibleName(QStringLiteral("Status"));
    connect(m_flashTimer, &SwitchTimer::tick, this, &StatusBox::flashTick);
}

void StatusBox::setStatusText(const QString &text)
{
    m_text = text;
    setPlainText(forDisplay(text));
    changed();
    announce(0, forDisplay(text));
}

void StatusBox::appendLine(const QString &message)
{
    appendText(QStringLiteral("\r\n") + message + QStringLiteral("\r\n"));
}

void StatusBox::appendText(const QString &piece)
{
    // A CR LF split across two appends must still read as one line break.
    const bool splitBreak = m_text.endsWith(QLatin1Char('\r')) && piece.startsWith(QLatin1Char('\n'));
    m_text += piece;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    const int position = cursor.position();
    const QString inserted = forDisplay(splitBreak ? piece.mid(1) : piece);
    cursor.insertText(inserted);
    changed();
    announce(position, inserted);
}

void StatusBox::announce(int position, const QString &inserted)
{
    const QString gained = inserted.trimmed();
    if (gained.isEmpty())
        return;
    setAccessibleDescription(gained);
    if (QAccessible::isActive()) {
        QAccessibleTextInsertEvent event(this, position, inserted);
        QAccessible::updateAccessibility(&event);
    }
}

void StatusBox::changed()
{
    QTextCursor end = textCursor();
    end.movePosition(QTextCursor::End);
    setTextCursor(end);
    ensureCursorVisible();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    m_flashCounter = 0;
    m_flashTimer->setInterval(FlashRule::TickMs);
    m_flashTimer->setEnabled(true);
}

void StatusBox::flashTick()
{
    ++m_flashCounter;
    setBackgroundColour(FlashRule::highlighted(m_flashCounter) ? m_flashColour : QColor(Qt::white));
    if (m_flashCounter >= FlashRule::LastTick) {
        m_flashCounter = 0;
        m_flashTimer->setInterval(0);
    }
}

QColor StatusBox::backgroundColour() const
{
    return palette().color(QPalette::Base);
}

void StatusBox::setBackgroundColour(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, colour);
    setPalette(p);
}
