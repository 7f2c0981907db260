#pragma once

#include "ProgressFigures.h"

#include <QElapsedTimer>
#include <QWidget>

class HoverLooks;
class ProgressCharts;
class QLabel;
class QPushButton;
class QTreeWidget;

// "Lexmora! Progress": how well the learner knows the words of the Current collection. A
// line chart of the quizzes' scores over time (one point a quiz), a bar chart of the words
// that are new, being learnt, known and due today, and the twenty words answered wrongly
// most often with their counts. Modeless: the Main window stays usable beside it, and the
// figures are read afresh whenever the window becomes active again (after a quiz, or
// another collection chosen).
class ProgressWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ProgressWindow(QWidget *parent = nullptr);

    // Reads the figures of the Current collection and shows them. A store that cannot be
    // read leaves the charts empty and says why in the heading.
    void refresh();
    const ProgressFigures &figures() const { return m_figures; }

    QLabel *Label1;        // the heading: the collection shown
    // The charts are QChartViews (see ProgressCharts); where Qt Charts cannot be loaded,
    // labels saying so.
    QWidget *Chart1;       // quiz scores over time
    QWidget *Chart2;       // new, learning, known, due today
    QLabel *Label2;        // "Answered wrongly most often"
    QTreeWidget *List1;    // word, meaning, wrong answers
    QPushButton *Command1; // "Close"

protected:
    bool event(QEvent *event) override;

private:
    void buildControls();
    void display(const ProgressFigures &figures);
    void showScores();
    void showCounts();
    void showMostMissed();

    HoverLooks *m_looks;
    ProgressCharts *m_charts = nullptr; // stays nullptr where Qt Charts cannot be loaded
    ProgressFigures m_figures;
    QElapsedTimer m_sinceRead; // the figures are not read twice for one opening
};
