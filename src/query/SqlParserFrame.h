#pragma once

#include <QObject>
#include <QPoint>

class QLineEdit;
class QMenu;
class QPushButton;
class QWidget;

// The mouse behaviour of the "SQL Parser" frame: a click into the SQL box empties it, a
// right button press on the frame, the box or Go! pops up the `help` menu, and moving
// over the frame points at that help in its tooltip.
class SqlParserFrame : public QObject
{
    Q_OBJECT

public:
    struct Controls
    {
        QWidget *Frame4;        // "SQL Parser"
        QLineEdit *Text1;       // the SQL box
        QPushButton *Command13; // "Go!"
        QMenu *help;            // "What is SQL?", "How do I pass a query?"
    };

    static const QString Frame4Tip; // "Right Click for help"

    explicit SqlParserFrame(const Controls &controls, QObject *parent = nullptr);

    void text1Click();
    void frame4MouseMove();
    // Shows `help` at `globalPos` without waiting for a choice.
    void popupHelp(const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Controls m_controls;
};
