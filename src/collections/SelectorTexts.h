#pragma once

#include "Titles.h"

#include <QString>

// The Database Selector's texts, each written once.
namespace SelectorTexts {

inline const QString &Caption = Titles::DatabaseSelector;
inline const QString &Title = Titles::Wordbrawl;
inline const QString CrLf = QStringLiteral("\r\n");

inline const QString ImproperChoice =
    QStringLiteral("Improper choice! Do not type anything in the table name! Get serious!");
inline const QString EnterSomething = QStringLiteral("Bubba, enter something!");
inline const QString Renamed = QStringLiteral("Okay! I have renamed it!");
inline const QString RenameTitle = QStringLiteral("Rename");

inline QString askEmpty(const QString &name)
{
    return QStringLiteral("Are you sure you wish to empty ") + name + QStringLiteral(" ?");
}
inline QString emptied(const QString &name)
{
    return QStringLiteral("All words in ") + name + QStringLiteral(" have been deleted");
}
inline QString emptyingStopped(const QString &name)
{
    return QStringLiteral("Deleting the words of ") + name +
           QStringLiteral(" was stopped, as you asked. No word was deleted.");
}
inline QString askNewName(const QString &name)
{
    return QStringLiteral("What would you like ") + name + QStringLiteral(" renamed to ?");
}

// The summary labels.
inline const QString DatabasePath = QStringLiteral("Database path : ");
inline const QString NumberOfRecords = QStringLiteral("Number of records : ");
inline const QString StartingWord = QStringLiteral("Starting Word : ");
inline const QString EndingWord = QStringLiteral("Ending Word : ");
inline const QString DefaultTable = QStringLiteral("Default table");
inline const QString NotDefaultTable = QStringLiteral("Not the default table");

} // namespace SelectorTexts
