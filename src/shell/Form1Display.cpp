// The word display of the "Show Words" frame, Display halt, and the Results viewer.
#include "Form1.h"

#include "WordDisplay.h"
#include "sqlret.h"

void Form1::wireDisplay()
{
    m_wordDisplay = new WordDisplay({.Command2 = Command2,
                                     .Command3 = Command3,
                                     .Command4 = Command4,
                                     .Command14 = Command14,
                                     .Command15 = Command15,
                                     .Check1 = Check1,
                                     .Combo1 = Combo1,
                                     .Label1 = Label1,
                                     .Label2 = Label2,
                                     .Timer1 = Timer1},
                                    *this, this);
}

void Form1::displayHalt()
{
    m_wordDisplay->displayHalt();
}

void Form1::openResultsViewer()
{
    // The viewer is a window of its own, hiding this one until it closes; it deletes
    // itself then (WA_DeleteOnClose), so it needs no parent.
    hide();
    auto *viewer = new sqlret(*this);
    viewer->load();
}
