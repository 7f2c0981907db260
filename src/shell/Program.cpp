#include "Program.h"

#include "Form1.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace Program {

std::unique_ptr<Form1> start()
{
    // Fusion draws buttons in their palette colours on every platform.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Captions ask for Times New Roman, the hover look for "TimesNewRoman"; both are
    // drawn with its metric twin where the original is not installed.
    for (const QString &family : {QStringLiteral("Times New Roman"), QStringLiteral("TimesNewRoman")})
        QFont::insertSubstitutions(family, {QStringLiteral("Times New Roman"),
                                            QStringLiteral("Liberation Serif"),
                                            QStringLiteral("serif")});
    QApplication::setApplicationName(QStringLiteral("Lexmora"));

    auto form = std::make_unique<Form1>();
    if (!form->startUp())
        return nullptr;
    return form;
}

} // namespace Program
