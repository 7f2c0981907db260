#include "ShowAll.h"

#include "MainWindowPort.h"
#include "Module1.h"
#include "SqlParser.h"
#include "WordQueries.h"

ShowAll::ShowAll(MainWindowPort &main, SqlParser &parser, QObject *parent)
    : QObject(parent), m_main(main), m_parser(parser)
{
}

QString ShowAll::query(const QString &table)
{
    return WordQueries::all(table);
}

void ShowAll::command8Click()
{
    // Go! halts the word display itself; nothing else comes first.
    m_main.setSqlText(query(Module1::currentCollection));
    m_parser.go();
}
