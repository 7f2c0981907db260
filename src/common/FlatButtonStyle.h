#pragma once

#include <QProxyStyle>

// The program's widget style: Fusion, except that a push button's face is one flat fill of
// exactly its back colour (the palette's Button colour) inside a thin raised edge, as the
// coloured buttons of the design are, instead of Fusion's lighter gradient. A pressed
// button shows the same face inside a sunken edge. Set once for the application, so every
// window's buttons get it. The focused control is ringed black and white, which shows on
// every button colour and on the lists.
class FlatButtonStyle : public QProxyStyle
{
    Q_OBJECT

public:
    FlatButtonStyle();

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};
