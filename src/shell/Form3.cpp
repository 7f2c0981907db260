#include "Form3.h"

#include "Form1.h"
#include "Looks.h"
#include "SwitchTimer.h"
#include "TitleArt.h"
#include "Titles.h"
#include "Twips.h"

#include <QFileInfo>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {

using Looks::make;
using Looks::place;

constexpr double CardWidth = 7200;
constexpr double CardHeight = 4320;
constexpr double Step = 50;       // twips the picture narrows per tick
constexpr double Narrowest = 51;  // at or below this the picture snaps ...
constexpr double BandWidth = 100; // ... to this width
constexpr int WaitMs = 2000;
constexpr int CardMs = 4000;

QLabel *cardLabel(QWidget *parent, const char *name, const QString &caption, const QFont &font,
                  const QColor &colour)
{
    auto *l = make<QLabel>(parent, name, caption);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    l->setFont(font);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    return l;
}

} // namespace

Form3::Form3(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    connect(Timer1, &SwitchTimer::tick, this, &Form3::timer1Tick);
    connect(Timer2, &SwitchTimer::tick, this, &Form3::timer2Tick);
    connect(Timer3, &SwitchTimer::tick, this, &Form3::timer3Tick);
}

void Form3::buildControls()
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(Titles::Splash);
    setFixedSize(Twips::toPixels(CardWidth), Twips::toPixels(CardHeight));
    Looks::givePaperBackground(this);

    // The card under the picture, seen once the picture is drawn aside.
    const double textLeft = BandWidth + 300;
    const double textWidth = CardWidth - textLeft - 300;
    Label1 = cardLabel(this, "Label1", QStringLiteral("Presents"),
                       Looks::caption(14, QFont::Normal, true), QColor(120, 84, 30));
    place(Label1, textLeft, 660, textWidth, 480);
    Label2 = cardLabel(this, "Label2", Titles::WordbrawlBang,
                       Looks::caption(26, QFont::Bold, true), QColor(0, 0, 128));
    place(Label2, textLeft, 1260, textWidth, 900);
    Label3 = cardLabel(this, "Label3", QStringLiteral("Version 1.00"),
                       Looks::caption(12, QFont::Bold), QColor(40, 40, 40));
    place(Label3, textLeft, 2580, textWidth, 420);
    Label4 = cardLabel(this, "Label4", QStringLiteral("Released on August 15th, 2002"),
                       Looks::caption(11, QFont::Normal, true), QColor(40, 40, 40));
    place(Label4, textLeft, 3000, textWidth, 420);

    Picture1 = make<TitleArt>(this, "Picture1", TitleArt::Art::Title);
    place(Picture1, 0, 0, CardWidth, CardHeight);
    Picture1->setDesignWidth(Twips::toPixels(CardWidth));
    Picture1->raise();
    m_picture1Width = CardWidth;

    // All three timers are stopped at load.
    Timer1 = make<SwitchTimer>(this, "Timer1");
    Timer2 = make<SwitchTimer>(this, "Timer2");
    Timer3 = make<SwitchTimer>(this, "Timer3");
}

void Form3::load()
{
    if (QFileInfo::exists(Form1::FirstRunMarker)) {
        handOver();
        return;
    }
    Timer1->setInterval(WaitMs);
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    show();
}

void Form3::timer1Tick()
{
    Timer1->setInterval(0);
    Timer2->setInterval(1);
}

void Form3::timer2Tick()
{
    double width = m_picture1Width - Step;
    if (width <= Narrowest) {
        width = BandWidth;
        Timer2->setInterval(0);
        Timer3->setInterval(CardMs);
    }
    applyPicture1Width(width);
}

void Form3::timer3Tick()
{
    handOver();
}

void Form3::handOver()
{
    if (m_handedOver)
        return;
    m_handedOver = true;
    for (SwitchTimer *t : {Timer1, Timer2, Timer3})
        t->setInterval(0);
    // Closing the splash is not the end of the program: the Main window follows.
    setAttribute(Qt::WA_QuitOnClose, false);
    close();
    emit mainWindowWanted();
}

void Form3::mouseReleaseEvent(QMouseEvent *event)
{
    // A click with any button on the card, its labels or the title picture (they pass it
    // on to here).
    if (rect().contains(event->position().toPoint()))
        handOver();
}

void Form3::paintEvent(QPaintEvent *)
{
    // A thin brass double frame around the card.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(QColor(120, 84, 30), 1));
    p.drawRect(r);
    p.setPen(QPen(QColor(214, 172, 92), 1));
    p.drawRect(r.adjusted(5, 5, -5, -5));

    // A short rule between the title and the version, fading out at both ends.
    const QRect title = Label2->geometry();
    const double y = (title.bottom() + Label3->geometry().top()) / 2.0 + 0.5;
    const double half = title.width() * 0.28;
    const double cx = title.center().x();
    QLinearGradient rule(cx - half, 0, cx + half, 0);
    rule.setColorAt(0, QColor(214, 172, 92, 0));
    rule.setColorAt(0.5, QColor(170, 126, 50));
    rule.setColorAt(1, QColor(214, 172, 92, 0));
    p.setPen(QPen(QBrush(rule), 1.2));
    p.drawLine(QPointF(cx - half, y), QPointF(cx + half, y));
}

void Form3::applyPicture1Width(double twips)
{
    m_picture1Width = twips;
    Picture1->resize(Twips::toPixels(twips), Picture1->height());
}
