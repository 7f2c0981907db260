// The "Wordbrawl - Quiz" frame.
#include "Form1.h"

void Form1::wireQuiz()
{
}
