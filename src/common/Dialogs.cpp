#include "Dialogs.h"

#include "WindowOwner.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {

Dialogs *installed = nullptr;

// Message texts use CR LF; Qt shows a bare line feed best.
QString shown(const QString &text)
{
    QString t = text;
    return t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace

Dialogs &Dialogs::current()
{
    static ModalDialogs modal;
    return installed ? *installed : modal;
}

void Dialogs::install(Dialogs *dialogs)
{
    installed = dialogs;
}

// Every box is a window of its own, kept above the window it was opened from (not its child:
// a child would be disabled with it, and a modal box that cannot be clicked stops the program).
void ModalDialogs::message(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, shown(text), QMessageBox::Ok);
    WindowOwner::keepAbove(&box, WindowOwner::forNewBox());
    box.exec();
}

bool ModalDialogs::question(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, shown(text), QMessageBox::Yes | QMessageBox::No);
    WindowOwner::keepAbove(&box, WindowOwner::forNewBox());
    return box.exec() == QMessageBox::Yes;
}

bool ModalDialogs::questionDefaultNo(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Warning, title, shown(text), QMessageBox::Yes | QMessageBox::No);
    WindowOwner::keepAbove(&box, WindowOwner::forNewBox());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString ModalDialogs::input(const QString &prompt, const QString &title,
                            const QString &defaultText)
{
    QInputDialog box;
    box.setWindowTitle(title);
    box.setLabelText(shown(prompt));
    box.setTextValue(defaultText);
    box.setInputMode(QInputDialog::TextInput);
    WindowOwner::keepAbove(&box, WindowOwner::forNewBox());
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

int ModalDialogs::choice(const QString &prompt, const QString &title, const QStringList &items)
{
    QInputDialog box;
    box.setWindowTitle(title);
    box.setLabelText(shown(prompt));
    box.setComboBoxItems(items);
    box.setComboBoxEditable(false);
    // A list in view, not a drop-down: every item can be read at once.
    box.setOption(QInputDialog::UseListViewForComboBoxItems);
    WindowOwner::keepAbove(&box, WindowOwner::forNewBox());
    return box.exec() == QDialog::Accepted ? int(items.indexOf(box.textValue())) : -1;
}
