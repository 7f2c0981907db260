#include "PaintedPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

PaintedPicture::PaintedPicture(Art art, QWidget *parent) : QWidget(parent), m_art(art)
{
    setAttribute(Qt::WA_OpaquePaintEvent, art != Art::Lock);
}

void PaintedPicture::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    switch (m_art) {
    case Art::LeftPane: paintLeftPane(p); break;
    case Art::RightPane: paintRightPane(p); break;
    case Art::Strip: paintStrip(p); break;
    case Art::Cover: paintCover(p); break;
    case Art::Lock: paintLock(p); break;
    }
}

// Parchment with faint ruled lines and a red margin, like a vocabulary notebook.
void PaintedPicture::paintLeftPane(QPainter &p)
{
    QLinearGradient paper(0, 0, 0, height());
    paper.setColorAt(0, QColor(250, 246, 236));
    paper.setColorAt(1, QColor(238, 230, 212));
    p.fillRect(rect(), paper);
    p.setPen(QPen(QColor(170, 190, 215, 90), 1));
    for (int y = 28; y < height(); y += 24)
        p.drawLine(0, y, width(), y);
    p.setPen(QPen(QColor(200, 80, 80, 110), 1.5));
    p.drawLine(10, 0, 10, height());
}

// Deep navy with a soft light from the top left and fine diagonal hatching.
void PaintedPicture::paintRightPane(QPainter &p)
{
    QLinearGradient sky(0, 0, width(), height());
    sky.setColorAt(0, QColor(46, 66, 104));
    sky.setColorAt(1, QColor(22, 32, 54));
    p.fillRect(rect(), sky);
    p.setPen(QPen(QColor(255, 255, 255, 14), 1));
    for (int x = -height(); x < width(); x += 14)
        p.drawLine(x, height(), x + height(), 0);
    QRadialGradient glow(QPointF(width() * 0.2, height() * 0.1), width() * 0.6);
    glow.setColorAt(0, QColor(255, 255, 255, 36));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(rect(), glow);
}

// A narrow brass band with a chain of small diamonds.
void PaintedPicture::paintStrip(QPainter &p)
{
    QLinearGradient brass(0, 0, width(), 0);
    brass.setColorAt(0, QColor(120, 84, 30));
    brass.setColorAt(0.5, QColor(214, 172, 92));
    brass.setColorAt(1, QColor(120, 84, 30));
    p.fillRect(rect(), brass);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 44, 12, 160));
    const double cx = width() / 2.0;
    const double r = qMax(2.0, width() / 3.0);
    for (double y = r * 2; y < height(); y += r * 4) {
        QPainterPath d;
        d.moveTo(cx, y - r);
        d.lineTo(cx + r, y);
        d.lineTo(cx, y + r);
        d.lineTo(cx - r, y);
        d.closeSubpath();
        p.drawPath(d);
    }
}

// Brushed steel with rivets at the edges and the program's name engraved.
void PaintedPicture::paintCover(QPainter &p)
{
    QLinearGradient steel(0, 0, 0, height());
    steel.setColorAt(0, QColor(150, 160, 176));
    steel.setColorAt(0.5, QColor(196, 204, 216));
    steel.setColorAt(1, QColor(132, 142, 158));
    p.fillRect(rect(), steel);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    for (int y = 0; y < height(); y += 3)
        p.drawLine(0, y, width(), y);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 98, 112));
    for (int x = 24; x < width(); x += 80) {
        p.drawEllipse(QPointF(x, 14), 4, 4);
        p.drawEllipse(QPointF(x, height() - 14), 4, 4);
    }
    QFont f(QStringLiteral("Times New Roman"), 30, QFont::Bold, true);
    p.setFont(f);
    p.setPen(QColor(255, 255, 255, 90));
    const QRect title(0, height() / 5, width(), 60);
    p.drawText(title.translated(1, 1), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("Lexmora!"));
    p.setPen(QColor(70, 78, 92, 200));
    p.drawText(title, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Lexmora!"));
}

// A brass padlock: a steel shackle over a rounded body with a keyhole.
void PaintedPicture::paintLock(QPainter &p)
{
    const double w = width();
    const double h = height();
    const QRectF body(w * 0.1, h * 0.42, w * 0.8, h * 0.54);
    p.setPen(QPen(QColor(90, 96, 108), w * 0.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath shackle;
    shackle.moveTo(w * 0.27, body.top() + 2);
    shackle.lineTo(w * 0.27, h * 0.28);
    shackle.arcTo(QRectF(w * 0.27, h * 0.05, w * 0.46, h * 0.46), 180, -180);
    shackle.lineTo(w * 0.73, body.top() + 2);
    p.drawPath(shackle);
    QLinearGradient brass(body.topLeft(), body.bottomRight());
    brass.setColorAt(0, QColor(242, 204, 110));
    brass.setColorAt(1, QColor(168, 118, 36));
    p.setPen(QPen(QColor(110, 74, 20), 1.5));
    p.setBrush(brass);
    p.drawRoundedRect(body, w * 0.1, w * 0.1);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 40, 10));
    const QPointF hole(w * 0.5, body.top() + body.height() * 0.42);
    p.drawEllipse(hole, w * 0.08, w * 0.08);
    p.drawRect(QRectF(hole.x() - w * 0.03, hole.y(), w * 0.06, body.height() * 0.3));
}
