// The SQL Parser frame, the quick searches and Show all.
#include "Form1.h"

void Form1::wireQueries()
{
}
