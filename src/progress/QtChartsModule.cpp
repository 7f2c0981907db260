// lexmora-charts: the progress window's charts through Qt Charts, in a module of its own so
// that the program loads Qt Charts (and OpenGL under it) only when the window opens.
#include "LateModuleEntry.h"
#include "ProgressCharts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>

namespace {

class QtCharts : public ProgressCharts
{
public:
    QWidget *makeView(QWidget *parent, const Looks &looks) override
    {
        auto *view = new QChartView(parent);
        view->setRenderHint(QPainter::Antialiasing);
        fresh(view, QString(), looks);
        return view;
    }

    void showLine(QWidget *view, const QString &title, const QList<Point> &points,
                  const QDateTime &from, const QDateTime &to, const QColor &colour,
                  const Looks &looks) override
    {
        QChart *chart = fresh(view, title, looks);
        if (!chart)
            return;
        auto *line = new QLineSeries();
        line->setObjectName(QStringLiteral("scores"));
        line->setPointsVisible(true);
        line->setColor(colour);
        for (const Point &p : points)
            line->append(double(p.at.toMSecsSinceEpoch()), p.value);
        chart->addSeries(line);

        auto *time = new QDateTimeAxis();
        time->setFormat(QStringLiteral("d MMM"));
        time->setLabelsFont(looks.labels);
        time->setRange(from, to);
        time->setTickCount(6);
        chart->addAxis(time, Qt::AlignBottom);
        line->attachAxis(time);

        auto *percent = new QValueAxis();
        percent->setRange(0, 100);
        percent->setLabelFormat(QStringLiteral("%d"));
        percent->setTickCount(6);
        percent->setLabelsFont(looks.labels);
        chart->addAxis(percent, Qt::AlignLeft);
        line->attachAxis(percent);
    }

    void showBars(QWidget *view, const QString &title, const QStringList &names,
                  const QList<double> &values, const QColor &colour, const QColor &labelColour,
                  const Looks &looks) override
    {
        QChart *chart = fresh(view, title, looks);
        if (!chart)
            return;
        auto *set = new QBarSet(title);
        for (double v : values)
            *set << v;
        set->setColor(colour);
        set->setLabelColor(labelColour);
        set->setLabelFont(looks.barLabels);
        auto *bars = new QBarSeries();
        bars->setObjectName(QStringLiteral("counts"));
        bars->append(set);
        bars->setLabelsVisible(true);
        bars->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
        chart->addSeries(bars);

        auto *axis = new QBarCategoryAxis();
        axis->append(names);
        axis->setLabelsFont(looks.labels);
        chart->addAxis(axis, Qt::AlignBottom);
        bars->attachAxis(axis);
        auto *count = new QValueAxis();
        const double most = std::max(values.isEmpty() ? 1.0 : *std::max_element(values.begin(), values.end()), 1.0);
        // Room above the highest bar for its label.
        count->setRange(0, most * 1.15);
        count->applyNiceNumbers();
        count->setLabelFormat(QStringLiteral("%d"));
        count->setLabelsFont(looks.labels);
        chart->addAxis(count, Qt::AlignLeft);
        bars->attachAxis(count);
    }

private:
    // A chart's axes and series go with it; a fresh chart per showing keeps nothing stale.
    static QChart *fresh(QWidget *widget, const QString &title, const Looks &looks)
    {
        auto *view = qobject_cast<QChartView *>(widget);
        if (!view)
            return nullptr;
        QChart *old = view->chart();
        auto *chart = new QChart();
        chart->setBackgroundBrush(looks.paper);
        chart->setTitleFont(looks.title);
        chart->setTitle(title);
        chart->legend()->hide();
        chart->setMargins(QMargins(4, 4, 4, 4));
        view->setChart(chart);
        delete old;
        return chart;
    }
};

} // namespace

LEXMORA_MODULE_ENTRY(ProgressCharts, QtCharts)
