// "Change table": the Database Selector.
#include "Form1.h"

void Form1::wireCollections()
{
}
