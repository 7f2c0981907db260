#pragma once

#include <QString>

// One record's three texts, as they are written to a collection table.
struct WordEntry
{
    QString word;
    QString meaning;
    QString pointer;
};
