// The word panel (Add, Find/Delete) and Delete all.
#include "Form1.h"

void Form1::wireEditing()
{
}
