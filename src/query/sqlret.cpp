#include "sqlret.h"

#include "Dialogs.h"
#include "ExportStart.h"
#include "HoverLooks.h"
#include "Looks.h"
#include "MainWindowPort.h"
#include "MarkBook.h"
#include "Module1.h"
#include "QueryProgress.h"
#include "ResultsPaging.h"
#include "Skip.h"
#include "SqlParser.h"
#include "Titles.h"
#include "Twips.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QLoggingCategory>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>

namespace {

const QString &Title = Titles::Wordbrawl;
const QString NoRecords =
    QStringLiteral("Sorry, there are no records under these set of conditions!");
const QString LeaveMarks =
    QStringLiteral("Would you like to leave the words marked 'Got it wrong' ?");
const QString &LeaveMarksTitle = Titles::WordbrawlBang;
const QString Removed =
    QStringLiteral(" Removed the pointer 'Got it wrong' from appropriate words\r\n");
const QString NotRemoved = QStringLiteral("The pointer 'Got it wrong' could not be removed: ");
const QString TooLarge =
    QStringLiteral("This query gives more rows than the viewer can hold. Only the first %1 rows "
                   "are shown; a narrower query shows the others.");
const QString PartRead = QStringLiteral("Not every row of the query could be read: %1\r\n"
                                        "The rows read before it are shown.");
const QString CountedFormat = QStringLiteral("%v of %m");
const QString CountingFormat = QStringLiteral("%v of %m so far");
// Each slice of a large result is short enough to keep the window answering at once.
constexpr std::chrono::milliseconds ReadSlice{8};
using Looks::make;

// The grid, in twips of the 8880 x 6405 client area.
constexpr double ClientWidth = 8880;
constexpr double ClientHeight = 6405;
constexpr std::array<double, 3> ColumnLeft{0, 2040, 6240};
constexpr std::array<double, 3> ColumnWidth{1815, 3975, 2600};
constexpr double HeaderHeight = 375;
constexpr std::array<double, 3> RowTop{600, 2400, 4440};
constexpr double RowHeight = 1320;
constexpr double GridBottom = 5760;

const QColor HeaderColour(224, 224, 224);
const QColor SheetColour(255, 255, 250);
const QColor LineColour(96, 96, 96);
const std::array<QColor, 3> CellText{QColor(0, 0, 192), QColor(0, 0, 128), QColor(128, 0, 0)};

QFrame *line(QWidget *parent, const char *name, double left, double top, double width,
             double height)
{
    auto *l = make<QFrame>(parent, name);
    l->setFrameShape(QFrame::NoFrame);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, LineColour);
    l->setPalette(p);
    l->setAutoFillBackground(true);
    l->setGeometry(Twips::rect(left, top, width, height));
    return l;
}

} // namespace

sqlret::sqlret(MainWindowPort &main)
    : QWidget(nullptr), m_loan(main), m_looks(new HoverLooks(this)), m_reader(new QTimer(this))
{
    QueryProgress::install();
    setObjectName(QStringLiteral("sqlret"));
    setWindowTitle(Titles::ResultsViewer);
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();

    connect(Command1, &QPushButton::clicked, this, &sqlret::command1Click);
    connect(Command2, &QPushButton::clicked, this, &sqlret::command2Click);
    // Escape is "Close", the same question included.
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, Command1,
            &QPushButton::click);
    // Only the user's own moves page; load sets the value with the signals blocked.
    connect(Slider1, &QSlider::valueChanged, this, &sqlret::slider1Scroll);
    Slider1->installEventFilter(this);
    m_reader->setInterval(0);
    connect(m_reader, &QTimer::timeout, this, &sqlret::readOn);

    m_looks->add(Command1, QColor(192, 0, 0), QColor(255, 192, 192));
    // "Export" in the colours of the Main window's.
    m_looks->add(Command2, QColor(255, 128, 0), QColor(255, 192, 128));
    // A button passes the mouse moves it does not use on to its parent, which would count
    // them as moves over the background and undo the hover look at once.
    Command1->setAttribute(Qt::WA_NoMousePropagation);
    Command2->setAttribute(Qt::WA_NoMousePropagation);
    Slider1->setAttribute(Qt::WA_NoMousePropagation);
    m_looks->resetOver(this, {Command1, Command2});
    m_looks->resetOver(ProgressBar1, {Command1, Command2});
}

void sqlret::buildControls()
{
    setFixedSize(Twips::toPixels(ClientWidth), Twips::toPixels(ClientHeight));
    QPalette back = palette();
    back.setColor(QPalette::Window, Looks::Paper);
    setPalette(back);
    setAutoFillBackground(true);

    const auto header = [this](const char *name, const QString &caption, int column) {
        auto *l = make<QLabel>(this, name, caption);
        l->setTextFormat(Qt::PlainText);
        l->setFont(Looks::caption(12, QFont::Bold));
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, QColor(0, 0, 128));
        l->setPalette(p);
        l->setGeometry(
            Twips::rect(ColumnLeft[size_t(column)], 0, ColumnWidth[size_t(column)], HeaderHeight));
        return l;
    };
    Label1 = header("Label1", QStringLiteral("       Word"), 0);
    Label2 = header("Label2", QString(18, QLatin1Char(' ')) + QStringLiteral("Meaning"), 1);
    Label3 = header("Label3", QString(11, QLatin1Char(' ')) + QStringLiteral("Pointer"), 2);

    const auto cellLabel = [this](const char *name, int row, int column) {
        auto *l = make<QLabel>(this, name, QStringLiteral(" "));
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setMargin(Twips::toPixels(45));
        QFont f = Looks::caption(column == 0 ? 12 : 11);
        f.setBold(column == 0);
        f.setItalic(column == 2);
        l->setFont(f);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, CellText[size_t(column)]);
        l->setPalette(p);
        l->setGeometry(Twips::rect(ColumnLeft[size_t(column)], RowTop[size_t(row)],
                                   ColumnWidth[size_t(column)], RowHeight));
        return l;
    };
    Label4 = cellLabel("Label4", 0, 0);
    Label5 = cellLabel("Label5", 0, 1);
    Label6 = cellLabel("Label6", 0, 2);
    Label7 = cellLabel("Label7", 1, 0);
    Label8 = cellLabel("Label8", 1, 1);
    Label9 = cellLabel("Label9", 1, 2);
    Label10 = cellLabel("Label10", 2, 0);
    Label11 = cellLabel("Label11", 2, 1);
    Label12 = cellLabel("Label12", 2, 2);

    // Each separator runs midway through the gap it divides.
    Line1 = line(this, "Line1", 0, (HeaderHeight + RowTop[0]) / 2 - 15, ClientWidth, 30);
    Line2 = line(this, "Line2", 0, (RowTop[0] + RowHeight + RowTop[1]) / 2 - 15, ClientWidth, 30);
    Line3 = line(this, "Line3", 0, (RowTop[1] + RowHeight + RowTop[2]) / 2 - 15, ClientWidth, 30);
    Line4 = line(this, "Line4", (ColumnLeft[0] + ColumnWidth[0] + ColumnLeft[1]) / 2 - 15, 0, 30,
                 GridBottom);
    Line5 = line(this, "Line5", (ColumnLeft[1] + ColumnWidth[1] + ColumnLeft[2]) / 2 - 15, 0, 30,
                 GridBottom);

    Slider1 = make<QSlider>(this, "Slider1", Qt::Horizontal);
    Slider1->setRange(0, 0);
    Slider1->setSingleStep(1);
    Slider1->setPageStep(ResultsPaging::Rows);
    Slider1->setToolTip(QStringLiteral("Slide to see the other records"));
    Slider1->setGeometry(Twips::rect(120, 5880, 3000, 420));

    ProgressBar1 = make<QProgressBar>(this, "ProgressBar1");
    // A 0..0 range would show a busy animation; an empty result shows an empty bar instead,
    // and the "3 of 40" text appears once there are records to count.
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFormat(CountedFormat);
    ProgressBar1->setAlignment(Qt::AlignCenter);
    ProgressBar1->setFont(Looks::caption(9));
    ProgressBar1->setGeometry(Twips::rect(3240, 5925, 1680, 330));

    Command1 = make<QPushButton>(this, "Command1", QStringLiteral("Close"));
    Command1->setAutoFillBackground(true);
    Command1->setGeometry(Twips::rect(6960, 5850, 1800, 450));
    Command2 = make<QPushButton>(this, "Command2", QStringLiteral("Export"));
    Command2->setToolTip(QStringLiteral("This can save these words to a file"));
    Command2->setAutoFillBackground(true);
    Command2->setGeometry(Twips::rect(5040, 5850, 1800, 450));
}

void sqlret::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // A grey band behind the headers and a sheet behind the rows, so the grid reads as one
    // table; the lines are drawn over them.
    QPainter painter(this);
    const double sheetTop = Twips::fromPixels(Line1->y());
    painter.fillRect(Twips::rect(0, 0, ClientWidth, sheetTop), HeaderColour);
    painter.fillRect(Twips::rect(0, sheetTop, ClientWidth, GridBottom - sheetTop), SheetColour);
}

QLabel *sqlret::cell(int row, int column) const
{
    const std::array<std::array<QLabel *, 3>, ResultsPaging::Rows> grid{{
        {Label4, Label5, Label6},
        {Label7, Label8, Label9},
        {Label10, Label11, Label12},
    }};
    return grid[size_t(row)][size_t(column)];
}

void sqlret::showRecord(int row, qint64 record)
{
    const Snapshot *rows = Module1::queryResult.get();
    if (!rows)
        return;
    // A result of fewer than three columns leaves the missing cells as they were.
    const int columns = qMin(rows->columnCount(), 3);
    for (int column = 0; column < columns; ++column)
        cell(row, column)->setText(rows->text(record, column));
}

void sqlret::blankRow(int row)
{
    for (int column = 0; column < 3; ++column)
        cell(row, column)->setText(QString());
}

void sqlret::load()
{
    // The openers have hidden the Main window already.
    m_loan.take(this, MainWindowLoan::Away::Disabled);
    show();

    const Snapshot *rows = Module1::queryResult.get();
    if (rows) {
        try {
            rows->readFirst(ResultsPaging::Rows, SqlParser::FirstReadBudget);
        } catch (const QueryCancelled &e) {
            Dialogs::current().message(e.message(), Title);
            close();
            return;
        } catch (const std::exception &e) {
            // Skipped like every failing step of the load: the rows read so far stand.
            qCWarning(lcQuery).noquote() << "Skipped reading the first rows because:" << e.what();
        }
    }
    m_total = rows ? rows->rowsRead() : 0;
    if (m_total == 0) {
        Dialogs::current().message(NoRecords, Title);
        return;
    }

    const ResultsPaging paging(m_total);
    const ResultsPaging::Page page = paging.opening();
    const int total = ResultsPaging::toControl(m_total);
    const int shown = ResultsPaging::toControl(page.position);
    ProgressBar1->setRange(0, total);
    ProgressBar1->setValue(shown);
    ProgressBar1->setTextVisible(true);
    {
        const QSignalBlocker quiet(Slider1);
        Slider1->setRange(0, total);
        Slider1->setValue(shown);
    }
    // Rows without a record keep their design caption here.
    for (int row = 0; row < ResultsPaging::Rows; ++row)
        if (page.records[size_t(row)] != ResultsPaging::Blank)
            showRecord(row, page.records[size_t(row)]);
    if (!rows->complete()) {
        ProgressBar1->setFormat(CountingFormat);
        m_reader->start();
    }
}

bool sqlret::reading() const
{
    return m_reader->isActive();
}

void sqlret::readOn()
{
    const Snapshot *rows = Module1::queryResult.get();
    bool more = false;
    QString failure;
    try {
        more = rows && rows->readMore(ReadSlice);
    } catch (const QueryCancelled &e) {
        stopReading();
        Dialogs::current().message(e.message(), Title);
        close();
        return;
    } catch (const StoreError &e) {
        failure = e.message();
    } catch (const std::exception &e) {
        failure = QString::fromUtf8(e.what());
    }
    if (rows)
        setTotal(rows->rowsRead());
    if (more)
        return;
    stopReading();
    if (!failure.isNull())
        Dialogs::current().message(PartRead.arg(failure), Title);
    else if (rows && rows->truncated())
        Dialogs::current().message(TooLarge.arg(QLocale().toString(rows->rowsRead())), Title);
}

void sqlret::stopReading()
{
    m_reader->stop();
    ProgressBar1->setFormat(CountedFormat);
    if (Module1::queryResult)
        Module1::queryResult->stop();
}

void sqlret::setTotal(qint64 total)
{
    m_total = total;
    const int control = ResultsPaging::toControl(total);
    ProgressBar1->setMaximum(control);
    const QSignalBlocker quiet(Slider1);
    Slider1->setMaximum(control);
}

bool sqlret::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Slider1) {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (!foreignKey(*static_cast<QKeyEvent *>(event)))
                slider1Scroll();
            break;
        case QEvent::KeyRelease:
            if (!foreignKey(*static_cast<QKeyEvent *>(event)))
                slider1Scroll();
            break;
        case QEvent::FocusOut:
            m_keysDown.clear();
            m_heldElsewhere.clear();
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::Wheel:
            slider1Scroll();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool sqlret::foreignKey(const QKeyEvent &key)
{
    // A key pressed elsewhere and held on (the Enter that opened the window) reaches the
    // slider first with a release. Its repeats come as a release and a press with one and
    // the same time, flagged as repeats or not; a press at another time is a new press.
    const int code = key.key();
    if (key.type() == QEvent::KeyPress) {
        const auto held = m_heldElsewhere.constFind(code);
        const bool repeatOfHeld =
            held != m_heldElsewhere.cend() && (key.isAutoRepeat() || key.timestamp() == *held);
        if (repeatOfHeld || (key.isAutoRepeat() && !m_keysDown.contains(code)))
            return true;
        m_heldElsewhere.remove(code);
        m_keysDown.insert(code);
        return false;
    }
    if (!m_keysDown.contains(code)) {
        m_heldElsewhere.insert(code, key.timestamp());
        return true;
    }
    if (!key.isAutoRepeat())
        m_keysDown.remove(code);
    return false;
}

void sqlret::slider1Scroll()
{
    const ResultsPaging::Page page = ResultsPaging(m_total).at(Slider1->value());
    for (int row = 0; row < ResultsPaging::Rows; ++row) {
        const qint64 record = page.records[size_t(row)];
        if (record == ResultsPaging::Blank)
            blankRow(row);
        else
            showRecord(row, record);
    }
    ProgressBar1->setValue(ResultsPaging::toControl(page.position));
}

void sqlret::command2Click()
{
    // The rows this window shows, read on to the end as they are written; the report goes
    // to the Main window's Status box.
    if (MainWindowPort *main = m_loan.port())
        ExportStart::exportQueryResult(*main, this);
    else
        qCWarning(lcQuery) << "Skipped the export: the Main window is gone";
}

void sqlret::command1Click()
{
    // Nothing may be reading the tables while the marks are cleared.
    stopReading();
    bool marked = false;
    // Without a readable collection there is nothing to offer.
    skipOnFailure(lcQuery(), "looking for marked words", [&] {
        marked =
            Module1::database && MarkBook::hasMarks(*Module1::database, Module1::currentCollection);
    });
    if (marked && !Dialogs::current().question(LeaveMarks, LeaveMarksTitle))
        clearMarks();
    close();
}

void sqlret::clearMarks()
{
    try {
        MarkBook::clearMarks(*Module1::database, Module1::currentCollection);
    } catch (const std::exception &e) {
        // Clearing is all or nothing: the marks are still there, so say so rather than
        // report a removal that did not happen.
        Dialogs::current().message(NotRemoved + QString::fromUtf8(e.what()), Title);
        return;
    }
    if (MainWindowPort *main = m_loan.port())
        main->appendStatusText(Removed);
}

void sqlret::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        returnToMain();
}

void sqlret::returnToMain()
{
    if (!m_loan.held())
        return;
    stopReading();
    hide();
    m_loan.port()->setSqlText(QString());
    m_loan.giveBack();
}
