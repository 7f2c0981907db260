#pragma once

#include <QObject>

class MainWindowPort;

// "Delete all" of the Word Control frame: after one question, empties the Current
// collection in table order, reporting in the main Status box.
class DeleteAll : public QObject
{
    Q_OBJECT

public:
    explicit DeleteAll(MainWindowPort &main, QObject *parent = nullptr);

    // How many records one DELETE statement removes.
    static constexpr int BatchRows = 500;

public slots:
    void command11Click();

private:
    MainWindowPort &m_main;
};
