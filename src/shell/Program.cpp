#include "Program.h"

#include "DesktopManners.h"
#include "FlatButtonStyle.h"
#include "Form1.h"
#include "Form3.h"
#include "Looks.h"
#include "PlainToolTips.h"
#include "ScreenFit.h"
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
    applyLook();
    fitScreen();
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
