#include "PaintedPicture.h"

#include "ControlPanel.h"
#include "Looks.h"
#include "Twips.h"

#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

// The notebook paper is the same in every column right of its margin line: its art is drawn
// this wide, and the column at this x stands for all the columns right of it.
constexpr int LeftPaneBand = 16;

} // namespace

PaintedPicture::PaintedPicture(Art art, QWidget *parent) : QWidget(parent), m_art(art)
{
    setAttribute(Qt::WA_OpaquePaintEvent, art != Art::Lock);
    // Their art is anchored at the top left: growing them repaints only the new part.
    setAttribute(Qt::WA_StaticContents, art == Art::LeftPane || art == Art::Cover);
}

QSize PaintedPicture::artSize() const
{
    if (!parentWidget())
        return size();
    switch (m_art) {
    case Art::Cover:
        return QSize(qMax(width(), parentWidget()->width() - x()), height());
    case Art::LeftPane:
        // The margin and one column of paper: whatever width it grows to in the Intro slide.
        return QSize(LeftPaneBand + 2, height());
    default:
        return size();
    }
}

void PaintedPicture::paintEvent(QPaintEvent *event)
{
    const QSize art = artSize();
    const qreal ratio = devicePixelRatioF();
    if (m_cache.size() != art * ratio || m_cache.devicePixelRatio() != ratio) {
        m_cache = QPixmap(art * ratio);
        m_cache.setDevicePixelRatio(ratio);
        m_cache.fill(Qt::transparent);
        QPainter cache(&m_cache);
        cache.setRenderHint(QPainter::Antialiasing);
        paintArt(cache, art);
    }
    QPainter p(this);
    const QRect dirty = event->rect();
    const auto source = [ratio](const QRect &r) {
        return QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio);
    };
    if (m_art != Art::LeftPane) {
        p.drawPixmap(dirty, m_cache, source(dirty));
        return;
    }
    const QRect band = dirty.intersected(QRect(0, 0, LeftPaneBand, height()));
    if (!band.isEmpty())
        p.drawPixmap(band, m_cache, source(band));
    // The paper's one column, stretched: an unsmoothed stretch repeats it pixel for pixel.
    const QRect paper = dirty.intersected(QRect(LeftPaneBand, 0, width(), height()));
    if (!paper.isEmpty())
        p.drawPixmap(paper, m_cache,
                     QRectF(LeftPaneBand * ratio, paper.top() * ratio, 1, paper.height() * ratio));
}

void PaintedPicture::paintArt(QPainter &p, const QSize &size)
{
    switch (m_art) {
    case Art::LeftPane: paintLeftPane(p, size); break;
    case Art::RightPane: paintRightPane(p, size); break;
    case Art::Strip: paintStrip(p, size); break;
    case Art::Cover: paintCover(p, size); break;
    case Art::Lock: paintLock(p, size); break;
    }
}

// Parchment with faint ruled lines and a red margin, like a vocabulary notebook.
void PaintedPicture::paintLeftPane(QPainter &p, const QSize &size)
{
    QLinearGradient paper(0, 0, 0, size.height());
    paper.setColorAt(0, QColor(250, 246, 236));
    paper.setColorAt(1, QColor(238, 230, 212));
    p.fillRect(QRect(QPoint(0, 0), size), paper);
    p.setPen(QPen(QColor(170, 190, 215, 90), 1));
    for (int y = 28; y < size.height(); y += 24)
        p.drawLine(0, y, size.width(), y);
    p.setPen(QPen(QColor(200, 80, 80, 110), 1.5));
    p.drawLine(10, 0, 10, size.height());
}

namespace {

// Fine diagonal hatching: faint lines where x + y is a multiple of HatchStep. The pattern
// repeats every HatchStep pixels either way, so one tile of it, drawn once, is laid over
// any area instead of drawing every line across it.
constexpr int HatchStep = 14;
const QPen HatchPen(QColor(255, 255, 255, 14), 1);

QBrush hatching()
{
    static const QBrush brush = [] {
        QPixmap tile(HatchStep, HatchStep);
        tile.fill(Qt::transparent);
        QPainter p(&tile);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(HatchPen);
        // The lines through the tile, drawn well past its edges so no end shows in it.
        for (int c = 0; c <= 2 * HatchStep; c += HatchStep)
            p.drawLine(c + HatchStep, -HatchStep, c - 2 * HatchStep, 2 * HatchStep);
        return QBrush(tile);
    }();
    return brush;
}

} // namespace

// Deep navy with a soft light from the top left and fine diagonal hatching.
void PaintedPicture::paintRightPane(QPainter &p, const QSize &size)
{
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(46, 66, 104));
    sky.setColorAt(1, QColor(22, 32, 54));
    p.fillRect(QRect(QPoint(0, 0), size), sky);
    if (p.device()->devicePixelRatio() == 1) {
        p.fillRect(QRect(QPoint(0, 0), size), hatching());
    } else {
        // Scaled, a tile's pixels would not repeat exactly: the lines themselves.
        p.setPen(HatchPen);
        for (int x = -size.height(); x < size.width(); x += HatchStep)
            p.drawLine(x, size.height(), x + size.height(), 0);
    }
    QRadialGradient glow(QPointF(size.width() * 0.2, size.height() * 0.1), size.width() * 0.6);
    glow.setColorAt(0, QColor(255, 255, 255, 36));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRect(QPoint(0, 0), size), glow);

    // The track the closed cover stops at: the strip of the pane it never reaches.
    const int track = Twips::toPixels(PanelGeometry::closedCoverWidth() - PanelGeometry::CoverOffset);
    if (track >= size.width())
        return;
    const QRect band(track, 0, size.width() - track, size.height());
    QLinearGradient steel(band.topLeft(), band.topRight());
    steel.setColorAt(0, QColor(70, 78, 92));
    steel.setColorAt(0.4, QColor(118, 128, 144));
    steel.setColorAt(1, QColor(58, 64, 76));
    p.fillRect(band, steel);
    p.setPen(QPen(QColor(20, 24, 32), 2));
    p.drawLine(band.topLeft(), band.bottomLeft());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 46, 56));
    for (int y = 30; y < size.height(); y += 90)
        p.drawEllipse(QPointF(band.center().x(), y), 4, 4);
}

// A narrow brass band with a chain of small diamonds.
void PaintedPicture::paintStrip(QPainter &p, const QSize &size)
{
    QLinearGradient brass(0, 0, size.width(), 0);
    brass.setColorAt(0, QColor(120, 84, 30));
    brass.setColorAt(0.5, QColor(214, 172, 92));
    brass.setColorAt(1, QColor(120, 84, 30));
    p.fillRect(QRect(QPoint(0, 0), size), brass);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 44, 12, 160));
    const double cx = size.width() / 2.0;
    const double r = qMax(2.0, size.width() / 3.0);
    for (double y = r * 2; y < size.height(); y += r * 4) {
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
void PaintedPicture::paintCover(QPainter &p, const QSize &size)
{
    QLinearGradient steel(0, 0, 0, size.height());
    steel.setColorAt(0, QColor(150, 160, 176));
    steel.setColorAt(0.5, QColor(196, 204, 216));
    steel.setColorAt(1, QColor(132, 142, 158));
    p.fillRect(QRect(QPoint(0, 0), size), steel);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    for (int y = 0; y < size.height(); y += 3)
        p.drawLine(0, y, size.width(), y);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 98, 112));
    for (int x = 24; x < size.width(); x += 80) {
        p.drawEllipse(QPointF(x, 14), 4, 4);
        p.drawEllipse(QPointF(x, size.height() - 14), 4, 4);
    }
    const QFont f = Looks::scaled(QFont(QStringLiteral("Times New Roman"), 30, QFont::Bold, true), 30);
    p.setFont(f);
    p.setPen(QColor(255, 255, 255, 90));
    const QRect title(0, size.height() / 5, size.width(), Twips::toPixels(900));
    p.drawText(title.translated(1, 1), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("Lexmora!"));
    p.setPen(QColor(70, 78, 92, 200));
    p.drawText(title, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Lexmora!"));
}

// A brass padlock: a steel shackle over a rounded body with a keyhole.
void PaintedPicture::paintLock(QPainter &p, const QSize &size)
{
    const double w = size.width();
    const double h = size.height();
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
