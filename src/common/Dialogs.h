#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Every message box, input box and file dialog of the program goes through here, so tests
// can answer them from a script and check their titles and texts exactly.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A message with an OK button.
    virtual void message(const QString &text, const QString &title) = 0;
    // A question with Yes and No buttons; true only for Yes.
    virtual bool question(const QString &text, const QString &title) = 0;
    // The same with No as the default button, for going on with something that cannot be
    // undone: Enter says No.
    virtual bool questionDefaultNo(const QString &text, const QString &title) = 0;
    // A text-input box; Cancel gives the empty text.
    virtual QString input(const QString &prompt, const QString &title,
                          const QString &defaultText = QString()) = 0;
    // A list to choose one of `items` from, with OK and Cancel; the index of the item
    // chosen, or -1 for Cancel.
    virtual int choice(const QString &prompt, const QString &title, const QStringList &items) = 0;
    // A save dialog: the file to write, or the empty text for Cancel. It opens at
    // `suggestedPath` and offers the file types of `filters` ("Excel workbook (*.xlsx)"),
    // `*filter` first; the one chosen is put back there. A name typed without an extension
    // gets the chosen type's, and a file that exists is written over only when the user says
    // so in the dialog.
    virtual QString saveFile(const QString &title, const QString &suggestedPath,
                             const QStringList &filters, QString *filter) = 0;

    static Dialogs &current();
    // Puts `dialogs` in charge until it is replaced; nullptr restores the real dialogs.
    static void install(Dialogs *dialogs);
};

// The real modal QMessageBox and QInputDialog windows.
class ModalDialogs : public Dialogs
{
public:
    void message(const QString &text, const QString &title) override;
    bool question(const QString &text, const QString &title) override;
    bool questionDefaultNo(const QString &text, const QString &title) override;
    QString input(const QString &prompt, const QString &title,
                  const QString &defaultText) override;
    int choice(const QString &prompt, const QString &title, const QStringList &items) override;
    QString saveFile(const QString &title, const QString &suggestedPath, const QStringList &filters,
                     QString *filter) override;
};
