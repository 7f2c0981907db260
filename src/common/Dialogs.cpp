#include "Dialogs.h"

#include "WindowOwner.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>

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

QString ModalDialogs::saveFile(const QString &title, const QString &suggestedPath,
                               const QStringList &filters, QString *filter)
{
    // Qt's own dialog, not the desktop's: it adds the chosen type's extension before it asks
    // about a file that exists, and it is kept above its window as the boxes are.
    QFileDialog box;
    box.setWindowTitle(title);
    box.setOption(QFileDialog::DontUseNativeDialog);
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setFileMode(QFileDialog::AnyFile);
    box.setNameFilters(filters);
    const auto useSuffixOf = [&box](const QString &chosen) {
        static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
        box.setDefaultSuffix(pattern.match(chosen).captured(1));
    };
    QObject::connect(&box, &QFileDialog::filterSelected, &box, useSuffixOf);
    if (filter && filters.contains(*filter))
        box.selectNameFilter(*filter);
    useSuffixOf(box.selectedNameFilter());
    box.selectFile(suggestedPath);
    WindowOwner::keepAbove(&box, WindowOwner::forNewBox());
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return QString();
    if (filter)
        *filter = box.selectedNameFilter();
    return box.selectedFiles().first();
}
