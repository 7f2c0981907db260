// The real message boxes of the dialogs seam: which answer a key gives.
#include "Dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TstModalDialogs : public QObject
{
    Q_OBJECT

private slots:
    void keysAnswerTheQuestion_data();
    void keysAnswerTheQuestion();
};

void TstModalDialogs::keysAnswerTheQuestion_data()
{
    QTest::addColumn<bool>("defaultNo");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("yes");
    QTest::newRow("Enter on a question") << false << int(Qt::Key_Return) << true;
    QTest::newRow("Enter on a cautious question") << true << int(Qt::Key_Return) << false;
    QTest::newRow("Escape on a cautious question") << true << int(Qt::Key_Escape) << false;
}

// Going on with something that cannot be undone takes a deliberate Yes: Enter says No.
void TstModalDialogs::keysAnswerTheQuestion()
{
    QFETCH(bool, defaultNo);
    QFETCH(int, key);
    QFETCH(bool, yes);
    QString shownText, defaultButton;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        shownText = box->text();
        if (box->defaultButton())
            defaultButton = box->defaultButton()->text().remove(QLatin1Char('&'));
        QTest::keyClick(box, Qt::Key(key));
    });
    ModalDialogs dialogs;
    const bool answer = defaultNo ? dialogs.questionDefaultNo("Go on?\r\nReally?", "Title")
                                  : dialogs.question("Go on?\r\nReally?", "Title");
    QCOMPARE(shownText, "Go on?\nReally?");
    QCOMPARE(answer, yes);
    if (defaultNo)
        QCOMPARE(defaultButton, "No");
}

QTEST_MAIN(TstModalDialogs)
#include "tst_modaldialogs.moc"
