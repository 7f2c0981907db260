#pragma once

#include <QPixmap>
#include <QWidget>

// The program's pictures, drawn with QPainter so they stay crisp at any scaling: the two
// panes of the Main window, the decorative strip, the Panel cover and its Lock.
class PaintedPicture : public QWidget
{
    Q_OBJECT

public:
    enum class Art { LeftPane, RightPane, Strip, Cover, Lock };

    PaintedPicture(Art art, QWidget *parent = nullptr);
    Art art() const { return m_art; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The size the art is drawn at: the widget's own, except for the cover, which is drawn
    // once at the width it reaches when closed and shown as far as it is wide, so a tick of
    // the slides repaints a strip of a ready picture instead of drawing it again, and for the
    // left pane, whose paper is drawn only as far as its first plain column.
    QSize artSize() const;
    void paintArt(QPainter &p, const QSize &size);

    void paintLeftPane(QPainter &p, const QSize &size);
    void paintRightPane(QPainter &p, const QSize &size);
    void paintStrip(QPainter &p, const QSize &size);
    void paintCover(QPainter &p, const QSize &size);
    void paintLock(QPainter &p, const QSize &size);

    Art m_art;
    QPixmap m_cache;
};
