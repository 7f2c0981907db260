#include "Form4.h"

#include "Backups.h"
#include "Dialogs.h"
#include "HoverLooks.h"
#include "LongWork.h"
#include "Looks.h"
#include "MainWindowPort.h"
#include "Module1.h"
#include "SheetReader.h"
#include "Skip.h"
#include "Titles.h"
#include "WordImport.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QTreeView>

namespace {

const QString &Title = Titles::Wordbrawl;
const QString &TitleBang = Titles::WordbrawlBang;
const QString DriveError = QStringLiteral("Sorry, An error was reported! Try a different path");
const QString NoFile =
    QStringLiteral("Sorry, I have not been able to locate the file! Please try again. ");
const QString BadParameters =
    QStringLiteral("Sorry, bubba, the parameters seem incorrect. Try again!");
const QString NoFolder = QStringLiteral("There is no folder \"%1\". Check the path and try again.");
const QString UnreadableFolder =
    QStringLiteral("The folder \"%1\" cannot be read. Choose another one.");
const QString ImportError = QStringLiteral("Sorry, bubba. Something's wrong! Try again!");
const QString PleaseWait =
    QStringLiteral("Okay, please wait a few seconds till I finish importing");

const QColor ButtonNormal(0, 192, 0);
const QColor ButtonHover(192, 255, 192);

using Looks::make;
using Looks::place;

// Messages that give no title carry the program's own.
QString applicationTitle()
{
    return QCoreApplication::applicationName();
}

// The volume holding `path`: its root.
QString volumeRoot(const QString &path)
{
    const QStorageInfo volume(path);
    return volume.isValid() ? volume.rootPath() : QDir::rootPath();
}

} // namespace

Form4::Form4(MainWindowPort &main)
    : QWidget(nullptr), m_loan(main), m_looks(new HoverLooks(this)),
      m_dirModel(new QFileSystemModel(this))
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(Titles::Import);
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();

    connect(Drive1, &QComboBox::activated, this, &Form4::drive1Change);
    // The model reads folders in the background: once a folder on the way down to the
    // current one is read, the tree opens it and keeps the current folder in view.
    connect(m_dirModel, &QFileSystemModel::directoryLoaded, this, [this](const QString &loaded) {
        const QString folder =
            loaded.endsWith(QLatin1Char('/')) ? loaded : loaded + QLatin1Char('/');
        if (m_dirPath == loaded || m_dirPath.startsWith(folder))
            showDirectory(m_dirPath);
    });
    // Once read, a folder is sorted, and the rows above the chosen one may grow.
    connect(m_dirModel, &QAbstractItemModel::layoutChanged, this, &Form4::followDirectory);
    connect(m_dirModel, &QAbstractItemModel::rowsInserted, this, &Form4::followDirectory);
    Dir1->viewport()->installEventFilter(this);
    Dir1->installEventFilter(this);
    connect(Dir1->verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { m_followDirectory = false; });
    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && m_dirModel->filePath(current) != m_dirPath) {
                    m_dirPath = m_dirModel->filePath(current);
                    dir1Change();
                }
            });
    connect(Text1, &QLineEdit::returnPressed, this, &Form4::text1Enter);
    connect(File1, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *current) {
        if (current)
            file1Click();
    });
    connect(File1, &QListWidget::itemClicked, this, &Form4::file1Click);
    // A click picks the cell even when it is already the current one; the keys pick it
    // as they move.
    connect(List1, &QListWidget::itemClicked, this, &Form4::list1Click);
    connect(List1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && QApplication::mouseButtons() == Qt::NoButton)
            list1Click();
    });
    connect(Command1, &QPushButton::clicked, this, &Form4::command1Click);
    connect(Command2, &QPushButton::clicked, this, &Form4::command2Click);

    m_looks->add(Command1, ButtonNormal, ButtonHover);
    m_looks->add(Command2, ButtonNormal, ButtonHover);
    for (QWidget *w : {static_cast<QWidget *>(Command1), static_cast<QWidget *>(Command2)})
        w->setAttribute(Qt::WA_NoMousePropagation);
    for (QWidget *area : {static_cast<QWidget *>(this), static_cast<QWidget *>(Frame1),
                          static_cast<QWidget *>(Frame2), File1->viewport()})
        m_looks->resetOver(area, {Command1, Command2});
}

Form4::~Form4() = default;

void Form4::buildControls()
{
    setFixedSize(Twips::toPixels(7800), Twips::toPixels(6660));
    Looks::givePaperBackground(this);
    const auto label = [](QWidget *parent, const char *name, const QString &text) {
        auto *l = make<QLabel>(parent, name, text);
        l->setTextFormat(Qt::PlainText);
        l->setFont(Looks::caption(10, QFont::Bold));
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return l;
    };

    Frame1 =
        make<QGroupBox>(this, "Frame1", QStringLiteral("Please Select the path of the Excel File"));
    Frame1->setFont(Looks::caption(10, QFont::Bold));
    place(Frame1, 120, 60, 7560, 3660);
    Drive1 = make<QComboBox>(Frame1, "Drive1");
    Drive1->setFont(Looks::caption(10));
    place(Drive1, 180, 330, 3540, 345);
    Dir1 = make<QTreeView>(Frame1, "Dir1");
    Dir1->setFont(Looks::caption(10));
    Dir1->setHeaderHidden(true);
    place(Dir1, 180, 765, 3540, 2295);
    File1 = make<QListWidget>(Frame1, "File1");
    File1->setFont(Looks::caption(10));
    place(File1, 3840, 330, 3540, 2730);
    Text1 = make<QLineEdit>(Frame1, "Text1");
    Text1->setFont(Looks::caption(10));
    Text1->setToolTip(QStringLiteral("Type or paste the path of a folder or file and press Enter"));
    Text1->setAccessibleName(QStringLiteral("Folder path"));
    place(Text1, 180, 3165, 7200, 375);

    m_dirModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_dirModel->setReadOnly(true);
    Dir1->setModel(m_dirModel);
    for (int column = 1; column < m_dirModel->columnCount(); ++column)
        Dir1->hideColumn(column);

    Frame2 = make<QGroupBox>(this, "Frame2",
                             QStringLiteral("Please select the cell number of the starting word"));
    Frame2->setFont(Looks::caption(10, QFont::Bold));
    place(Frame2, 120, 3840, 7560, 2040);
    List1 = make<QListWidget>(Frame2, "List1");
    List1->setFont(Looks::caption(10));
    List1->setEnabled(false);
    place(List1, 180, 330, 1140, 1560);
    Label1 = label(Frame2, "Label1", QStringLiteral("Starting word :"));
    place(Label1, 1500, 330, 5880, 480);
    Label2 = label(Frame2, "Label2", QStringLiteral("Meaning : "));
    place(Label2, 1500, 840, 5880, 540);
    Label3 = label(Frame2, "Label3", QStringLiteral("Pointer : "));
    place(Label3, 1500, 1410, 5880, 480);

    Label4 = make<QLabel>(this, "Label4");
    Label4->setTextFormat(Qt::PlainText);
    Label4->setFont(Looks::caption(10, QFont::Normal, true));
    Label4->hide();
    place(Label4, 120, 6060, 3720, 375);

    Command1 = make<QPushButton>(this, "Command1", QStringLiteral("Import"));
    Command1->setAutoFillBackground(true);
    place(Command1, 3960, 6000, 1800, 495);
    Command2 = make<QPushButton>(this, "Command2", QStringLiteral("Cancel"));
    Command2->setAutoFillBackground(true);
    place(Command2, 5880, 6000, 1800, 495);
}

void Form4::load()
{
    m_loan.take(this, MainWindowLoan::Away::Hidden);
    fillDrives();
    setDirPath(QDir::currentPath());
    show();
    List1->show();
    for (QChar letter : {QLatin1Char('A'), QLatin1Char('B')})
        for (int n = 1; n <= 10; ++n)
            List1->addItem(letter + QString::number(n));
}

void Form4::fillDrives()
{
    QStringList roots;
    // A single file mounted on its own (as containers do with /etc/hosts) is no volume.
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && QFileInfo(volume.rootPath()).isDir() &&
            !roots.contains(volume.rootPath()))
            roots << volume.rootPath();
    std::sort(roots.begin(), roots.end(), [](const QString &a, const QString &b) {
        if ((a == QDir::rootPath()) != (b == QDir::rootPath()))
            return a == QDir::rootPath();
        return a < b;
    });
    if (!roots.contains(QDir::rootPath()))
        roots.prepend(QDir::rootPath());
    const QSignalBlocker block(Drive1);
    Drive1->clear();
    Drive1->addItems(roots);
    Drive1->setCurrentIndex(qMax(0, Drive1->findText(volumeRoot(QDir::currentPath()))));
}

void Form4::drive1Change()
{
    const QString root = Drive1->currentText();
    const QDir dir(root);
    if (root.isEmpty() || !dir.exists() || !dir.isReadable()) {
        Dialogs::current().message(DriveError, applicationTitle());
        // The tree stays where it was, and so does the drive it shows.
        const QSignalBlocker block(Drive1);
        Drive1->setCurrentIndex(qMax(0, Drive1->findText(volumeRoot(m_dirPath))));
        return;
    }
    setDirPath(root);
}

void Form4::setDirPath(const QString &path)
{
    m_dirPath = QDir(path).absolutePath();
    m_followDirectory = true;
    showDirectory(m_dirPath);
    dir1Change();
}

void Form4::showDirectory(const QString &path)
{
    const QString root = volumeRoot(path);
    if (m_dirModel->rootPath() != root) {
        m_dirModel->setRootPath(root);
        Dir1->setRootIndex(m_dirModel->index(root));
    }
    const QModelIndex index = m_dirModel->index(path);
    const QSignalBlocker block(Dir1->selectionModel());
    Dir1->setCurrentIndex(index);
    for (QModelIndex up = index; up.isValid(); up = up.parent())
        Dir1->expand(up);
    Dir1->scrollTo(index);
}

void Form4::followDirectory()
{
    if (m_followDirectory)
        showDirectory(m_dirPath);
}

bool Form4::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        m_followDirectory = false;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void Form4::dir1Change()
{
    // The patterns match without regard to letter case: *.xls finds BOOK.XLS too.
    const QStringList files = QDir(m_dirPath).entryList(
        SheetReader::filePatterns(), QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    const QSignalBlocker block(File1);
    File1->clear();
    File1->addItems(files);
    Text1->setText(QDir::toNativeSeparators(m_dirPath));
}

void Form4::text1Enter()
{
    QString typed = Text1->text().trimmed();
    if (typed == QLatin1String("~") || typed.startsWith(QLatin1String("~/")))
        typed = QDir::homePath() + typed.mid(1);
    const QFileInfo target(QDir::current(), QDir::fromNativeSeparators(typed));
    const QFileInfo folder = target.isFile() ? QFileInfo(target.absolutePath()) : target;
    if (typed.isEmpty() || !folder.isDir() || !folder.isReadable()) {
        Dialogs::current().message(typed.isEmpty() || !target.exists() ? NoFolder.arg(typed)
                                                                       : UnreadableFolder.arg(typed),
                                   Title);
        Text1->setText(QDir::toNativeSeparators(m_dirPath));
        Text1->selectAll();
        return;
    }
    setDirPath(folder.absoluteFilePath());
    if (target.isFile()) {
        const auto files = File1->findItems(target.fileName(), Qt::MatchExactly);
        if (!files.isEmpty())
            File1->setCurrentItem(files.first());
    }
}

void Form4::file1Click()
{
    List1->setEnabled(true);
}

void Form4::list1Click()
{
    QListWidgetItem *file = File1->currentItem();
    const QString path = file ? QDir(m_dirPath).filePath(file->text()) : QString();
    if (!file || !QFileInfo(path).isFile()) {
        Dialogs::current().message(NoFile, Title);
        return;
    }
    QListWidgetItem *item = List1->currentItem();
    QString cell = item ? item->text().trimmed() : QString();
    if (cell.isEmpty())
        return;
    if (cell.at(0) >= QLatin1Char('a') && cell.at(0) <= QLatin1Char('z'))
        cell[0] = cell.at(0).toUpper();
    const QString rowText = cell.mid(1).trimmed();

    bool ok = false;
    const int column = cell.at(0).unicode() - 64;
    const qint64 row = qint64(rowText.toDouble(&ok));
    // A cell the list cannot hold, or a file that cannot be read, is one error; the old
    // worksheet goes too, so Import never reads a file other than the one shown.
    m_sheet.reset();
    // The message box names no reason; the line under the preview does.
    const auto refuse = [this](const QString &why) {
        Label4->setText(why);
        Label4->show();
        Dialogs::current().message(BadParameters, applicationTitle());
    };
    if (!ok || column < 1 || column > 26 || row < 1) {
        refuse(QStringLiteral("No such cell: %1").arg(cell));
        return;
    }
    try {
        m_startColumn = column;
        m_startRow = row;
        std::unique_ptr<SheetReader> sheet;
        QString word, meaning, pointer;
        {
            // Opening a large (or hostile) file takes a while: the window keeps painting
            // and a Cancel box comes up after half a second.
            LongWork work(this, QStringLiteral("Opening %1...").arg(file->text()));
            const SheetReader::KeepGoing keepGoing = [&work] { return work.tick(); };
            sheet = SheetReader::openFile(path, keepGoing);
            sheet->setKeepGoing(keepGoing);
            const auto forget = qScopeGuard([&] { sheet->setKeepGoing({}); });
            word = sheet->cell(row, column).toText();
            meaning = sheet->cell(row, column + 1).toText();
            pointer = sheet->cell(row, column + 2).toText();
        }
        m_sheet = std::move(sheet);
        Label1->setText(QStringLiteral("Starting Word : ") + word);
        Label2->setText(QStringLiteral("Meaning : ") + meaning);
        Label3->setText(QStringLiteral("Pointer : ") + pointer);
        Label4->hide();
    } catch (const SheetCancelled &e) {
        // The user stopped it: no file is chosen, and nothing needs saying but that.
        Label4->setText(e.message());
        Label4->show();
    } catch (const SheetError &e) {
        refuse(e.message());
    }
}

void Form4::command1Click()
{
    if (m_importing)
        return;
    const auto failed = [] { Dialogs::current().message(ImportError, Title); };
    if (!m_sheet || !Module1::database)
        return failed(); // no file and cell chosen yet
    QString first;
    try {
        first = m_sheet->cell(m_startRow, m_startColumn).toText();
    } catch (const SheetError &e) {
        // A file changed or cut short since its cell was chosen: the line under the preview
        // says so, the box as always does not.
        qCWarning(lcImport).noquote() << "The first word could not be read:" << e.message();
        Label4->setText(e.message());
        Label4->show();
        return failed();
    }
    if (!Dialogs::current().question(QStringLiteral("Are you sure you wish to start importing "
                                                    "from ") +
                                         first + QStringLiteral(" till the last word ? "),
                                     TitleBang))
        return;
    // A copy of the database before the first word is written. Without one, the user says
    // whether to go on; Cancel while it is taken stops the import before it starts.
    Backups::Outcome copy;
    {
        const QScopedValueRollback busy(m_importing, true); // no second import meanwhile
        LongWork work(this, QStringLiteral("Copying the word database first..."));
        copy = Backups::beforeBulkChange(
            *Module1::database, Module1::currentCollection,
            [&work](qint64 done, qint64 total) { return work.tick(done, total); });
        if (work.cancelled())
            return;
    }
    if (copy.failed() &&
        !Dialogs::current().questionDefaultNo(Backups::withoutCopyQuestion(copy.error), Title))
        return;
    Dialogs::current().message(PleaseWait, Title);
    runImport();
}

void Form4::runImport()
{
    const QString table = Module1::currentCollection;
    setImporting(true);
    LongWork work(this, QStringLiteral("Importing words into %1...").arg(table));
    // A cell far into a large part is found by reading on through it: the box stays
    // responsive there too, not only between rows.
    m_sheet->setKeepGoing([&work] { return work.tick(); });
    const auto forget = qScopeGuard([this] {
        if (m_sheet)
            m_sheet->setKeepGoing({});
    });
    WordImport import(*Module1::database, table);
    const WordImport::Result result =
        import.run(*m_sheet, m_startRow, m_startColumn,
                   [this, &work](qint64 imported, const WordImport::Row &last) {
                       Label1->setText(last.word);
                       Label2->setText(last.meaning);
                       Label3->setText(last.pointer);
                       const QString count = QStringLiteral("%L1 words imported...").arg(imported);
                       Label4->setText(count);
                       work.setLabel(count);
                       // Keeps the window painted and lets Cancel through; the first
                       // row shows at once.
                       return (imported == 1 ? work.tickNow() : work.tick()) && !m_stopRequested;
                   });
    setImporting(false);
    if (result.failed) {
        // Why it stopped, and that the words read before it were kept (a full disk, say).
        Label4->setText(result.error + QStringLiteral("\n%1 words read before it were saved.")
                                           .arg(result.imported));
        Label4->show();
        Dialogs::current().message(ImportError, Title);
        return;
    }
    Dialogs::current().message(
        QStringLiteral("Imported %1 words successfully into %2").arg(result.imported).arg(table),
        TitleBang);
    close();
}

void Form4::setImporting(bool importing)
{
    m_importing = importing;
    m_stopRequested = false;
    for (QWidget *w : {static_cast<QWidget *>(Frame1), static_cast<QWidget *>(List1),
                       static_cast<QWidget *>(Command1)})
        w->setEnabled(!importing);
    Label4->setText(importing ? QStringLiteral("Importing...") : QString());
    Label4->setVisible(importing);
}

void Form4::command2Click()
{
    close();
}

void Form4::closeEvent(QCloseEvent *event)
{
    if (m_importing) {
        // The import stops at the next row; what it saved stays, and the window then
        // closes as after any import.
        m_stopRequested = true;
        event->ignore();
        return;
    }
    returnToMain();
    QWidget::closeEvent(event);
}

void Form4::returnToMain()
{
    m_sheet.reset();
    m_loan.giveBack();
}
