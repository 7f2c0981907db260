#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>

class MainWindowPort;

// The "SQL Parser" frame's Go! action, the common back end of the quick search and of
// Show all, and the two texts of its popup help ("What is SQL?", "How do I pass a query?").
class SqlParser : public QObject
{
    Q_OBJECT

public:
    static const QString &Title;     // "Lexmora! Wordbrawl"
    static const QString NoRecords;  // the message of an empty result
    static const QString ErrorIntro; // what precedes the engine's description
    // Go! reads the first page and then on for this long, so a small result is read
    // whole at once and a large one shows its first page without waiting for the rest.
    static constexpr std::chrono::milliseconds FirstReadBudget{4};

    explicit SqlParser(MainWindowPort &main, QObject *parent = nullptr);

    // The help texts exactly as they are appended to the Status box. `names` are the
    // Collection names of Words .. Words5, in that order; missing ones read as empty.
    static QString whatIsSqlText();
    static QString tablesText(const QStringList &names);
    static QString examplesText();
    // Field 0 of the first six rows of the settings table; unreadable rows give "".
    static QStringList collectionNames();

public slots:
    // Go!: runs the SQL box into the query recordset and opens the Results viewer, or
    // reports that nothing matched or what the engine objected to.
    void go();
    void command13Click() { go(); }
    void sqlClick();  // "What is SQL?"
    void passClick(); // "How do I pass a query?"

private:
    MainWindowPort &m_main;
};
