// "Help": the Help window.
#include "Form1.h"

#include "Helpf.h"

#include <QPushButton>

void Form1::wireHelp()
{
    connect(Command7, &QPushButton::clicked, this, &Form1::command7Click);
}

void Form1::command7Click()
{
    setEnabled(false);
    // The Help window deletes itself when it closes, so it needs no parent (a parent would
    // also pass on this window's disabled state to it).
    auto *window = new Helpf(*this);
    window->load();
}
