// The control panel: cover and lock, Status flash, hover looks and popup help.
#include "Form1.h"

void Form1::wirePanel()
{
}

void Form1::closeRequest()
{
}

void Form1::openRequest()
{
}
