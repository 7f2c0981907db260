#pragma once

#include "BulkWriter.h"

#include <QObject>

class MainWindowPort;

// "Delete all" of the Word Control frame: after one question, empties the Current
// collection in table order, reporting in the main Status box. The work shows a progress
// box with Cancel when it lasts (LongWork); Cancel keeps every word.
class DeleteAll : public QObject
{
    Q_OBJECT

public:
    explicit DeleteAll(MainWindowPort &main, QObject *parent = nullptr);

    // How many records one statement removes.
    static constexpr int BatchRows = BulkWriter::BatchRows;

public slots:
    void command11Click();

private:
    MainWindowPort &m_main;
};
