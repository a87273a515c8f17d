#include <QtTest>

#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

#include "cConfigBatchDialog.h"
#include "cConfigFile.h"
#include "cConfigResultsDialog.h"
#include "cDlgVrd_3310.h"
#include "cSimBus.h"
#include "heldConfig.h"
#include "windowFixture.h"

namespace {

// Works through the modal windows as they come up, one step each, a step
// being done when it says so.
class modalScript : public QObject
{
public:
    using step_t = std::function<bool(QWidget *)>;
    explicit modalScript(QList<step_t> steps)
        : m_steps(std::move(steps))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && !m_steps.isEmpty() && m_steps.first()(modal))
                m_steps.removeFirst();
        });
        m_timer.start(20);
    }
    bool finished() const { return m_steps.isEmpty(); }

private:
    QList<step_t> m_steps;
    QTimer m_timer;
};

modalScript::step_t chooseFile(const QString &path)
{
    return [path](QWidget *modal) {
        auto *files = qobject_cast<QFileDialog *>(modal);
        if (!files)
            return false;
        files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
        QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
        return true;
    };
}

} // namespace

// The configuration actions in the module dialog and for the selected rows
// of the found-modules table, against simulated modules.
class tst_configdialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dialogAppliesAfterConfirm();
    void tableSavesAndAppliesSelected();

private:
    std::unique_ptr<cSimBus> m_bus;
    cSimModule *m_source = nullptr;
    cSimModule *m_module5 = nullptr;
    std::unique_ptr<windowFixture> m_fixture;
    mainClass *m_window = nullptr;
    QTemporaryDir m_dir;
    QString m_file;
};

void tst_configdialog::init()
{
    m_bus = std::make_unique<cSimBus>();
    QVERIFY(m_bus->start());
    m_module5 = m_bus->addModule(5, 115200, 0, 1);
    m_bus->addModule(6, 115200, 0, 1);
    m_source = m_bus->addModule(9, 115200, 0, 1);
    m_source->setReg(1585, 500);
    m_source->setReg(466, 2);
    m_file = m_dir.filePath(QStringLiteral("source.json"));
    QString error;
    QVERIFY(cConfigFile::save(m_file, heldConfig(m_source), &error));
    m_fixture = std::make_unique<windowFixture>();
    m_fixture->storeSettings(searchSettings(m_bus->portPath(), {0}, {0}, 100));
    m_window = m_fixture->open();
    for (quint16 address : {5, 6})
        m_window->addModuleToTableSlot(scan_return_t{address, 0, 0, 3310, 1, 0, 1});
}

void tst_configdialog::cleanup()
{
    m_fixture->shut();
    m_fixture.reset();
    m_bus.reset();
}

// A file from another module: the changes are listed, the module keeps its
// own address, and each write is checked.
void tst_configdialog::dialogAppliesAfterConfirm()
{
    QTest::mouseClick(m_window->ui.pBtnConect, Qt::LeftButton);
    cDlgVrd_3310 dialog(1, m_window, m_window);
    dialog.setModuleInfo(5, 3310);
    settingsUart_t line;
    line.portName = m_bus->portPath();
    line.replyTimeout = 100;
    dialog.setPortPrm(line, 0);
    dialog.show();
    QStringList seen;
    modalScript script({chooseFile(m_file), [&](QWidget *modal) {
                            auto *confirm = qobject_cast<cConfigResultsDialog *>(modal);
                            if (!confirm)
                                return false;
                            seen << confirm->ui.tblConfigRows->item(0, 0)->text()
                                 << QString::number(confirm->keepOwn());
                            confirm->accept();
                            return true;
                        },
                        [&](QWidget *modal) {
                            auto *results = qobject_cast<cConfigResultsDialog *>(modal);
                            if (!results)
                                return false;
                            seen << results->ui.lbConfigSummary->text();
                            results->accept();
                            return true;
                        }});
    dialog.findChild<QToolButton *>(QStringLiteral("pBtConfig_3110"))->menu()->actions().at(2)->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(script.finished(), 20000);
    QCOMPARE(seen, QStringList({"ModBus address", "1", "2 of 2 parameters written and checked."}));
    QCOMPARE(m_module5->reg(1585), quint16(500));
    QCOMPARE(m_module5->address(), quint8(5));
}

void tst_configdialog::tableSavesAndAppliesSelected()
{
    m_window->ui.tblScan->selectAll();
    QStringList results;
    const auto runBatch = [&](QWidget *modal) {
        auto *batch = qobject_cast<cConfigBatchDialog *>(modal);
        if (!batch)
            return false;
        if (batch->ui.pBtBatchStart->isEnabled()) {
            batch->ui.pBtBatchStart->click();
            return false;
        }
        if (!batch->ui.pBtBatchClose->isEnabled())
            return false;
        for (int r = 0; r < batch->ui.tblBatchResults->rowCount(); ++r)
            results << batch->ui.tblBatchResults->item(r, 2)->text();
        batch->ui.pBtBatchClose->click();
        return true;
    };
    modalScript save({chooseFile(m_dir.path()), runBatch});
    cConfigBatchDialog::saveSelected(m_window);
    QTRY_VERIFY_WITH_TIMEOUT(save.finished(), 20000);
    modalScript apply({chooseFile(m_file), runBatch});
    cConfigBatchDialog::applyToSelected(m_window);
    QTRY_VERIFY_WITH_TIMEOUT(apply.finished(), 20000);
    const QString folder = QDir::toNativeSeparators(m_dir.path());
    QCOMPARE(results, QStringList({"saved to " + folder + "/addr005_VRD-3310_01.json",
                                   "saved to " + folder + "/addr006_VRD-3310_01.json",
                                   "2 parameter(s) written and checked", "2 parameter(s) written and checked"}));
    QCOMPARE(m_module5->reg(466), quint16(2));
    QCOMPARE(m_module5->address(), quint8(5));
}

QTEST_MAIN(tst_configdialog)
#include "tst_configdialog.moc"
