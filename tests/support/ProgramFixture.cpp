#include "ProgramFixture.h"

#include "Form1.h"
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
    m_form.reset();
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
    m_form = Program::start();
    return m_form.get();
}
