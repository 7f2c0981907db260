#include "TitleArt.h"

#include "Twips.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <tuple>

namespace {

const QColor Navy(30, 44, 74);
const QColor DeepNavy(14, 22, 40);
const QColor BrassLight(246, 214, 132);
const QColor Brass(214, 172, 92);
const QColor BrassDark(120, 84, 30);
const QColor Parchment(250, 244, 228);

QLinearGradient brassGradient(QPointF from, QPointF to)
{
    QLinearGradient g(from, to);
    g.setColorAt(0, BrassLight);
    g.setColorAt(0.55, Brass);
    g.setColorAt(1, BrassDark);
    return g;
}

// An open book seen from the front: two pages bowing up from the spine, `size` wide.
QPainterPath openBook(QPointF centre, double size)
{
    const double half = size / 2;
    const double rise = size * 0.12;
    const double depth = size * 0.42;
    QPainterPath book;
    for (const int side : {-1, 1}) {
        const QPointF spineTop(centre.x(), centre.y() - depth / 2 + rise);
        const QPointF spineBottom(centre.x(), centre.y() + depth / 2 + rise);
        const QPointF outerTop(centre.x() + side * half, centre.y() - depth / 2);
        const QPointF outerBottom(centre.x() + side * half, centre.y() + depth / 2);
        QPainterPath page;
        page.moveTo(spineTop);
        page.quadTo(QPointF(centre.x() + side * half * 0.5, centre.y() - depth / 2 - rise),
                    outerTop);
        page.lineTo(outerBottom);
        page.quadTo(QPointF(centre.x() + side * half * 0.5, centre.y() + depth / 2 - rise),
                    spineBottom);
        page.closeSubpath();
        book.addPath(page);
    }
    return book;
}

// Ruled lines across both pages of a book made by openBook().
void bookLines(QPainter &p, QPointF centre, double size, const QPen &pen)
{
    const double half = size / 2;
    const double depth = size * 0.42;
    p.setPen(pen);
    for (int i = 1; i <= 4; ++i) {
        const double y = centre.y() - depth / 2 + depth * i / 5.5;
        p.drawLine(QPointF(centre.x() - half * 0.82, y),
                   QPointF(centre.x() - half * 0.16, y + size * 0.05));
        p.drawLine(QPointF(centre.x() + half * 0.16, y + size * 0.05),
                   QPointF(centre.x() + half * 0.82, y));
    }
}

// A small four-pointed sparkle.
QPainterPath sparkle(QPointF c, double r)
{
    QPainterPath s;
    s.moveTo(c.x(), c.y() - r);
    s.quadTo(c, QPointF(c.x() + r, c.y()));
    s.quadTo(c, QPointF(c.x(), c.y() + r));
    s.quadTo(c, QPointF(c.x() - r, c.y()));
    s.quadTo(c, QPointF(c.x(), c.y() - r));
    return s;
}

// Text centred on `centre`, as an outline to fill with a gradient.
QPainterPath centredText(const QString &text, const QFont &font, QPointF centre)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    return path.translated(centre - box.center());
}

} // namespace

TitleArt::TitleArt(Art art, QWidget *parent) : QWidget(parent), m_art(art)
{
    setAttribute(Qt::WA_OpaquePaintEvent, art == Art::Title);
}

void TitleArt::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    switch (m_art) {
    case Art::Title:
        paintTitle(p, qMax(width(), m_designWidth), height());
        break;
    case Art::About:
        paintAbout(p, width(), height());
        break;
    }
}

// Night-blue board with a brass band down its left edge, an open book, the name in brass
// and "WORDBRAWL" spaced out beneath a ruled line.
void TitleArt::paintTitle(QPainter &p, double w, double h)
{
    QLinearGradient sky(0, 0, w, h);
    sky.setColorAt(0, QColor(46, 66, 104));
    sky.setColorAt(1, DeepNavy);
    p.fillRect(QRectF(0, 0, w, h), sky);
    p.setPen(QPen(QColor(255, 255, 255, 12), 1));
    for (double x = -h; x < w; x += 14)
        p.drawLine(QPointF(x, h), QPointF(x + h, 0));
    QRadialGradient glow(QPointF(w * 0.5, h * 0.42), w * 0.5);
    glow.setColorAt(0, QColor(255, 236, 190, 44));
    glow.setColorAt(1, QColor(255, 236, 190, 0));
    p.fillRect(QRectF(0, 0, w, h), glow);

    // The brass band is as wide as the picture is once narrowed, so the end of the
    // animation leaves exactly the band standing.
    const double band = Twips::toPixels(100);
    p.fillRect(QRectF(0, 0, band, h), brassGradient(QPointF(0, 0), QPointF(band, 0)));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 44, 12, 170));
    const double r = band / 3;
    for (double y = r * 3; y < h; y += r * 5)
        p.drawPath(sparkle(QPointF(band / 2, y), r));

    // A fine brass frame inside the edges.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(214, 172, 92, 120), 1));
    p.drawRect(QRectF(band + 8, 8, w - band - 16, h - 16));
    p.setPen(QPen(QColor(214, 172, 92, 60), 1));
    p.drawRect(QRectF(band + 12, 12, w - band - 24, h - 24));

    const double cx = band + (w - band) / 2;
    const QPointF bookCentre(cx, h * 0.25);
    const double bookSize = h * 0.26;
    p.setPen(QPen(Brass, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(250, 244, 228, 30));
    p.drawPath(openBook(bookCentre, bookSize));
    bookLines(p, bookCentre, bookSize, QPen(QColor(214, 172, 92, 150), 1));

    QFont titleFont(QStringLiteral("Times New Roman"));
    titleFont.setPixelSize(int(h * 0.24));
    titleFont.setBold(true);
    titleFont.setItalic(true);
    const QPainterPath title =
        centredText(QStringLiteral("Lexmora!"), titleFont, QPointF(cx, h * 0.54));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawPath(title.translated(2, 2.5));
    const QRectF box = title.boundingRect();
    p.setBrush(brassGradient(box.topLeft(), box.bottomLeft()));
    p.setPen(QPen(QColor(90, 60, 16), 0.8));
    p.drawPath(title);

    const double ruleY = h * 0.71;
    const double ruleHalf = (w - band) * 0.3;
    p.setPen(QPen(Brass, 1.2));
    p.drawLine(QPointF(cx - ruleHalf, ruleY), QPointF(cx - 8, ruleY));
    p.drawLine(QPointF(cx + 8, ruleY), QPointF(cx + ruleHalf, ruleY));
    p.setPen(Qt::NoPen);
    p.setBrush(BrassLight);
    p.drawPath(sparkle(QPointF(cx, ruleY), 6));

    QFont small(QStringLiteral("Times New Roman"));
    small.setPixelSize(int(h * 0.065));
    small.setLetterSpacing(QFont::AbsoluteSpacing, h * 0.028);
    p.setFont(small);
    p.setPen(QColor(236, 222, 190));
    p.drawText(QRectF(band, ruleY + h * 0.04, w - band, h * 0.1), Qt::AlignCenter,
               QStringLiteral("WORDBRAWL"));

    p.setBrush(QColor(246, 214, 132, 150));
    p.setPen(Qt::NoPen);
    for (const auto &[x, y, size] :
         {std::tuple{0.22, 0.2, 5.0}, {0.8, 0.16, 4.0}, {0.86, 0.62, 3.0}, {0.17, 0.7, 3.5}})
        p.drawPath(sparkle(QPointF(band + (w - band) * x, h * y), size));
}

// A brass-ringed medallion: an open book with a quill over it, on night blue.
void TitleArt::paintAbout(QPainter &p, double w, double h)
{
    const double side = qMin(w, h);
    const QPointF c(w / 2, h / 2);
    const double outer = side / 2 - 1.5;
    const double ring = side * 0.07;

    p.setPen(QPen(BrassDark, 1.2));
    p.setBrush(brassGradient(QPointF(c.x() - outer, c.y() - outer),
                             QPointF(c.x() + outer, c.y() + outer)));
    p.drawEllipse(c, outer, outer);
    QRadialGradient night(QPointF(c.x() - side * 0.1, c.y() - side * 0.15), outer);
    night.setColorAt(0, QColor(58, 82, 128));
    night.setColorAt(1, DeepNavy);
    p.setBrush(night);
    p.drawEllipse(c, outer - ring, outer - ring);

    const QPointF bookCentre(c.x(), c.y() + side * 0.1);
    const double bookSize = side * 0.58;
    p.setPen(QPen(QColor(150, 120, 70), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient paper(bookCentre.x(), bookCentre.y() - bookSize * 0.3, bookCentre.x(),
                          bookCentre.y() + bookSize * 0.3);
    paper.setColorAt(0, Parchment);
    paper.setColorAt(1, QColor(226, 212, 180));
    p.setBrush(paper);
    p.drawPath(openBook(bookCentre, bookSize));
    bookLines(p, bookCentre, bookSize, QPen(QColor(150, 170, 200), 1));

    // The quill: a feather leaning to the right, its tip resting on the right page.
    const QPointF tip(c.x() + side * 0.08, c.y() + side * 0.06);
    const QPointF top(c.x() + side * 0.3, c.y() - side * 0.32);
    QPainterPath vane;
    vane.moveTo(tip);
    vane.cubicTo(QPointF(c.x() + side * 0.02, c.y() - side * 0.14),
                 QPointF(c.x() + side * 0.14, c.y() - side * 0.3), top);
    vane.cubicTo(QPointF(c.x() + side * 0.3, c.y() - side * 0.16),
                 QPointF(c.x() + side * 0.2, c.y() - side * 0.02), tip);
    QLinearGradient feather(tip, top);
    feather.setColorAt(0, QColor(255, 255, 255));
    feather.setColorAt(1, QColor(214, 224, 240));
    p.setBrush(feather);
    p.setPen(QPen(QColor(110, 120, 140), 0.8));
    p.drawPath(vane);
    p.setPen(QPen(BrassDark, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(tip, top);

    p.setPen(Qt::NoPen);
    p.setBrush(BrassLight);
    p.drawPath(sparkle(QPointF(c.x() - side * 0.2, c.y() - side * 0.2), side * 0.05));
    p.drawPath(sparkle(QPointF(c.x() - side * 0.05, c.y() - side * 0.3), side * 0.03));
}
