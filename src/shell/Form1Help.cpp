// "Help": the Help window.
#include "Form1.h"

void Form1::wireHelp()
{
}
