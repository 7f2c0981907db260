#pragma once

#include <QObject>

// Shows every tooltip as plain text: a word or meaning that looks like markup ("<b>Abate</b>")
// appears exactly as stored. Installed once on the application; a widget's toolTip() keeps
// the text as it was set.
class PlainToolTips : public QObject
{
    Q_OBJECT

public:
    explicit PlainToolTips(QObject *parent = nullptr);

    // Installs one filter on the running application (once, however often it is called).
    static void install();
    // The rich text that shows `text` character for character, blanks and line breaks kept.
    static QString asRichText(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
