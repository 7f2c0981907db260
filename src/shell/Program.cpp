#include "Program.h"

#include "DesktopManners.h"
#include "FlatButtonStyle.h"
#include "Form1.h"
#include "Form3.h"
#include "LongWork.h"
#include "Looks.h"
#include "PlainToolTips.h"
#include "ScreenFit.h"
#include "StoreProgress.h"
#include "Titles.h"

#include <QApplication>
#include <QScreen>

namespace {

void applyLook()
{
    // Fusion draws buttons in their palette colours on every platform; the program's own
    // style makes their faces one flat fill of that colour.
    QApplication::setStyle(new FlatButtonStyle);
    Looks::registerFontNames();
    // Words and meanings may look like markup; tooltips show them as they are stored.
    PlainToolTips::install();
    QApplication::setApplicationName(Titles::Application);
    DesktopManners::install();
}

// The store's long steps that no window watches (the first fill of the search index when
// a file is opened) run as the program's long work: the windows keep painting and a box
// says what is going on.
void watchStoreSteps()
{
    StoreProgress::setRunner(
        [](const QString &label, bool cancellable, const StoreProgress::Step &step) {
            LongWork work(QApplication::activeWindow(), label);
            work.setCancellable(cancellable);
            step([&work](qint64 done, qint64 total) { return work.tick(done, total); });
        });
}

// On a screen too small for the Main window every window is drawn smaller by one factor,
// text and pictures with the rest, so each shows whole and as designed. A scroll area
// would leave part of the Main window out of sight at any moment.
void fitScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const double factor = ScreenFit::factor(Form1::designSize(), screen->availableGeometry());
    if (factor == Twips::scale())
        return;
    // The application font (controls without a caption font of their own) goes with it.
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF() * factor / Twips::scale());
    QApplication::setFont(font);
    Twips::setScale(factor);
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
    m_opening.begin(Form1::databasePath());
    applyLook();
    fitScreen();
    watchStoreSteps();
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
    if (!form->startUp(&m_opening)) {
        // The message has been shown and the window has closed: the program ends. Before
        // the event loop runs this does nothing, and start() reports it instead. (The quit
        // the closed window posts may still end the loop with 0: main() asks
        // startUpFailed() for the status.)
        m_startUpFailed = true;
        QCoreApplication::exit(StartUpFailed);
        return;
    }
    form->setEnabled(true);
    form->show();
    m_main = std::move(form);
}
