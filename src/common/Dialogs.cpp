#include "Dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {

Dialogs *installed = nullptr;

QWidget *parentWindow()
{
    QWidget *w = QApplication::activeWindow();
    return w && w->isVisible() ? w : nullptr;
}

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

void ModalDialogs::message(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, shown(text), QMessageBox::Ok, parentWindow());
    box.exec();
}

bool ModalDialogs::question(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, shown(text), QMessageBox::Yes | QMessageBox::No,
                    parentWindow());
    return box.exec() == QMessageBox::Yes;
}

bool ModalDialogs::questionDefaultNo(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Warning, title, shown(text), QMessageBox::Yes | QMessageBox::No,
                    parentWindow());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString ModalDialogs::input(const QString &prompt, const QString &title,
                            const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parentWindow(), title, shown(prompt),
                                               QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}
