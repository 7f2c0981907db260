#pragma once

#include <QWidget>

// The splash screen's title picture and the About panel's medallion, drawn with QPainter
// so they stay crisp at any scaling.
//
// The title picture is laid out on its design width, not on its current one: when the
// splash narrows it, the picture is cut off from the right like a curtain drawn aside, and
// what is left at the end is its brass left edge.
class TitleArt : public QWidget
{
    Q_OBJECT

public:
    enum class Art { Title, About };

    TitleArt(Art art, QWidget *parent = nullptr);
    Art art() const { return m_art; }

    // The width, in pixels, the picture is composed for; 0 means its current width.
    void setDesignWidth(int pixels) { m_designWidth = pixels; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintTitle(QPainter &p, double w, double h);
    void paintAbout(QPainter &p, double w, double h);

    Art m_art;
    int m_designWidth = 0;
};
