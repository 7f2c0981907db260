#pragma once

#include <QObject>
#include <QString>

#include <optional>

class MainWindowPort;
class SqlParser;

// The quick searches of the "Word Control" list: ask for a text, write a query over the
// Current collection into the SQL box and run Go!.
class QuickSearch : public QObject
{
    Q_OBJECT

public:
    enum class Kind { ByWord, ByMeaning, ByPointer };

    static const QString &Title; // "Lexmora! Wordbrawl!"

    QuickSearch(MainWindowPort &main, SqlParser &parser, QObject *parent = nullptr);

    // The list entry's text ("Quick search - By word" ...); the start-up fills the list
    // with these in the order word, meaning, pointer.
    static QString itemText(Kind kind);
    // The search an entry stands for; none for any other text (no entry selected).
    static std::optional<Kind> kindOf(const QString &itemText);
    static QString prompt(Kind kind);
    // The query over `table` for the typed text. Wildcards typed by the user stay
    // wildcards; an apostrophe is doubled so that it stays inside the quoted literal.
    static QString query(Kind kind, const QString &table, const QString &typed);

public slots:
    // A click on `List1` with the selected entry's text.
    void list1Click(const QString &selectedText);

private:
    MainWindowPort &m_main;
    SqlParser &m_parser;
};
