#include <QtTest>

#include <QHeaderView>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>

#include "boxAnswerer.h"
#include "busEndpoint.h"
#include "cSimBus.h"
#include "cTranslations.h"
#include "cUart.h"
#include "windowFixture.h"
#include "workerHarness.h"

// The main window through its widgets: start-up state, port control,
// messages, about and the close question.
class tst_mainwindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void initialState();
    void startsWithoutTranslation();
    void programStartsWithoutTranslation();
    void tableSetUp();
    void menus();
    void portButtonsFollowPort();
    void openFailureSaysWhy_data();
    void openFailureSaysWhy();
    void openWithoutAnswerIsNotBusy();
    void aboutText();
    void closeCancelKeepsWindowAndPort_data();
    void closeCancelKeepsWindowAndPort();
    void closeYesClosesPortBeforeWindow();
    void closeDuringSearchEndsItFirst();

private:
    srchSettings_t busSettings() const;

    cSimBus m_bus;
};

namespace {

// Notes whether the port was still open when the window went away.
class hideWatcher : public QObject
{
public:
    explicit hideWatcher(mainClass *w) : m_window(w) { w->installEventFilter(this); }
    bool hidden = false;
    bool portOpenAtHide = true;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && !hidden) {
            hidden = true;
            portOpenAtHide = m_window->worker()->isPortOpen();
        }
        return false;
    }

private:
    mainClass *m_window;
};

} // namespace

void tst_mainwindow::initTestCase()
{
    QVERIFY(m_bus.start());
    m_bus.addModule(1, 9600, 0);
}

srchSettings_t tst_mainwindow::busSettings() const
{
    return searchSettings(m_bus.portPath(), {4}, {0}, 50);
}

void tst_mainwindow::initialState()
{
    windowFixture f;
    mainClass *w = f.open();
    QCOMPARE(w->windowTitle(), QStringLiteral("ZT-33xx VudOze Ruveziz"));
    QCOMPARE(w->size(), QSize(850, 520));
    QCOMPARE(w->minimumSize(), QSize(850, 520));
    QCOMPARE(w->maximumSize(), QSize(850, 520));
    QVERIFY(w->ui.pBtnStartSrch->isEnabled());
    QVERIFY(!w->ui.pBtnPauseSrch->isEnabled());
    QVERIFY(!w->ui.pBtnStopSrch->isEnabled());
    QCOMPARE(w->ui.lbCurrStatus->text(), QStringLiteral("Waiting for action"));
    QCOMPARE(w->ui.lbNuComPort->text(), QStringLiteral("COM x"));
    QCOMPARE(w->ui.lbAddrDev->text(), QStringLiteral("00"));
    QCOMPARE(w->ui.lbBdrDev->text(), QStringLiteral("115200"));
    QCOMPARE(w->ui.lbCfgDev->text(), QStringLiteral("8N1"));
    QCOMPARE(w->ui.sBoxStartAddr->maximum(), 254);
    QCOMPARE(w->ui.sBoxEndAddr->maximum(), 255);
    QCOMPARE(w->ui.sBoxStartAddr->value(), 0);
    QCOMPARE(w->ui.sBoxEndAddr->value(), 4);
    QCOMPARE(w->ui.progressBar->value(), 0);
    QTRY_VERIFY(w->ui.pBtnConect->isEnabled());
    QTRY_VERIFY(!w->ui.pBtnDisconect->isEnabled());
    QVERIFY(!w->ui.pBtnStartSrch->icon().isNull());
    QVERIFY(!w->windowIcon().isNull());
    // A first run writes the defaults into the store; with no port listed, COM1.
    QCOMPARE(w->searchSettings().portName, QStringLiteral("COM1"));
    QCOMPARE(w->searchSettings().timeOut, quint16(300));
}

void tst_mainwindow::startsWithoutTranslation()
{
    QTemporaryDir empty;
    const QString saved = QDir::currentPath();
    QVERIFY(QDir::setCurrent(empty.path()));
    cTranslations::install(*qApp);
    QDir::setCurrent(saved);
    windowFixture f;
    mainClass *w = f.open();
    QCOMPARE(w->ui.lbCurrStatus->text(), QStringLiteral("Waiting for action"));
    QCOMPARE(w->ui.actionSrchSettings->text(), QStringLiteral("Search Settings"));
    qDeleteAll(qApp->findChildren<QTranslator *>());
}

// The program itself, started where no translation lies, comes up and stays.
void tst_mainwindow::programStartsWithoutTranslation()
{
    QTemporaryDir empty;
    windowFixture f; // stored settings: a first run would list the system's ports
    f.storeSettings(busSettings());
    QProcess program;
    program.setWorkingDirectory(empty.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), f.storePath());
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(ZT_PROGRAM), QStringList());
    QVERIFY(program.waitForStarted(10000));
    QVERIFY(!program.waitForFinished(1500));
    QCOMPARE(program.state(), QProcess::Running);
    program.kill();
    program.waitForFinished(10000);
}

void tst_mainwindow::tableSetUp()
{
    windowFixture f;
    mainClass *w = f.open();
    QTableWidget *t = w->ui.tblScan;
    QCOMPARE(t->columnCount(), 7);
    const QStringList headers = {QStringLiteral("№"), "Address", "Device", "Variant", "Baud Rate",
                                 "Configuration", "Description"};
    for (int c = 0; c < 7; ++c)
        QCOMPARE(t->horizontalHeaderItem(c)->text(), headers[c]);
    // The layout's table is 830 wide: "№" 30, "Description" 250, 100 each between.
    QCOMPARE(t->columnWidth(0), 30);
    for (int c = 1; c < 6; ++c)
        QCOMPARE(t->columnWidth(c), 100);
    QVERIFY(!t->verticalHeader()->isVisible());
    QCOMPARE(t->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(t->editTriggers(), QAbstractItemView::NoEditTriggers);
}

void tst_mainwindow::menus()
{
    windowFixture f;
    mainClass *w = f.open();
    QStringList titles;
    QStringList entries;
    for (QAction *menu : w->menuBar()->actions()) {
        titles << menu->text();
        for (QAction *a : menu->menu()->actions())
            entries << a->text();
    }
    QCOMPARE(titles, QStringList({"&File", "&Settings", "&Help"}));
    QCOMPARE(entries, QStringList({"Save Found Modules...", "Service Report...", "Bus Traffic...", "",
                                   "Save Configurations of Selected Modules...",
                                   "Apply Configuration File to Selected Modules...", "", "Exit",
                                   "Search Settings", "&Language", "Help", "About"}));
}

void tst_mainwindow::portButtonsFollowPort()
{
    windowFixture f;
    f.storeSettings(busSettings());
    mainClass *w = f.open();
    QTRY_VERIFY(w->ui.pBtnConect->isEnabled());
    QTest::mouseClick(w->ui.pBtnConect, Qt::LeftButton);
    QVERIFY(w->worker()->isPortOpen());
    QTRY_VERIFY(!w->ui.pBtnConect->isEnabled());
    QTRY_VERIFY(w->ui.pBtnDisconect->isEnabled());
    QTest::mouseClick(w->ui.pBtnDisconect, Qt::LeftButton);
    QVERIFY(!w->worker()->isPortOpen());
    QTRY_VERIFY(w->ui.pBtnConect->isEnabled());
    QTRY_VERIFY(!w->ui.pBtnDisconect->isEnabled());
    f.shut();
}

void tst_mainwindow::openFailureSaysWhy_data()
{
    QTest::addColumn<int>("holdBy"); // 1 another program, 2 a copy of ours through a link, 3 nobody listens
    QTest::addColumn<QString>("text");
    QTest::newRow("held by another program") << 1 << "The port %1 is busy with an external process";
    QTest::newRow("held by a copy of ours through a link") << 2 << "The port %1 is busy with an external process";
    QTest::newRow("no such device") << 0 << "The port %1 does not exist";
    QTest::newRow("no port chosen") << 0 << "No port is chosen. Choose the port of the bus in the search settings.";
    QTest::newRow("device server refused") << 3 << "The device server %1 refused the connection: nothing listens at that port";
}

void tst_mainwindow::openFailureSaysWhy()
{
    QFETCH(int, holdBy);
    QFETCH(QString, text);
    const bool held = holdBy == 1;
    const bool chosen = !text.startsWith(QLatin1String("No port"));
    const QString port = holdBy == 3 ? busEndpoint::refused()
        : holdBy                      ? m_bus.portPath()
        : chosen                      ? QStringLiteral("/dev/ttyZT-none")
                                      : QString();
    QTemporaryDir links;
    workerHarness copy;
    if (holdBy == 2) {
        QVERIFY(QFile::link(port, links.filePath(QStringLiteral("ttyBus"))));
        QVERIFY(copy.open(links.filePath(QStringLiteral("ttyBus")), 9600, 0));
    }
    QProcess holder;
    if (held) {
        holder.start(QStringLiteral(PORT_HOLDER), {port});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));
    }
    windowFixture f;
    f.storeSettings(searchSettings(port, {4}, {0}, 50));
    mainClass *w = f.open();
    boxAnswerer answers;
    // Every try says it again, from either button.
    const QList<QPushButton *> tries = {w->ui.pBtnConect, w->ui.pBtnStartSrch, w->ui.pBtnConect,
                                        w->ui.pBtnStartSrch, w->ui.pBtnStartSrch};
    for (QPushButton *button : tries)
        QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(answers.titles, QVector<QString>(tries.size(), QStringLiteral("Operation not posible")).toList());
    QCOMPARE(answers.texts, QVector<QString>(tries.size(), chosen ? text.arg(port) : text).toList());
    QCOMPARE(w->ui.pBtnStartSrch->isEnabled(), true);
    QVERIFY(!w->worker()->isPortOpen());
    QTRY_VERIFY(w->ui.pBtnConect->isEnabled());
    if (held) {
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(10000));
    }
}

// A worker still busy with something else has refused nothing: the message
// must not blame another program.
void tst_mainwindow::openWithoutAnswerIsNotBusy()
{
    windowFixture f;
    f.storeSettings(searchSettings(m_bus.portPath(), {4}, {0}, 50));
    mainClass *w = f.open();
    // Reached without a capture: the worker's thread then reads nothing the
    // test thread wrote but through Qt's own hand-over.
    static QSemaphore gate;
    QMetaObject::invokeMethod(w->worker(), [] { gate.acquire(); }, Qt::QueuedConnection);
    boxAnswerer answers;
    QTest::mouseClick(w->ui.pBtnConect, Qt::LeftButton);
    gate.release();
    QCOMPARE(answers.texts, QStringList({QStringLiteral("The port %1 did not open in time. Try again in a "
                                                        "moment.").arg(m_bus.portPath())}));
    QTRY_VERIFY(w->worker()->isPortOpen());
    f.shut();
}

void tst_mainwindow::aboutText()
{
    windowFixture f;
    mainClass *w = f.open();
    boxAnswerer answers;
    w->ui.actionAbout->trigger();
    QCOMPARE(answers.titles, QStringList({"About zt programm"}));
    QCOMPARE(answers.texts.first(),
             QStringLiteral("Version 2.01.02FV  from Mar 30 2022\n\nThis program build with Qt "
                            "library, that using under the GNU LGPL version 2.1"));
}

void tst_mainwindow::closeCancelKeepsWindowAndPort_data()
{
    QTest::addColumn<bool>("viaExit");
    QTest::newRow("title bar") << false;
    QTest::newRow("File/Exit") << true;
}

void tst_mainwindow::closeCancelKeepsWindowAndPort()
{
    QFETCH(bool, viaExit);
    windowFixture f;
    f.storeSettings(busSettings());
    mainClass *w = f.open();
    QTest::mouseClick(w->ui.pBtnConect, Qt::LeftButton);
    QVERIFY(w->worker()->isPortOpen());
    {
        boxAnswerer answers({QStringLiteral("Cancel")});
        if (viaExit)
            w->ui.actionExit->trigger();
        else
            w->close();
        QCOMPARE(answers.titles, QStringList({"Warning"}));
        QCOMPARE(answers.texts, QStringList({"Are you sure?"}));
    }
    QVERIFY(w->isVisible());
    QVERIFY(w->worker()->isPortOpen());
    f.shut();
}

void tst_mainwindow::closeYesClosesPortBeforeWindow()
{
    windowFixture f;
    f.storeSettings(busSettings());
    mainClass *w = f.open();
    QTest::mouseClick(w->ui.pBtnConect, Qt::LeftButton);
    QVERIFY(w->worker()->isPortOpen());
    hideWatcher watcher(w);
    boxAnswerer answers({QStringLiteral("Yes")});
    QVERIFY(w->close());
    QVERIFY(watcher.hidden);
    QVERIFY(!watcher.portOpenAtHide);
}

void tst_mainwindow::closeDuringSearchEndsItFirst()
{
    windowFixture f;
    f.storeSettings(busSettings());
    mainClass *w = f.open();
    w->ui.sBoxStartAddr->setValue(100);
    w->ui.sBoxEndAddr->setValue(200);
    QTest::mouseClick(w->ui.pBtnStartSrch, Qt::LeftButton);
    QVERIFY(w->isSearchRunning());
    QTRY_VERIFY(w->ui.progressBar->value() >= 101);
    hideWatcher watcher(w);
    boxAnswerer answers({QStringLiteral("Yes")});
    QVERIFY(w->close());
    QVERIFY(!w->isSearchRunning());
    QVERIFY(watcher.hidden);
    QVERIFY(!watcher.portOpenAtHide);
    QCOMPARE(answers.texts, QStringList({"Are you sure?"}));
}

QTEST_MAIN(tst_mainwindow)
#include "tst_mainwindow.moc"
