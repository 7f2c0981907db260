#pragma once

#include <QObject>
#include <QString>

class MainWindowPort;
class SqlParser;

// "Show all": every word of the Current collection in the Results viewer, through Go!.
class ShowAll : public QObject
{
    Q_OBJECT

public:
    ShowAll(MainWindowPort &main, SqlParser &parser, QObject *parent = nullptr);

    // Every record of `table`: no order asked for, the rows come in table order.
    static QString query(const QString &table);

public slots:
    void command8Click();

private:
    MainWindowPort &m_main;
    SqlParser &m_parser;
};
