#include "PopupHelp.h"

#include "Looks.h"

#include <QAbstractScrollArea>
#include <QMenu>
#include <QMouseEvent>

#include <array>

namespace {

const QString CrLf = QStringLiteral("\r\n");
// Where an item's body names the Current collection.
const QString CC = QStringLiteral("{CC}");

struct HelpItem
{
    const char *name;
    QString heading;
    QStringList body;
};

const std::array<HelpItem, 10> &helpItems()
{
    static const std::array<HelpItem, 10> items{{
        {"wiata",
         QStringLiteral("WHAT IS WORD CONTROL ALL ABOUT ? "),
         {QStringLiteral("There are a lot of words in QVT. I have taken the liberty of storing "
                         "most of these words in a table called 'Words'. But, the user (that's "
                         "you!) may wish to have his/her own collection separately or add/modify "
                         "to 'Words'."),
          QStringLiteral("This is where you could do so!")}},
        {"wiaw",
         QStringLiteral("WHAT IS ADD WORD ? "),
         {QStringLiteral("This is where you could add a new word to the table that is currently "
                         "being used, which is {CC}.")}},
        {"wii",
         QStringLiteral("WHAT DOES 'IMPORT' DO? "),
         {QStringLiteral("This is probably the most complicated option in this software. Okay, "
                         "assume you have an excel file containing a lot of words in the format "),
          QStringLiteral(" WORD   MEANING  POINTER"),
          QStringLiteral("Instead of manually entering each word in the excel file in Lexmora, "
                         "you could have this software do that for you. What you do is to select "
                         "the cell number of the starting word. This software will then import "
                         "the words that follow till it reaches an empty cell.")}},
        {"wida",
         QStringLiteral("WHAT DOES 'DELETE ALL' DO ? "),
         {QStringLiteral("This is where you could delete all the words in the table that is "
                         "currently being used, which is {CC}.")}},
        {"wivd",
         QStringLiteral("WHAT DOES 'VIEW / MODIFY' DO ? "),
         {QStringLiteral("Here, you could look up a particular word in the table currently being "
                         "used ({CC})."),
          QStringLiteral("You could also delete any word or modify the meaning/pointer of an "
                         "existing word, one by one.")}},
        {"wicd",
         QStringLiteral("WHAT IS 'CHANGE TABLE' ABOUT ? "),
         {QStringLiteral("There are five tables in which you could store your words. This is an "
                         "option where you could switch to another table for now or make another "
                         "table, the default. "),
          QStringLiteral("You also have the option of deleting the contents of a table or "
                         "renaming a table to one of your choice. ")}},
        {"wita2",
         QStringLiteral("WHAT IS 'QUIZ'ALL ABOUT ? "),
         {QStringLiteral("This option quizzes you on the words in the database currently being "
                         "used ({CC})"),
          QStringLiteral("You could select the time that you would like each word to be "
                         "displayed for, from the 'Timer Interval'.")}},
        {"wir",
         QStringLiteral("WHAT DOES 'RANDOMIZE' ALL ABOUT ? "),
         {QStringLiteral("This will quiz you on the words in {CC} randomly. Check this option "
                         "and click on 'Start' to start the quiz.")}},
        {"wiata4",
         QStringLiteral("WHAT DOES 'DISPLAY WORDS' DO ? "),
         {QStringLiteral("This displays the words in ({CC}) in the manner selected. "),
          QStringLiteral("If Randomize is chosen, it displays the words in a random fashion. "
                         "Each word is displayed for a specified amount of time selected by the "
                         "'Time Interval'. Default being 5 Seconds.")}},
        {"wisa",
         QStringLiteral("WHAT IS 'VIEW ALL' ? "),
         {QStringLiteral("This option displays all the words in {CC} three words at a time. "
                         "You could scroll to view the rest of the words.")}},
    }};
    return items;
}

} // namespace

PopupHelp::PopupHelp(QObject *parent) : QObject(parent) {}

void PopupHelp::attach(QMenu *menu, const QList<QWidget *> &controls)
{
    for (QWidget *control : controls) {
        m_targets.insert(control, {control, menu});
        control->installEventFilter(this);
        // The entries of a list lie on its viewport, which takes the presses.
        if (auto *area = qobject_cast<QAbstractScrollArea *>(control)) {
            m_targets.insert(area->viewport(), {control, menu});
            area->viewport()->installEventFilter(this);
        }
    }
}

QString PopupHelp::itemText(const QString &item, const QString &table)
{
    for (const HelpItem &h : helpItems()) {
        if (item != QLatin1String(h.name))
            continue;
        // The table name goes in unchanged, whatever characters it holds.
        QStringList body;
        for (const QString &line : h.body) {
            const qsizetype at = line.indexOf(CC);
            body << (at < 0 ? line : line.left(at) + table + line.mid(at + CC.size()));
        }
        return CrLf + h.heading + CrLf + CrLf + body.join(CrLf) + CrLf;
    }
    return {};
}

QStringList PopupHelp::items()
{
    QStringList names;
    for (const HelpItem &h : helpItems())
        names << QLatin1String(h.name);
    return names;
}

bool PopupHelp::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return QObject::eventFilter(watched, event);
    const auto *press = static_cast<QMouseEvent *>(event);
    const auto it = m_targets.constFind(watched);
    if (press->button() != Qt::RightButton || it == m_targets.constEnd())
        return QObject::eventFilter(watched, event);
    auto *widget = static_cast<QWidget *>(watched);
    // A disabled control takes no mouse input: no menu while the word panel shows.
    if (!widget->isEnabled() || !Looks::pointerOnItself(widget, press->position()))
        return QObject::eventFilter(watched, event);
    it->menu->popup(press->globalPosition().toPoint());
    // Handled: the press goes no further (a list would move its selection, a frame around
    // a button would pop up the menu a second time).
    return true;
}
