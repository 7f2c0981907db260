#pragma once

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
    void paintLeftPane(QPainter &p);
    void paintRightPane(QPainter &p);
    void paintStrip(QPainter &p);
    void paintCover(QPainter &p);
    void paintLock(QPainter &p);

    Art m_art;
};
