#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QObject>

class QAbstractItemView;
class QPushButton;
class QWidget;

// The two looks of a button: the hover look (hover colour, "TimesNewRoman" 11 pt italic)
// while the mouse is over it, and the normal look (normal colour, 10 pt upright) once the
// mouse moves over the window's background again. A list can have two looks of its own:
// italic on its hover background while the mouse is over it, upright on its normal
// background after a reset.
//
// Only a move over an area itself resets: a move over a control inside the area (which Qt
// passes on to the area when the control does not use it) does not, just as a move over a
// control is that control's own event and no one else's.
class HoverLooks : public QObject
{
    Q_OBJECT

public:
    // The font name of both looks, written without blanks; the program registers it as a
    // substitute name for the caption face (Looks::registerFontNames).
    static const QString FontName;

    explicit HoverLooks(QObject *parent = nullptr);

    // Gives the button its normal look and lights it up whenever the mouse moves over it.
    // resetAll() goes through the buttons in the order they were added.
    void add(QPushButton *button, const QColor &normal, const QColor &hover);
    // Gives the list its normal look; moving over it gives it the hover look, losing the
    // focus takes italic and bold off (the background stays), resetAll() restores the
    // normal look and clears its selection.
    void addList(QAbstractItemView *list, const QColor &normalBack, const QColor &hoverBack);
    // Mouse movement over `area` resets these buttons, in this order; with none named it
    // runs resetAll(): lists first, then every button.
    void resetOver(QWidget *area, const QList<QPushButton *> &buttons = {});

    // Gives the button its hover look unless its back colour already is the hover colour.
    void hover(QPushButton *button);
    // Gives each of these buttons that shows its hover colour its normal look again.
    void reset(const QList<QPushButton *> &buttons);
    void resetAll();
    void hoverList(QAbstractItemView *list);
    void resetList(QAbstractItemView *list);

    static QColor backColour(const QPushButton *button);
    static void applyLook(QPushButton *button, const QColor &colour, bool hovered);
    static QColor listBackColour(const QAbstractItemView *list);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Colours
    {
        QColor normal;
        QColor hover;
    };
    static void applyListLook(QAbstractItemView *list, const QColor &back, bool hovered);

    QList<QPushButton *> m_order;
    QHash<QPushButton *, Colours> m_colours;
    QList<QAbstractItemView *> m_lists;
    QHash<QAbstractItemView *, Colours> m_listColours;
    QHash<QWidget *, QList<QPushButton *>> m_resetAreas;
};
