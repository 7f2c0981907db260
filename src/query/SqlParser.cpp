#include "SqlParser.h"

#include "Dialogs.h"
#include "MainWindowPort.h"
#include "Module1.h"
#include "QueryProgress.h"
#include "ResultsPaging.h"
#include "Skip.h"
#include "StoreError.h"
#include "Titles.h"

#include <QWidget>

#include <exception>
#include <memory>

namespace {

const QString CrLf = QStringLiteral("\r\n");
constexpr int DetailsRowsShown = 6;

// The query recordset of the SQL box: the store's read-only path refuses anything that
// would change the file, so a typed DELETE or DROP arrives here as an error. Only the first
// rows are read here; the Results viewer reads the rest while the user looks at them.
std::unique_ptr<Snapshot> runQuery(const QString &text)
{
    if (!Module1::database)
        throw StoreError(QStringLiteral("The word database is not open."));
    // The previous result lets go of its statement before the new one runs.
    if (Module1::queryResult)
        Module1::queryResult->stop();
    auto rows = std::make_unique<Snapshot>(Module1::database->query(text));
    rows->readFirst(ResultsPaging::Rows, SqlParser::FirstReadBudget);
    return rows;
}

} // namespace

const QString &SqlParser::Title = Titles::Wordbrawl;
const QString SqlParser::NoRecords =
    QStringLiteral("Sorry, there are no records under these set of conditions!");
const QString SqlParser::ErrorIntro = QStringLiteral("An error was returned! ");

SqlParser::SqlParser(MainWindowPort &main, QObject *parent) : QObject(parent), m_main(main)
{
    QueryProgress::install();
}

void SqlParser::go()
{
    QWidget *window = m_main.mainWindow();
    window->setEnabled(false);
    window->hide();
    m_main.displayHalt();

    QString failure;
    bool cancelled = false;
    try {
        Module1::queryResult = runQuery(m_main.sqlText());
        window->setEnabled(false);
        if (Module1::queryResult->rowsRead() > 0) {
            // The viewer keeps the Main window hidden and disabled until it closes.
            m_main.openResultsViewer();
            return;
        }
    } catch (const QueryCancelled &e) {
        failure = e.message();
        cancelled = true;
    } catch (const StoreError &e) {
        failure = e.message();
    } catch (const std::exception &e) {
        failure = QString::fromUtf8(e.what());
    }

    if (failure.isNull()) {
        m_main.returnToMain();
        Dialogs::current().message(NoRecords, Title);
    } else if (cancelled) {
        Dialogs::current().message(failure, Title);
        m_main.returnToMain();
    } else {
        Dialogs::current().message(ErrorIntro + CrLf + CrLf + failure, Title);
        m_main.returnToMain();
    }
}

QString SqlParser::whatIsSqlText()
{
    return CrLf + QStringLiteral("WHAT IS SQL ? ") + CrLf + CrLf +
           QStringLiteral("SQL stands for Structured Query Language. ") + CrLf +
           QStringLiteral("If you have a large database (collection of records) and wish to "
                          "access a record based on a set of conditions, you will find SQL "
                          "very handy. ") +
           CrLf +
           QStringLiteral("This option is intended for any user who knows the basics of SQL.") +
           CrLf;
}

QString SqlParser::tablesText(const QStringList &names)
{
    QString text = CrLf +
                   QStringLiteral("You will need to pass a query to one of the following "
                                  "tables. ") +
                   CrLf + CrLf;
    // "1) Words (" .. "6) Words5 (": the Details rows belong to the tables in this order.
    const QStringList &tables = WordDatabase::collectionTables();
    for (int k = 0; k < DetailsRowsShown; ++k)
        text += QString::number(k + 1) + QStringLiteral(") ") + tables.at(k) +
                QStringLiteral(" (") + names.value(k) + QStringLiteral(")") + CrLf;
    return text + CrLf;
}

QString SqlParser::examplesText()
{
    return QStringLiteral("Example : Select * from words ") + CrLf +
           QStringLiteral("Example : Select * from words1") + CrLf;
}

QStringList SqlParser::collectionNames()
{
    QStringList names;
    std::unique_ptr<TableCursor> details;
    try {
        if (Module1::database)
            details = std::make_unique<TableCursor>(*Module1::database, QStringLiteral("details"));
        if (details)
            details->moveFirst();
    } catch (const std::exception &) {
        details.reset(); // every name stays empty
    }
    for (int k = 0; k < DetailsRowsShown; ++k) {
        // A step that fails is skipped on its own: the name stays empty, the move still runs.
        QString name;
        skipOnFailure(lcQuery(), "reading a Collection name", [&] {
            if (details)
                name = details->text(0);
        });
        skipOnFailure(lcQuery(), "the move to the next Details row", [&] {
            if (details)
                details->moveNext();
        });
        names << name;
    }
    return names;
}

void SqlParser::sqlClick()
{
    m_main.appendStatusText(whatIsSqlText());
}

void SqlParser::passClick()
{
    m_main.appendStatusText(tablesText(collectionNames()));
    m_main.appendStatusText(examplesText());
}
