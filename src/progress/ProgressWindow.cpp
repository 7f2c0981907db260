#include "ProgressWindow.h"

#include "HoverLooks.h"
#include "Looks.h"
#include "Module1.h"
#include "ProgressCharts.h"
#include "ReviewBook.h"
#include "Skip.h"
#include "StoreError.h"
#include "Titles.h"
#include "Twips.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {

using Looks::make;
using Looks::place;

constexpr double Width = 13200;
constexpr double Height = 10560;

// The Close button's two looks: teal, as the quiz's Pause and the Main window's Help.
const QColor CloseNormal(0, 192, 192);
const QColor CloseHover(192, 255, 255);
// The list's two looks, as the Main window's quick search list.
const QColor ListNormal(192, 192, 192);
const QColor ListHover(255, 255, 255);

// The bars in the order they stand, with the colours the quiz gives right and wrong.
const QStringList BarNames{QStringLiteral("New"), QStringLiteral("Learning"),
                           QStringLiteral("Known"), QStringLiteral("Due today")};

ProgressCharts::Looks chartLooks()
{
    return {.paper = Looks::Paper,
            .title = Looks::caption(11, QFont::Bold),
            .labels = Looks::caption(9),
            .barLabels = Looks::caption(9, QFont::Bold)};
}

// A chart view, or where the charts cannot be drawn a label saying why.
QWidget *chartView(ProgressCharts *charts, const QString &whyNot, QWidget *parent,
                   const char *name)
{
    QWidget *view = nullptr;
    if (charts) {
        view = charts->makeView(parent, chartLooks());
    } else {
        auto *label = new QLabel(QStringLiteral("The chart cannot be drawn: %1").arg(whyNot), parent);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        view = label;
    }
    view->setObjectName(QLatin1String(name));
    return view;
}

void colour(QWidget *w, const QColor &text)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, text);
    w->setPalette(p);
}

} // namespace

ProgressWindow::ProgressWindow(QWidget *parent) : QWidget(parent), m_looks(new HoverLooks(this))
{
    setObjectName(QStringLiteral("ProgressWindow"));
    setWindowTitle(Titles::Progress);
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    m_looks->add(Command1, CloseNormal, CloseHover);
    m_looks->addList(List1, ListNormal, ListHover);
    for (QWidget *area : std::initializer_list<QWidget *>{this, Label1, Label2, Chart1, Chart2})
        m_looks->resetOver(area);
    // A chart view's pointer moves reach its viewport, not the view.
    for (QWidget *chart : {Chart1, Chart2})
        if (auto *view = qobject_cast<QAbstractScrollArea *>(chart))
            m_looks->resetOver(view->viewport());
}

void ProgressWindow::buildControls()
{
    setFixedSize(Twips::toPixels(Width), Twips::toPixels(Height));
    Looks::givePaperBackground(this);

    Label1 = make<QLabel>(this, "Label1");
    Label1->setTextFormat(Qt::PlainText);
    Label1->setFont(Looks::caption(16, QFont::Bold, true));
    colour(Label1, QColor(0, 0, 128));
    place(Label1, 360, 180, Width - 720, 540);

    QString whyNot;
    m_charts = ProgressCharts::instance(&whyNot);
    if (!m_charts)
        qCWarning(lcUi).noquote() << "The progress charts cannot be drawn:" << whyNot;
    Chart1 = chartView(m_charts, whyNot, this, "Chart1");
    place(Chart1, 240, 780, 6600, 4500);
    Chart2 = chartView(m_charts, whyNot, this, "Chart2");
    place(Chart2, 6960, 780, Width - 7200, 4500);

    Label2 = make<QLabel>(this, "Label2", QStringLiteral("Answered wrongly most often"));
    Label2->setFont(Looks::caption(12, QFont::Bold));
    colour(Label2, QColor(0, 0, 128));
    place(Label2, 360, 5400, Width - 720, 420);

    List1 = make<QTreeWidget>(this, "List1");
    List1->setColumnCount(3);
    List1->setHeaderLabels({QStringLiteral("Word"), QStringLiteral("Meaning"),
                            QStringLiteral("Wrong")});
    List1->setRootIsDecorated(false);
    List1->setUniformRowHeights(true);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List1->setFont(Looks::caption(10));
    place(List1, 240, 5880, Width - 480, 3780);
    List1->header()->setStretchLastSection(false);
    List1->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    List1->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    List1->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    List1->setColumnWidth(0, Twips::toPixels(3000));
    List1->setAccessibleName(QStringLiteral("Words answered wrongly most often"));
    Chart1->setAccessibleName(QStringLiteral("Quiz scores over time"));
    Chart2->setAccessibleName(QStringLiteral("Words by how well they are known"));

    Command1 = make<QPushButton>(this, "Command1", QStringLiteral("Close"));
    Command1->setAutoFillBackground(true);
    place(Command1, Width - 240 - 1800, Height - 240 - 495 - 60, 1800, 495);
}

void ProgressWindow::refresh()
{
    m_sinceRead.start();
    ProgressFigures figures;
    figures.table = Module1::currentCollection;
    QString failure;
    if (!Module1::database) {
        failure = QStringLiteral("no word database is open");
    } else {
        try {
            figures = ProgressFigures::read(*Module1::database, Module1::currentCollection,
                                            ReviewBook::dayOf(QDateTime::currentDateTime()));
        } catch (const StoreError &e) {
            failure = e.message();
            qCWarning(lcUi).noquote() << "The progress figures could not be read:" << failure;
        }
    }
    display(figures);
    if (!failure.isEmpty())
        Label1->setText(QStringLiteral("The progress of %1 could not be read: %2")
                            .arg(figures.table, failure));
}

void ProgressWindow::display(const ProgressFigures &figures)
{
    m_figures = figures;
    Label1->setText(QStringLiteral("How well you know the words of %1").arg(figures.table));
    showScores();
    showCounts();
    showMostMissed();
}

void ProgressWindow::showScores()
{
    if (!m_charts)
        return;
    const auto &quizzes = m_figures.quizzes;
    QList<ProgressCharts::Point> points;
    for (const auto &q : quizzes)
        points.append({q.at, ProgressFigures::percentRight(q)});
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime first = quizzes.empty() ? now.addDays(-7) : quizzes.front().at;
    const QDateTime last = quizzes.empty() ? now : quizzes.back().at;
    // A day on either side, so the first and the last point are not on the frame.
    m_charts->showLine(Chart1,
                       quizzes.empty() ? QStringLiteral("Quiz scores: no quiz yet")
                                       : QStringLiteral("Quiz scores (right answers, %)"),
                       points, first.addDays(-1), last.addDays(1), QColor(0, 128, 0),
                       chartLooks());
}

void ProgressWindow::showCounts()
{
    if (!m_charts)
        return;
    const ReviewQueries::Counts &c = m_figures.counts;
    m_charts->showBars(Chart2, QStringLiteral("Words"), BarNames,
                       {double(c.newWords), double(c.learning), double(c.known), double(c.due)},
                       QColor(0, 0, 192), QColor(0, 0, 128), chartLooks());
}

void ProgressWindow::showMostMissed()
{
    List1->clear();
    for (const auto &m : m_figures.mostMissed) {
        auto *item = new QTreeWidgetItem(
            List1, QStringList{m.word, m.meaning, QString::number(m.wrong)});
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setToolTip(1, m.meaning);
    }
}

bool ProgressWindow::event(QEvent *event)
{
    // Back from a quiz or another collection chosen: the figures may have changed.
    if (event->type() == QEvent::WindowActivate && isVisible() &&
        (!m_sinceRead.isValid() || m_sinceRead.elapsed() > 1000))
        refresh();
    return QWidget::event(event);
}
