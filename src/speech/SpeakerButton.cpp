#include "SpeakerButton.h"

#include "Speaker.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>

namespace SpeakerButton {

namespace {

void drawSpeaker(QPainter &p, double size, const QColor &colour)
{
    p.setRenderHint(QPainter::Antialiasing);
    const double u = size / 16.0; // the picture is designed on a 16 x 16 grid
    QPainterPath body;
    body.moveTo(1 * u, 6 * u);
    body.lineTo(4 * u, 6 * u);
    body.lineTo(8 * u, 2.5 * u);
    body.lineTo(8 * u, 13.5 * u);
    body.lineTo(4 * u, 10 * u);
    body.lineTo(1 * u, 10 * u);
    body.closeSubpath();
    p.fillPath(body, colour);

    QPen wave(colour, 1.3 * u, Qt::SolidLine, Qt::RoundCap);
    p.setPen(wave);
    p.setBrush(Qt::NoBrush);
    // Two arcs about the cone's mouth, 45 degrees either side of its axis, inside the grid.
    p.drawArc(QRectF(6.5 * u, 5.5 * u, 5 * u, 5 * u), -45 * 16, 90 * 16);
    p.drawArc(QRectF(4.5 * u, 2.5 * u, 11 * u, 11 * u), -45 * 16, 90 * 16);
}

} // namespace

QIcon icon(int pixels)
{
    QIcon result;
    const QColor normal(0, 0, 128), disabled(160, 160, 160);
    for (const auto &[mode, colour] :
         {std::pair{QIcon::Normal, normal}, std::pair{QIcon::Disabled, disabled}}) {
        QPixmap picture(pixels, pixels);
        picture.fill(Qt::transparent);
        QPainter p(&picture);
        drawSpeaker(p, pixels, colour);
        p.end();
        result.addPixmap(picture, mode);
    }
    return result;
}

QPushButton *make(QWidget *parent, const char *name, const QString &toolTip)
{
    auto *b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(toolTip);
    b->setAccessibleName(QStringLiteral("Say the word"));
    b->setFlat(true);
    b->setFocusPolicy(Qt::TabFocus);
    b->setIcon(icon(64));
    return b;
}

void fitIcon(QPushButton *button)
{
    const int side = qMax(8, qMin(button->width(), button->height()) * 3 / 4);
    button->setIconSize(QSize(side, side));
}

void follow(Speaker &speaker, QWidget *control, const QString &toolTip)
{
    const QPointer<QWidget> target(control);
    const auto update = [&speaker, target, toolTip] {
        if (!target)
            return;
        const bool on = speaker.available();
        target->setEnabled(on);
        target->setToolTip(on ? toolTip : speaker.whyNot());
    };
    update();
    QObject::connect(&speaker, &Speaker::availabilityChanged, control, update);
}

} // namespace SpeakerButton
