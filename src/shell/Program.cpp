#include "Program.h"

#include "Form1.h"
#include "Form3.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace {

void applyLook()
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
}

} // namespace

Program::Program() = default;

Program::~Program()
{
    delete m_splash.data();
}

Form3 *Program::splash() const
{
    return m_splash.data();
}

bool Program::start()
{
    applyLook();
    // The splash deletes itself once closed.
    auto *splash = new Form3;
    m_splash = splash;
    connect(splash, &Form3::mainWindowWanted, this, &Program::loadMainWindow);
    splash->load();
    return !splash->handedOver() || m_main;
}

void Program::loadMainWindow()
{
    auto form = std::make_unique<Form1>();
    if (!form->startUp())
        return; // the window has closed; with it the program ends
    form->setEnabled(true);
    form->show();
    m_main = std::move(form);
}
