// The word display of the "Show Words" frame, Display halt, and the Results viewer.
#include "Form1.h"

#include "SwitchTimer.h"

#include <QCheckBox>
#include <QComboBox>

void Form1::wireDisplay()
{
}

void Form1::displayHalt()
{
    Timer1->setEnabled(false);
    Check1->setEnabled(true);
    Combo1->setEnabled(true);
}

void Form1::openResultsViewer()
{
}
