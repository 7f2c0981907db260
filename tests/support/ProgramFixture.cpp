#include "ProgramFixture.h"

#include "Form1.h"
#include "Form3.h"
#include "Module1.h"
#include "Program.h"

#include <QApplication>
#include <QFile>
#include <QPointer>

ProgramFixture::ProgramFixture(const Options &options)
{
    if (options.database)
        TestSupport::writeDatabase(m_folder.databasePath(), options.details, options.tables);
    if (!options.firstRun) {
        QFile marker(m_folder.path(QStringLiteral("zq.ini")));
        if (marker.open(QIODevice::WriteOnly))
            marker.write("\"False\"\r\n");
    }
}

ProgramFixture::~ProgramFixture()
{
    m_program.reset();
    // Windows the test left open go before the database they point into.
    QList<QPointer<QWidget>> left;
    for (QWidget *w : QApplication::topLevelWidgets())
        left.append(w);
    for (const QPointer<QWidget> &w : left)
        delete w.data();
    Module1::reset();
}

Form1 *ProgramFixture::start()
{
    Form3 *splash = startSplash();
    // Tests of the Main window do not sit through the first run's title sequence.
    if (splash && !splash->handedOver())
        splash->handOver();
    return form();
}

Form3 *ProgramFixture::startSplash()
{
    m_program = std::make_unique<Program>();
    m_program->start();
    return m_program->splash();
}

Form1 *ProgramFixture::form() const
{
    return m_program ? m_program->mainWindow() : nullptr;
}
