// The word panel (Add, Find/Delete) and Delete all.
#include "Form1.h"

#include "DeleteAll.h"
#include "Looks.h"
#include "StatusBox.h"
#include "WordPanel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

void Form1::wireEditing()
{
    // The panel's fields and log read in the regular weight, not in the bold of the frame
    // around them.
    for (QWidget *w : std::initializer_list<QWidget *>{Text2, Text3, Text4, Combo3, RichTextBox2})
        w->setFont(Looks::caption(10));
    m_wordPanel = new WordPanel({.Frame5 = Frame5,
                                 .Text2 = Text2,
                                 .Combo3 = Combo3,
                                 .Text3 = Text3,
                                 .Text4 = Text4,
                                 .Command1 = Command1,
                                 .Command17 = Command17,
                                 .Command16 = Command16,
                                 .RichTextBox2 = RichTextBox2,
                                 .RichTextBox1 = RichTextBox1,
                                 .Frame1 = Frame1,
                                 .Frame2 = Frame2,
                                 .Frame3 = Frame3,
                                 .Frame4 = Frame4,
                                 .Command6 = Command6,
                                 .Command7 = Command7,
                                 .Command20 = Command20,
                                 .Command9 = Command9,
                                 .Command10 = Command10,
                                 .Command11 = Command11,
                                 .Command12 = Command12},
                                *this, this);
    m_deleteAll = new DeleteAll(*this, this);
    connect(Command11, &QPushButton::clicked, m_deleteAll, &DeleteAll::command11Click);
}
