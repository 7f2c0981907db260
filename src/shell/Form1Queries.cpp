// The SQL Parser frame, the quick searches and Show all.
#include "Form1.h"

#include "ListBox.h"
#include "QuickSearch.h"
#include "ShowAll.h"
#include "SqlParser.h"
#include "SqlParserFrame.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

void Form1::wireQueries()
{
    auto *parser = new SqlParser(*this, this);
    connect(Command13, &QPushButton::clicked, parser, &SqlParser::command13Click);
    connect(help->findChild<QAction *>(QStringLiteral("sql")), &QAction::triggered, parser,
            &SqlParser::sqlClick);
    connect(help->findChild<QAction *>(QStringLiteral("pass")), &QAction::triggered, parser,
            &SqlParser::passClick);
    new SqlParserFrame({Frame4, Text1, Command13, help}, this);

    auto *search = new QuickSearch(*this, *parser, this);
    // A click on an entry, or a move to another entry with the keyboard.
    auto *list = static_cast<ListBox *>(List1);
    connect(list, &ListBox::click, search, [list, search] { search->list1Click(list->selectedText()); });

    auto *showAll = new ShowAll(*this, *parser, this);
    connect(Command8, &QPushButton::clicked, showAll, &ShowAll::command8Click);
}
