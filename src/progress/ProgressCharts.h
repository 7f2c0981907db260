#pragma once

#include "LateModule.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// The progress window's two charts, drawn with Qt Charts in the late module lexmora-charts,
// which the program loads the first time the window opens: start-up loads neither Qt
// Charts nor the OpenGL libraries under it. What is drawn and how it looks is the
// window's; this draws it.
class ProgressCharts
{
public:
    static constexpr int Version = 1;

    struct Looks
    {
        QColor paper;
        QFont title;
        QFont labels;
        QFont barLabels;
    };
    struct Point
    {
        QDateTime at;
        double value = 0;
    };

    virtual ~ProgressCharts() = default;

    // A chart view (a QChartView) with no chart in it yet.
    virtual QWidget *makeView(QWidget *parent, const Looks &looks) = 0;
    // A line with its points over a time axis from `from` to `to` and a value axis 0..100.
    virtual void showLine(QWidget *view, const QString &title, const QList<Point> &points,
                          const QDateTime &from, const QDateTime &to, const QColor &colour,
                          const Looks &looks) = 0;
    // One bar a name, with its value written above it.
    virtual void showBars(QWidget *view, const QString &title, const QStringList &names,
                          const QList<double> &values, const QColor &colour,
                          const QColor &labelColour, const Looks &looks) = 0;

    // The program's charts, loaded on first use; nullptr with `whyNot` set when the module
    // cannot be loaded.
    static ProgressCharts *instance(QString *whyNot)
    {
        return LateModule::interfaceOf<ProgressCharts>(QStringLiteral("charts"), whyNot);
    }
};
