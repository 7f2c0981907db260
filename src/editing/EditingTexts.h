#pragma once

#include "StoreError.h"
#include "Titles.h"

#include <QString>

#include <exception>

// Every text the word panel and Delete all show, in one place.
namespace EditingTexts {

inline const QString CrLf = QStringLiteral("\r\n");
inline const QString &Title = Titles::Wordbrawl;

// The panel button's caption is the panel's mode.
inline const QString AddCaption = QStringLiteral("Add");
inline const QString EditCaption = QStringLiteral("Edit");
inline const QString UpdateCaption = QStringLiteral("Update");
inline const QString CloseCaption = QStringLiteral("Close");
inline const QString AddTitle = QStringLiteral("Add a word");
inline const QString ModifyTitle = QStringLiteral("Modify / Delete a word");

// The chooser's prompts: the first after opening and after Update, the second after Delete.
inline const QString ChooseYourWord = QStringLiteral("Choose your word");
inline const QString ChooseAWord = QStringLiteral("Choose a word");
// The pointer of a word whose pointer field was left untouched.
inline const QString NothingToAdd = QStringLiteral("Nothing to add");

inline const QString EnterWord = QStringLiteral("Well, enter a word and then click on add!");
inline const QString EnterMeaning = QStringLiteral("Well, enter a meaning and then click on add!");
inline const QString AlreadyExists = QStringLiteral(
    "Sorry, this word already exists! Please click on modify if that's what you wish to do! ");
inline const QString ChooseFirst = QStringLiteral("Choose a word first!");
inline const QString SureToDelete = QStringLiteral("Are you sure you want to delete this word ? ");
inline const QString NoSuchWord = QStringLiteral("There is no such word in the wordlist");

// Failures of the store, which the user must hear of rather than a report of success.
// `reason` is the store's own description.
inline QString sentence(const QString &reason)
{
    const bool ends = reason.endsWith(QLatin1Char('.')) || reason.endsWith(QLatin1Char('!')) ||
                      reason.endsWith(QLatin1Char('?'));
    return ends ? reason : reason + QLatin1Char('.');
}
// The store's own description of a failure.
inline QString describe(const std::exception &e)
{
    if (const auto *store = dynamic_cast<const StoreError *>(&e))
        return store->message();
    return QString::fromUtf8(e.what());
}
inline QString notAdded(const QString &reason)
{
    return QStringLiteral("Sorry, the word could not be added: ") + sentence(reason);
}
inline QString notOpened(const QString &reason)
{
    return QStringLiteral("Sorry, the word could not be opened for editing: ") + sentence(reason);
}
inline QString notSaved(const QString &reason)
{
    return QStringLiteral("Sorry, your changes could not be saved: ") + sentence(reason) +
           QStringLiteral(" The word is as it was; click on 'Update' to try again.");
}
inline const QString NoLongerStored =
    QStringLiteral("This word is no longer in the collection, so your changes could not be saved.");
inline QString notDeleted(const QString &reason)
{
    return QStringLiteral("Sorry, the word could not be deleted: ") + sentence(reason);
}
inline QString notEmptied(const QString &reason)
{
    return QStringLiteral("Sorry, not every word could be deleted: ") + sentence(reason);
}
inline const QString CollectionNotOpen =
    QStringLiteral("the collection in use could not be opened.");

// A block of the word panel's Status box: heading, then the word's three texts.
inline QString report(const QString &heading, const QString &word, const QString &meaning,
                      const QString &pointer)
{
    return CrLf + heading + CrLf + QStringLiteral("Word: ") + word + CrLf +
           QStringLiteral("Meaning: ") + meaning + CrLf + QStringLiteral("Pointer: ") + pointer +
           CrLf;
}
inline const QString Added = QStringLiteral("Added... ");
inline const QString FinishedEditing = QStringLiteral("Finished Editing... ");
inline const QString Deleted = QStringLiteral("Deleted... ");

// Delete all, which names the collection by its table name.
inline QString emptyQuestion(const QString &table)
{
    return QStringLiteral("This will empty the wordlist ") + table + QStringLiteral(" You sure ? ");
}
inline QString deletingContents(const QString &table)
{
    return CrLf + QStringLiteral("Deleting contents of ") + table + QStringLiteral("....") + CrLf;
}
inline const QString DeletedAll = CrLf + QStringLiteral("Deleted..") + CrLf;
inline const QString Stopped =
    QStringLiteral("Delete all was stopped, as you asked. No word was deleted.");

} // namespace EditingTexts
