#pragma once

#include <QObject>

class MainWindowPort;

// "Delete all" of the Word Control frame: after one question, empties the Current
// collection record by record through the shared record set, reporting in the main
// Status box.
class DeleteAll : public QObject
{
    Q_OBJECT

public:
    explicit DeleteAll(MainWindowPort &main, QObject *parent = nullptr);

public slots:
    void command11Click();

private:

    MainWindowPort &m_main;
};
