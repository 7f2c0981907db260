// "Import": the import window.
#include "Form1.h"

#include "Form4.h"

#include <QPushButton>

void Form1::wireImport()
{
    connect(Command12, &QPushButton::clicked, this, &Form1::command12Click);
}

void Form1::command12Click()
{
    Form4::command12Click(*this);
}
