// The "Wordbrawl - Quiz" frame.
#include "Form1.h"

#include "QuizStart.h"

#include <QPushButton>

void Form1::wireQuiz()
{
    m_quizStart = new QuizStart(*this, Check2, Combo2, this);
    connect(Command5, &QPushButton::clicked, this, &Form1::command5Click);
}

void Form1::command5Click()
{
    m_quizStart->command5Click();
}
