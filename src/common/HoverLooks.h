#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QObject>

class QPushButton;
class QWidget;

// The two looks of a button: the hover look (hover colour, "TimesNewRoman" 11 pt italic)
// while the mouse is over it, and the normal look (normal colour, 10 pt upright) once the
// mouse moves over the window's background again.
class HoverLooks : public QObject
{
    Q_OBJECT

public:
    explicit HoverLooks(QObject *parent = nullptr);

    // Gives the button its normal look and lights it up whenever the mouse moves over it.
    void add(QPushButton *button, const QColor &normal, const QColor &hover);
    // Mouse movement over `area` resets these buttons, in this order (all when empty).
    void resetOver(QWidget *area, const QList<QPushButton *> &buttons = {});

    void hover(QPushButton *button);
    void reset(const QList<QPushButton *> &buttons);
    void resetAll();

    static QColor backColour(const QPushButton *button);
    static void applyLook(QPushButton *button, const QColor &colour, bool hovered);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Colours
    {
        QColor normal;
        QColor hover;
    };
    QList<QPushButton *> m_order;
    QHash<QPushButton *, Colours> m_colours;
    QHash<QWidget *, QList<QPushButton *>> m_resetAreas;
};
