// "Import": the import window.
#include "Form1.h"

void Form1::wireImport()
{
}
