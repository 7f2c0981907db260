#include "QuickSearch.h"

#include "Dialogs.h"
#include "MainWindowPort.h"
#include "Module1.h"
#include "SqlParser.h"
#include "Titles.h"
#include "WordQueries.h"

const QString &QuickSearch::Title = Titles::WordbrawlBang;

QuickSearch::QuickSearch(MainWindowPort &main, SqlParser &parser, QObject *parent)
    : QObject(parent), m_main(main), m_parser(parser)
{
}

QString QuickSearch::itemText(Kind kind)
{
    switch (kind) {
    case Kind::ByWord:
        return QStringLiteral("Quick search - By word");
    case Kind::ByMeaning:
        return QStringLiteral("Quick search - By meaning");
    case Kind::ByPointer:
        return QStringLiteral("Quick search - By pointer");
    }
    return QString();
}

std::optional<QuickSearch::Kind> QuickSearch::kindOf(const QString &text)
{
    for (Kind kind : {Kind::ByWord, Kind::ByPointer, Kind::ByMeaning})
        if (text == itemText(kind))
            return kind;
    return std::nullopt;
}

QString QuickSearch::prompt(Kind kind)
{
    switch (kind) {
    case Kind::ByWord:
        return QStringLiteral("Please enter the word completely or the starting few letters of "
                              "the word : ");
    case Kind::ByMeaning:
        return QStringLiteral("Please enter the meaning completely or any significant part of "
                              "the meaning : ");
    case Kind::ByPointer:
        return QStringLiteral("Please enter the pointer completely or any significant part of "
                              "the pointer : ");
    }
    return QString();
}

QString QuickSearch::query(Kind kind, const QString &table, const QString &typed)
{
    switch (kind) {
    case Kind::ByWord:
        return WordQueries::wordStartsWith(table, typed);
    case Kind::ByMeaning:
        return WordQueries::meaningContains(table, typed);
    case Kind::ByPointer:
        return WordQueries::pointerContains(table, typed);
    }
    return QString();
}

void QuickSearch::list1Click(const QString &selectedText)
{
    m_main.displayHalt();
    const std::optional<Kind> kind = kindOf(selectedText);
    if (!kind)
        return;
    const QString typed = Dialogs::current().input(prompt(*kind), Title, QString());
    if (typed.isEmpty())
        return; // Cancel, or nothing typed: the SQL box keeps what it had
    m_main.setSqlText(query(*kind, Module1::currentCollection, typed));
    m_parser.go();
}
