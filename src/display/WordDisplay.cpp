#include "WordDisplay.h"

#include "Dialogs.h"
#include "Interval.h"
#include "MainWindowPort.h"
#include "Module1.h"
#include "RandomPick.h"
#include "RandomSource.h"
#include "Skip.h"
#include "SwitchTimer.h"
#include "TableCursor.h"
#include "Titles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

const QString &Title = Titles::Wordbrawl;
const QString NoWords = QStringLiteral("Sorry! There are no words in this collection!");
const QString FirstWord = QStringLiteral("You are already looking up the first word buddy!");
const QString LastWord = QStringLiteral("You are already looking up the last word buddy!");
const QString Wrapping =
    QStringLiteral("You are looking up the last word. Switching back to the beginning ");
const QString Every = QStringLiteral("Displaying words every ");
const QString WordCaption = QStringLiteral("Word:");
const QString MeaningCaption = QStringLiteral("Meaning:");

// A failing move or read of the record set skips that one step; the display goes on.
template <class Step> void skipOnError(Step &&step)
{
    skipOnFailure(lcDisplay(), "a move or read of the word display", std::forward<Step>(step));
}

} // namespace

const QString WordDisplay::PauseCaption = QStringLiteral("Pause");
const QString WordDisplay::GoCaption = QStringLiteral("Go..");

WordDisplay::WordDisplay(const Controls &controls, MainWindowPort &main, QObject *parent)
    : QObject(parent), m_c(controls), m_main(main)
{
}

TableCursor *WordDisplay::records() const
{
    // Looked up each time: changing the collection replaces the record set.
    return Module1::words.get();
}

void WordDisplay::setControlsEnabled(bool enabled)
{
    m_c.Check1->setEnabled(enabled);
    m_c.Combo1->setEnabled(enabled);
}

void WordDisplay::showCurrentByName(bool withPointer)
{
    TableCursor *words = records();
    skipOnError([&] { m_c.Label1->setText(words->text(QStringLiteral("word"))); });
    skipOnError([&] { m_c.Label2->setText(words->text(QStringLiteral("meaning"))); });
    if (withPointer)
        skipOnError([&] { setPointer(words->text(QStringLiteral("pointer"))); });
}

void WordDisplay::showCurrentByPosition()
{
    TableCursor *words = records();
    skipOnError([&] { m_c.Label1->setText(words->text(0)); });
    skipOnError([&] { m_c.Label2->setText(words->text(1)); });
    skipOnError([&] { setPointer(words->text(2)); });
}

void WordDisplay::setPointer(const QString &pointer)
{
    m_c.Label1->setToolTip(pointer);
    m_c.Label2->setToolTip(pointer);
}

void WordDisplay::wrapToFirst()
{
    m_main.appendStatusLine(Wrapping);
    skipOnError([&] { records()->moveFirst(); });
}

void WordDisplay::command2Click()
{
    TableCursor *words = records();
    qint64 count = 0;
    skipOnError([&] { count = words ? words->recordCount() : 0; });
    if (count == 0) {
        Dialogs::current().message(NoWords, Title);
        return;
    }

    skipOnError([&] { words->moveFirst(); });
    if (!m_c.Check1->isChecked()) {
        showCurrentByName(false);
        // In table order the position runs one ahead of the word on display.
        skipOnError([&] { words->moveNext(); });
    } else {
        skipOnError([&] { RandomPick::pick(*words, RandomSource::instance()); });
        showCurrentByName(false);
    }
    setControlsEnabled(false);

    if (m_c.Combo1->currentText() == Interval::Untouched)
        m_c.Combo1->setEditText(Interval::Default);
    const int seconds = Interval::seconds(m_c.Combo1->currentText());
    m_c.Timer1->setInterval(seconds * 1000);
    m_c.Timer1->setEnabled(true);
    m_main.appendStatusLine(Every + QString::number(seconds) + Interval::unit(seconds));
}

void WordDisplay::timer1Tick()
{
    TableCursor *words = records();
    if (!words)
        return;

    bool pastLast = false;
    skipOnError([&] { pastLast = words->eof() && !words->bof(); });
    if (pastLast) {
        wrapToFirst();
    } else {
        // Before the first record (Previous went past it) or never positioned: begin at
        // the first record rather than show nothing.
        skipOnError([&] {
            if (words->bof())
                words->moveFirst();
        });
    }

    if (!m_c.Check1->isChecked()) {
        bool onRecord = false;
        skipOnError([&] { onRecord = !(words->bof() && words->eof()); });
        if (!onRecord)
            return; // the collection was emptied under us: nothing to show
        showCurrentByName(true);
        skipOnError([&] {
            if (!words->eof())
                words->moveNext();
            pastLast = words->eof() && !words->bof();
        });
        // Said while the last word is still on display; the next tick shows the first.
        if (pastLast)
            wrapToFirst();
    } else {
        qint64 chosen = 0;
        skipOnError([&] { chosen = RandomPick::pick(*words, RandomSource::instance()); });
        if (chosen > 0)
            showCurrentByName(true);
    }
}

void WordDisplay::command3Click()
{
    setControlsEnabled(true);
    m_c.Timer1->setInterval(0);
    m_c.Timer1->setEnabled(false);
    m_c.Label1->setText(WordCaption);
    m_c.Label2->setText(MeaningCaption);
}

void WordDisplay::command4Click()
{
    // The button goes by its caption, whatever the display is doing.
    if (m_c.Command4->text() == PauseCaption) {
        m_c.Command4->setText(GoCaption);
        m_c.Timer1->setEnabled(false);
        setControlsEnabled(true);
    } else if (m_c.Command4->text() == GoCaption) {
        m_c.Command4->setText(PauseCaption);
        m_c.Timer1->setEnabled(true);
        setControlsEnabled(false);
    }
}

void WordDisplay::step(bool forward)
{
    TableCursor *words = records();
    if (words)
        skipOnError([&] { forward ? words->moveNext() : words->movePrevious(); });

    bool atEnd = true;
    skipOnError([&] { atEnd = !words || (forward ? words->eof() : words->bof()); });
    if (atEnd)
        Dialogs::current().message(forward ? LastWord : FirstWord, Title);

    bool onRecord = false;
    skipOnError([&] { onRecord = words && words->hasCurrent(); });
    if (onRecord)
        showCurrentByPosition();
}

void WordDisplay::command14Click()
{
    step(false);
}

void WordDisplay::command15Click()
{
    step(true);
}

void WordDisplay::displayHalt()
{
    m_c.Timer1->setEnabled(false);
    setControlsEnabled(true);
}
