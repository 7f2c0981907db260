// Keyboard use of the Main window and the names assistive tools read for its controls.
#include "Form1.h"

#include "PaintedPicture.h"
#include "StatusBox.h"
#include "Twips.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

QSize Form1::designSize()
{
    // As buildControls() sizes the window, at scale 1.
    return {int(std::lround(21090 / Twips::PerPixel)),
            int(std::lround((PanelGeometry::PaneHeight + 90) / Twips::PerPixel))};
}

void Form1::wireKeys()
{
    // Enter in the SQL box runs it, as "Go!" does.
    connect(Text1, &QLineEdit::returnPressed, Command13, &QPushButton::click);

    // Controls with a caption are named by it; these show none, so they are named after
    // what they hold.
    const QList<QPair<QWidget *, QString>> names{
        {Picture1, QStringLiteral("Word display")},
        {RichTextBox1, QStringLiteral("Status")},
        {Text2, QStringLiteral("Word")},
        {Combo3, QStringLiteral("Word chooser")},
        {Text3, QStringLiteral("Meaning")},
        {Text4, QStringLiteral("Pointer / Comment")},
        {RichTextBox2, QStringLiteral("Word panel status")},
        {Picture3, QStringLiteral("Divider")},
        {Picture2, QStringLiteral("Control panel")},
        {Combo1, QStringLiteral("Show Words timer interval")},
        {Combo2, QStringLiteral("Quiz timer interval")},
        {List1, QStringLiteral("Quick search")},
        {Text1, QStringLiteral("SQL query")},
        {Picture4, QStringLiteral("Panel cover")},
        {Picture5, QStringLiteral("Lock")},
    };
    for (const auto &[control, name] : names)
        control->setAccessibleName(name);
}
