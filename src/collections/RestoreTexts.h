#pragma once

#include "Restore.h"

#include <QFileInfo>
#include <QLocale>
#include <QString>
#include <QStringList>

// The Database Selector's texts for restoring a backup copy, each written once.
namespace RestoreTexts {

inline const QString Caption = QStringLiteral("Restore a backup\u2026");
inline const QString ToolTip =
    QStringLiteral("Puts back the words of a backup copy taken before a change");
inline const QString ChoiceTitle = QStringLiteral("Restore a backup");
inline const QString ChoicePrompt =
    QStringLiteral("Which backup copy shall be put back? Every collection gets back the words it "
                   "had then; the words as they are now are copied first.");
inline const QString NoCopies =
    QStringLiteral("There is no backup copy of the word database yet. Lexmora takes one before "
                   "Delete all, before Delete content and before an import.");
inline const QString Stopped =
    QStringLiteral("Restoring was stopped, as you asked. Your words are as they were.");
inline const QString NoCopyBefore =
    QStringLiteral("Nothing was restored: your words are as they were.");

// When a copy was taken, in the user's own time.
inline QString takenAt(const Restore::Copy &copy)
{
    return QLocale(QLocale::English)
        .toString(copy.takenAt.toLocalTime(), QStringLiteral("d MMM yyyy, HH:mm:ss"));
}

inline QString number(qint64 n)
{
    return QLocale(QLocale::English).toString(n);
}

// The words of each collection that has any: "Words 300, Synonyms 12".
inline QString collections(const WordContents::Counts &counts)
{
    QStringList parts;
    for (qsizetype i = 0; i < counts.words.size(); ++i)
        if (counts.words[i] > 0)
            parts << counts.names.value(i) + QLatin1Char(' ') + number(counts.words[i]);
    return parts.join(QStringLiteral(", "));
}

// One line of the list of copies.
inline QString item(const Restore::Copy &copy)
{
    if (!copy.problem.isEmpty())
        return takenAt(copy) + QStringLiteral("   cannot be read: ") + copy.problem;
    const qint64 total = copy.words.total();
    if (total == 0)
        return takenAt(copy) + QStringLiteral("   no words");
    return takenAt(copy) +
           QStringLiteral("   %1 words (%2)").arg(number(total), collections(copy.words));
}

inline QString askRestore(const Restore::Copy &copy)
{
    return QStringLiteral("Put back the backup copy of %1, with %2 words? Every collection gets "
                          "back the words it had then.")
        .arg(takenAt(copy), number(copy.words.total()));
}

inline QString working(const Restore::Copy &copy)
{
    return QStringLiteral("Restoring the backup copy of %1...").arg(takenAt(copy));
}

inline QString restored(const Restore::Copy &copy, const Restore::Result &result)
{
    QString text = QStringLiteral("The backup copy of %1 is back: %2 words in all.")
                       .arg(takenAt(copy), number(result.words.total()));
    if (!result.before.failed() && !result.before.file.isEmpty())
        text += QStringLiteral("\r\nThe words as they were are kept in the backup copy %1.")
                    .arg(QFileInfo(result.before.file).fileName());
    return text;
}

// What the Main window's Status box is told.
inline QString restoredStatus(const Restore::Copy &copy)
{
    return QStringLiteral("\r\nRestored the backup copy of %1.\r\n").arg(takenAt(copy));
}

} // namespace RestoreTexts
