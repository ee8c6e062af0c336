#include "ui/dialoggeometry.h"

#include <QTest>

class TestDialogGeometry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void participantList_data();
    void participantList();
    void classChooser();
    void creationDialogIs581Wide_data();
    void creationDialogIs581Wide();
    void inputDialog();
    void largeFontWidensTheInputDialogs();
    void textView();
    void backupWindow();
    void numberDialogSpreadsItsButtonsInThirds_data();
    void numberDialogSpreadsItsButtonsInThirds();
    void colourChooser();
    void placement_data();
    void placement();
    void centringOverTheMainWindow();
};

void TestDialogGeometry::participantList_data()
{
    QTest::addColumn<int>("buttonHeight");
    QTest::newRow("12 point") << 31;
    QTest::newRow("28 point") << 57;
}

void TestDialogGeometry::participantList()
{
    QFETCH(int, buttonHeight);
    const ParticipantListGeometry g
        = layoutParticipantList(ButtonMeasures{buttonHeight, {}}, QSize(200, 20));
    // 10 + 187 + 93 + 187 + 93 + 187 + 10, whatever the font.
    QCOMPARE(g.client.width(), 767);
    QCOMPARE(g.okButton.left(), 290);
    QCOMPARE(g.cancelButton.left(), 570);
    QCOMPARE(g.list, QRect(10, 2 * 10 + 20, 747, 5 * buttonHeight));
    QCOMPARE(g.classesButton.top(), 40 + 5 * buttonHeight + 10);
    QCOMPARE(g.okButton.top(), g.classesButton.top());
    QCOMPARE(g.cancelButton.size(), QSize(187, buttonHeight));
    QCOMPARE(g.client.height(), g.okButton.bottom() + 1 + 10);
    QCOMPARE(g.label, QRect(283, 10, 200, 20));
    QCOMPARE(centredLeft(767, 301), 233);
}

void TestDialogGeometry::classChooser()
{
    const ClassChooserGeometry g = layoutClassChooser(ButtonMeasures{31, {}});
    QCOMPARE(g.list, QRect(10, 10, 467, 155));
    QCOMPARE(g.okButton, QRect(10, 175, 187, 31));
    QCOMPARE(g.cancelButton, QRect(290, 175, 187, 31));
    QCOMPARE(g.client, QSize(487, 216));
}

void TestDialogGeometry::creationDialogIs581Wide_data()
{
    QTest::addColumn<int>("labelWidth");
    QTest::newRow("narrow labels") << 60;
    QTest::newRow("wide labels") << 250;
}

void TestDialogGeometry::creationDialogIs581Wide()
{
    QFETCH(int, labelWidth);
    const QSize labels[3] = {QSize(40, 16), QSize(labelWidth, 16), QSize(50, 16)};
    const CreationDialogGeometry g = layoutCreationDialog(ButtonMeasures{31, {}}, labels, 24);
    QCOMPARE(g.client.width(), 581);
    QCOMPARE(g.okButton.left(), 10);
    QCOMPARE(g.cancelButton.left(), 384);
    const int editLeft = 10 + labelWidth + 5;
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(g.edits[i].left(), editLeft);
        QCOMPARE(g.edits[i].right() + 1, 571);
        QCOMPARE(g.labels[i].left(), 10);
        QCOMPARE(g.labels[i].top(), g.edits[i].top() + 4);
    }
    QCOMPARE(g.edits[0].top(), 10);
    QCOMPARE(g.edits[1].top(), 44);
    QCOMPARE(g.edits[2].top(), 78);
    QCOMPARE(g.okButton.top(), 112);
    QCOMPARE(g.client.height(), 153);
}

void TestDialogGeometry::inputDialog()
{
    const InputDialogGeometry g = layoutInputDialog(ButtonMeasures{31, {}}, QSize(80, 16), 24);
    QCOMPARE(g.client.width(), 581);
    QCOMPARE(g.edit, QRect(95, 10, 476, 24));
    QCOMPARE(g.label, QRect(10, 14, 80, 16));
    QCOMPARE(g.okButton.top(), 44);
    QCOMPARE(g.client.height(), 85);
}

void TestDialogGeometry::largeFontWidensTheInputDialogs()
{
    // A label column of 500 pixels would leave the edits 56 pixels or less.
    const int buttonHeight = 90;
    const QSize labels[3] = {QSize(500, 70), QSize(500, 70), QSize(500, 70)};
    const CreationDialogGeometry creation
        = layoutCreationDialog(ButtonMeasures{buttonHeight, {}}, labels, 80);
    QCOMPARE(creation.edits[0].width(), 4 * buttonHeight);
    QCOMPARE(creation.client.width(), creation.edits[0].right() + 1 + 10);
    QVERIFY(creation.client.width() > 581);

    const InputDialogGeometry input
        = layoutInputDialog(ButtonMeasures{buttonHeight, {}}, QSize(600, 70), 80);
    QCOMPARE(input.edit.width(), 4 * buttonHeight);
    QCOMPARE(input.client.width(), input.edit.right() + 1 + 10);
}

void TestDialogGeometry::textView()
{
    const TextViewGeometry g = layoutTextView(ButtonMeasures{31, {}});
    QCOMPARE(g.text, QRect(0, 0, 10 + 187 + 31 + 187 + 31 + 187 + 10, 310));
    QCOMPARE(g.saveButton.left(), 10 + 187 + 31);
    QCOMPARE(g.closeButton.left(), 10 + 2 * (187 + 31));
    QCOMPARE(g.printButton.top(), 320);
    QCOMPARE(g.client, QSize(g.text.width(), 361));
}

void TestDialogGeometry::backupWindow()
{
    const BackupWindowGeometry g = layoutBackupWindow(ButtonMeasures{31, {}}, 1000);
    QCOMPARE(g.client, QSize(875, 1000));
    QCOMPARE(g.startButton, QRect(125, 959, 125, 31));
    QCOMPARE(g.refreshButton.left(), 375);
    QCOMPARE(g.closeButton.left(), 625);
    QCOMPARE(g.closeButton.bottom() + 1 + 10, 1000);
    QCOMPARE(g.volumeList, QRect(10, 10, 855, (959 - 30) / 2));
    QCOMPARE(g.log.size(), g.volumeList.size());
    QCOMPARE(g.log.top(), g.volumeList.bottom() + 1 + 10);
}

void TestDialogGeometry::numberDialogSpreadsItsButtonsInThirds_data()
{
    QTest::addColumn<int>("labelWidth");
    QTest::addColumn<int>("clientWidth");
    QTest::addColumn<int>("buttonLeft");
    QTest::newRow("wide label") << 400 << 523 << (523 - 374) / 3;
    // The rules would leave both buttons reaching past the window's edges, their captions cut.
    QTest::newRow("narrow label: widened for the buttons") << 100 << 374 + 30 << 10;
}

void TestDialogGeometry::numberDialogSpreadsItsButtonsInThirds()
{
    QFETCH(int, labelWidth);
    QFETCH(int, clientWidth);
    QFETCH(int, buttonLeft);
    const NumberDialogGeometry g
        = layoutNumberDialog(ButtonMeasures{31, {}}, QSize(labelWidth, 16), 24);
    QCOMPARE(g.edit, QRect(10 + labelWidth + 10, 10, 93, 24));
    QCOMPARE(g.client.width(), clientWidth);
    QCOMPARE(g.okButton.left(), buttonLeft);
    // Equal gaps left, between and right.
    QCOMPARE(g.cancelButton.left() - g.okButton.right() - 1, g.okButton.left());
    QVERIFY(qAbs(g.client.width() - g.cancelButton.right() - 1 - g.okButton.left()) <= 2);
    QCOMPARE(g.okButton.top(), 44);
}

void TestDialogGeometry::colourChooser()
{
    const ColourChooserGeometry g = layoutColourChooser(31, 120, 19, 10);
    QCOMPARE(g.okButton, QRect(10, 400, 120, 31));
    QCOMPARE(g.cancelButton, QRect(140, 400, 120, 31));
    QCOMPARE(g.list, QRect(10, 10, 250, 380));
    QCOMPARE(g.client, QSize(270, 441));
}

void TestDialogGeometry::placement_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("centred less one") << QSize(600, 400) << QPoint(339, 199);
    QTest::newRow("larger than the screen stays at the corner")
        << QSize(1400, 1000) << QPoint(0, 0);
}

void TestDialogGeometry::placement()
{
    QFETCH(QSize, window);
    QFETCH(QPoint, position);
    QCOMPARE(dialogPosition(QSize(1280, 800), window), position);
}

void TestDialogGeometry::centringOverTheMainWindow()
{
    const QRect mainWindow(0, 30, 1280, 770);
    QCOMPARE(centredOver(mainWindow, QSize(600, 400), QPoint(0, 30)), QPoint(340, 215));
    QCOMPARE(centredOver(mainWindow, QSize(1500, 900), QPoint(0, 30)), QPoint(0, 30));
}

QTEST_APPLESS_MAIN(TestDialogGeometry)
#include "tst_dialoggeometry.moc"
