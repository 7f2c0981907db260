#pragma once

#include <QObject>
#include <QString>

class MainWindowPort;
class QWidget;
class WordRowSource;

// The two "Export" buttons: the Main window's (Command21, the Current collection) and the
// Results viewer's (Command2, the rows it shows). Each asks for a file in the save dialog,
// whose file types pick the format, writes it with a progress box and Cancel once it takes
// a while, and reports the words written in the Main window's Status box. A file that
// cannot be written is reported in a message box and nothing is left behind.
class ExportStart : public QObject
{
    Q_OBJECT

public:
    explicit ExportStart(MainWindowPort &main, QObject *parent = nullptr);

    // The report line: "Exported N words of TABLE to FILE".
    static QString report(qint64 words, const QString &table, const QString &file);

    // The Results viewer's "Export": the query recordset's rows, from the window `viewer`.
    static void exportQueryResult(MainWindowPort &main, QWidget *viewer);

public slots:
    // The Main window's "Export": every word of the Current collection.
    void command21Click();

private:
    MainWindowPort &m_main;
};

// The save dialog, the writing and the report, for any rows. `owner` is the window the
// progress box is kept above; `table` names the collection in the report and the file.
void exportWords(MainWindowPort &main, QWidget *owner, WordRowSource &rows, const QString &table);
