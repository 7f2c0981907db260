// "Change table": the Database Selector.
#include "Form1.h"

#include "Form2.h"
#include "HoverLooks.h"
#include "Module1.h"

#include <QFont>
#include <QListWidget>
#include <QPushButton>

void Form1::wireCollections()
{
    connect(Command18, &QPushButton::clicked, this, &Form1::command18Click);
}

void Form1::command18Click()
{
    displayHalt();
    // Highlight reset: the list and every lit button go back to their normal looks.
    m_looks->resetAll();
    QFont listFont = List1->font();
    listFont.setItalic(false);
    List1->setFont(listFont);
    List1->clearSelection();
    if (!Module1::database)
        return;
    // The selector is a window of its own and deletes itself when closed (WA_DeleteOnClose).
    auto *selector = new Form2(*this, *Module1::database);
    selector->load();
}
