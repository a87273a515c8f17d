#include <QtTest>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QProgressDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include "cShareFunction.h"
#include "mTableWidgetItem.h"

namespace {

struct sampleRecord_t
{
    int channel = 0;
    QString name;
};

} // namespace

Q_DECLARE_METATYPE(sampleRecord_t)

// Table helpers, combo colouring, the pause, the conversions, the text lists
// and the restore progress window.
class tst_sharefunction : public QObject
{
    Q_OBJECT

private slots:
    void baudToIndex_data();
    void baudToIndex();
    void baudFromIndex_data();
    void baudFromIndex();
    void cfgPortToIndex_data();
    void cfgPortToIndex();
    void cfgPortFromIndex_data();
    void cfgPortFromIndex();
    void byteOrderToIndex_data();
    void byteOrderToIndex();
    void fromIndexRoundTrips();
    void textLists();
    void calibrStatusListsAgree();
    void paintComboRows_data();
    void paintComboRows();
    void pauseBelowTenReturnsAtOnce_data();
    void pauseBelowTenReturnsAtOnce();
    void pauseProcessesEvents();
    void initTableBuildsRows_data();
    void initTableBuildsRows();
    void initTableColumnWidths_data();
    void initTableColumnWidths();
    void initTableOneColumn();
    void initTableUnknownTable();
    void initTableFirstDescriptorWins();
    void setTableCellIgnores_data();
    void setTableCellIgnores();
    void setTableCellReplacesKeepingSelection();
    void itemRecordSurvivesClone();
    void restoreProgressZeroSeconds();
    void restoreProgressOneSecond();
};

namespace {

const QStringList labels = {QStringLiteral("DI 1"), QStringLiteral("DI 2"), QStringLiteral("DI 3")};

QComboBox *comboWithItems(QWidget *parent, int count)
{
    auto *box = new QComboBox(parent);
    for (int i = 0; i < count; ++i)
        box->addItem(QString::number(i));
    return box;
}

// A table as the layout makes it: columns but no rows.
QTableWidget *layoutTable(QWidget *parent, int columns)
{
    auto *table = new QTableWidget(parent);
    table->setColumnCount(columns);
    return table;
}

tableInfo_t describe(QTableWidget *table, int rows = 3, QStringList rowLabels = labels)
{
    tableInfo_t info;
    info.table = table;
    info.rowCount = rows;
    info.columnCount = table->columnCount();
    info.rowLabels = rowLabels;
    return info;
}

QStringList tableTexts(const QTableWidget *table)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column)
            texts << (table->item(row, column) ? table->item(row, column)->text() : QStringLiteral("<none>"));
    }
    return texts;
}

// Sees the progress window being shown even when it is gone before the
// caller gets control back.
class showWatcher : public QObject
{
public:
    QString shownName;
    Qt::WindowModality modality = Qt::NonModal;
    QWidget *parentOnShow = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = qobject_cast<QProgressDialog *>(watched);
        if (dialog && event->type() == QEvent::Show) {
            shownName = dialog->objectName();
            modality = dialog->windowModality();
            parentOnShow = dialog->parentWidget();
        }
        return false;
    }
};

} // namespace

void tst_sharefunction::baudToIndex_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("index");
    QTest::newRow("1200") << 1200 << 0;
    QTest::newRow("2400") << 2400 << 1;
    QTest::newRow("4800") << 4800 << 2;
    QTest::newRow("9600") << 9600 << 3;
    QTest::newRow("19200") << 19200 << 4;
    QTest::newRow("38400") << 38400 << 5;
    QTest::newRow("57600") << 57600 << 6;
    QTest::newRow("115200") << 115200 << 7;
    QTest::newRow("300 is any other") << 300 << 7;
    QTest::newRow("0 is any other") << 0 << 7;
}

void tst_sharefunction::baudToIndex()
{
    QFETCH(int, baud);
    QFETCH(int, index);
    QCOMPARE(cShareFunction::baudToIndex(baud), index);
}

void tst_sharefunction::baudFromIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("baud");
    const qint32 unchanged = 777;
    QTest::newRow("0") << 0 << 1200;
    QTest::newRow("1") << 1 << 2400;
    QTest::newRow("2") << 2 << 4800;
    QTest::newRow("3") << 3 << 9600;
    QTest::newRow("4") << 4 << 19200;
    QTest::newRow("5") << 5 << 38400;
    QTest::newRow("6") << 6 << 57600;
    QTest::newRow("7") << 7 << 115200;
    QTest::newRow("8 leaves it") << 8 << unchanged;
    QTest::newRow("9 leaves it") << 9 << unchanged;
    QTest::newRow("none leaves it") << -1 << unchanged;
}

void tst_sharefunction::baudFromIndex()
{
    QFETCH(int, index);
    QFETCH(int, baud);
    QComboBox box;
    for (int i = 0; i < 10; ++i)
        box.addItem(QString::number(i));
    box.setCurrentIndex(index);
    qint32 value = 777;
    cShareFunction::baudFromIndex(&box, value);
    QCOMPARE(value, baud);
}

void tst_sharefunction::cfgPortToIndex_data()
{
    QTest::addColumn<int>("parity");
    QTest::addColumn<int>("twoStopBits");
    QTest::addColumn<int>("index");
    QTest::newRow("none, one stop") << 0 << 0 << 0;
    QTest::newRow("none, two stop") << 0 << 1 << 1;
    QTest::newRow("even, one stop") << 2 << 0 << 2;
    QTest::newRow("odd, one stop") << 1 << 0 << 3;
    QTest::newRow("odd, two stop") << 1 << 1 << 0;
    QTest::newRow("even, two stop") << 2 << 1 << 0;
    QTest::newRow("parity 3") << 3 << 0 << 0;
    QTest::newRow("stop flag 2") << 0 << 2 << 0;
}

void tst_sharefunction::cfgPortToIndex()
{
    QFETCH(int, parity);
    QFETCH(int, twoStopBits);
    QFETCH(int, index);
    QCOMPARE(cShareFunction::cfgPortToIndex(parity, twoStopBits), index);
}

void tst_sharefunction::cfgPortFromIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("parity");
    QTest::addColumn<int>("stopBits");
    QTest::newRow("0") << 0 << 0 << 1;
    QTest::newRow("1") << 1 << 0 << 2;
    QTest::newRow("2") << 2 << 2 << 1;
    QTest::newRow("3") << 3 << 1 << 1;
    QTest::newRow("4 leaves them") << 4 << 9 << 8;
    QTest::newRow("none leaves them") << -1 << 9 << 8;
}

void tst_sharefunction::cfgPortFromIndex()
{
    QFETCH(int, index);
    QFETCH(int, parity);
    QFETCH(int, stopBits);
    QComboBox box;
    for (int i = 0; i < 5; ++i)
        box.addItem(QString::number(i));
    box.setCurrentIndex(index);
    quint8 parityValue = 9;
    quint8 stopValue = 8;
    cShareFunction::cfgPortFromIndex(&box, parityValue, stopValue);
    QCOMPARE(int(parityValue), parity);
    QCOMPARE(int(stopValue), stopBits);
}

void tst_sharefunction::byteOrderToIndex_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("index");
    for (int code = 0; code <= 4; ++code)
        QTest::addRow("code %d", code) << code << code;
    for (int code = 5; code <= 7; ++code)
        QTest::addRow("code %d", code) << code << 1;
}

void tst_sharefunction::byteOrderToIndex()
{
    QFETCH(int, code);
    QFETCH(int, index);
    QCOMPARE(cShareFunction::byteOrderToIndex(code), index);
}

// Loading a module's setting into a combo box and reading it back must give
// the same setting.
void tst_sharefunction::fromIndexRoundTrips()
{
    QComboBox box;
    for (int i = 0; i < 8; ++i)
        box.addItem(QString::number(i));
    for (int index = 0; index < 8; ++index) {
        box.setCurrentIndex(index);
        qint32 baud = 0;
        cShareFunction::baudFromIndex(&box, baud);
        QCOMPARE(cShareFunction::baudToIndex(baud), index);
    }
    for (int index = 0; index < 4; ++index) {
        box.setCurrentIndex(index);
        quint8 parity = 0;
        quint8 stopBits = 0;
        cShareFunction::cfgPortFromIndex(&box, parity, stopBits);
        QCOMPARE(cShareFunction::cfgPortToIndex(parity, stopBits - 1), index);
    }
}

void tst_sharefunction::textLists()
{
    QCOMPARE(cShareFunction::byteOrderList(),
             QStringList({"3-2-1-0", "0-1-2-3", "1-0-3-2", "2-3-0-1"}));
    QCOMPARE(cShareFunction::parityList(), QStringList({"No", "Odd", "Even"}));
    // The "Byte Order" cell names code 0 with the same text.
    QCOMPARE(cShareFunction::byteOrderList().at(cShareFunction::byteOrderToIndex(0)), QStringLiteral("3-2-1-0"));
}

void tst_sharefunction::calibrStatusListsAgree()
{
    const QStringList expected = {"To Progress", "Save Error", "Incorrect sequence of actions", "Invalid Value",
                                  "Calibration points are too close", "Is Successful"};
    QCOMPARE(cShareFunction::ptCalibrStatusList(), expected);
    QCOMPARE(cShareFunction::aiCalibrStatusList(), expected);
    QCOMPARE(cShareFunction::aoCalibrStatusList(), expected);
}

void tst_sharefunction::paintComboRows_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << 0;
    QTest::newRow("one") << 1;
    QTest::newRow("even count") << 4;
    QTest::newRow("odd count") << 7;
}

void tst_sharefunction::paintComboRows()
{
    QFETCH(int, count);
    QWidget owner;
    QComboBox *box = comboWithItems(&owner, count);
    cShareFunction::paintComboRows(box);
    QCOMPARE(box->count(), count);
    const QColor shade = QColor(Qt::green).lighter(180);
    for (int i = 0; i < count; ++i) {
        const QVariant background = box->itemData(i, Qt::BackgroundRole);
        if (i % 2 == 1)
            QCOMPARE(background.value<QColor>(), shade);
        else
            QVERIFY2(!background.isValid(), qPrintable(QString::number(i)));
    }
}

void tst_sharefunction::pauseBelowTenReturnsAtOnce_data()
{
    QTest::addColumn<int>("ms");
    QTest::newRow("0") << 0;
    QTest::newRow("5") << 5;
    QTest::newRow("9") << 9;
    QTest::newRow("negative") << -20;
}

void tst_sharefunction::pauseBelowTenReturnsAtOnce()
{
    QFETCH(int, ms);
    QObject context;
    bool delivered = false;
    QTimer::singleShot(0, &context, [&delivered] { delivered = true; });
    cShareFunction::pauseMs(ms);
    QVERIFY(!delivered);
}

void tst_sharefunction::pauseProcessesEvents()
{
    QObject context;
    bool delivered = false;
    QTimer::singleShot(0, &context, [&delivered] { delivered = true; });
    QElapsedTimer clock;
    clock.start();
    cShareFunction::pauseMs(300);
    QVERIFY(clock.elapsed() >= 300);
    QVERIFY(delivered);
}

void tst_sharefunction::initTableBuildsRows_data()
{
    QTest::addColumn<bool>("selectFirstRow");
    QTest::newRow("first row selected") << true;
    QTest::newRow("nothing selected") << false;
}

void tst_sharefunction::initTableBuildsRows()
{
    QFETCH(bool, selectFirstRow);
    QWidget owner;
    QTableWidget *table = layoutTable(&owner, 4);
    cShareFunction::initTable(table, {describe(table)}, selectFirstRow);

    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->columnCount(), 4);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            QTableWidgetItem *item = table->item(row, column);
            QVERIFY(item);
            QCOMPARE(item->text(), column == 0 ? labels.at(row) : QStringLiteral("---"));
            QCOMPARE(dynamic_cast<mTableWidgetItem *>(item) != nullptr, column == 0);
            QCOMPARE(item->type(), int(QTableWidgetItem::Type));
            QCOMPARE(item->textAlignment(), int(Qt::AlignCenter));
            QCOMPARE(item->isSelected(), selectFirstRow && row == 0);
        }
    }
}

void tst_sharefunction::initTableColumnWidths_data()
{
    QTest::addColumn<int>("policy");
    QTest::newRow("scroll bar always on") << int(Qt::ScrollBarAlwaysOn);
    QTest::newRow("scroll bar as needed") << int(Qt::ScrollBarAsNeeded);
    QTest::newRow("scroll bar always off") << int(Qt::ScrollBarAlwaysOff);
}

// The columns beside column 0 share the rest of the row equally and all stay
// in view: no horizontal scrolling, and not a quarter column left empty.
void tst_sharefunction::initTableColumnWidths()
{
    QFETCH(int, policy);
    QWidget owner;
    QTableWidget *table = layoutTable(&owner, 4);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarPolicy(policy));
    table->verticalHeader()->hide(); // as the dialog has its tables
    table->resize(410, 200);
    table->setColumnWidth(0, 100);
    cShareFunction::initTable(table, {describe(table)}, false);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    QCOMPARE(table->columnWidth(0), 100);
    const int room = table->viewport()->width() - 100;
    const int width = table->columnWidth(1);
    for (int column = 2; column < 4; ++column)
        QCOMPARE(table->columnWidth(column), width);
    QCOMPARE(table->horizontalScrollBar()->maximum(), 0);
    QVERIFY2(3 * width <= room && room - 3 * width < width / 4, qPrintable(QString::number(room)));
}

void tst_sharefunction::initTableOneColumn()
{
    QWidget owner;
    QTableWidget *table = layoutTable(&owner, 1);
    table->resize(410, 200);
    table->setColumnWidth(0, 123);
    cShareFunction::initTable(table, {describe(table)}, true);

    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(tableTexts(table), labels);
    QVERIFY(dynamic_cast<mTableWidgetItem *>(table->item(2, 0)));
    QCOMPARE(table->columnWidth(0), 123);
}

void tst_sharefunction::initTableUnknownTable()
{
    QWidget owner;
    QTableWidget *table = layoutTable(&owner, 3);
    QTableWidget *other = layoutTable(&owner, 3);
    cShareFunction::initTable(table, {describe(other)}, true);
    QCOMPARE(table->rowCount(), 0);
    QCOMPARE(other->rowCount(), 0);
}

void tst_sharefunction::initTableFirstDescriptorWins()
{
    QWidget owner;
    QTableWidget *table = layoutTable(&owner, 2);
    const QList<tableInfo_t> tables = {describe(table, 2, {"A", "B"}), describe(table, 3, labels)};
    cShareFunction::initTable(table, tables, false);
    QCOMPARE(tableTexts(table), QStringList({"A", "---", "B", "---"}));
}

void tst_sharefunction::setTableCellIgnores_data()
{
    QTest::addColumn<bool>("known");
    QTest::addColumn<bool>("withRows");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::newRow("table without descriptor") << false << true << 1 << 1;
    QTest::newRow("table without rows") << true << false << 0 << 0;
    QTest::newRow("row past the end") << true << true << 3 << 1;
    QTest::newRow("column past the end") << true << true << 1 << 4;
    QTest::newRow("negative row") << true << true << -1 << 1;
    QTest::newRow("negative column") << true << true << 1 << -1;
}

void tst_sharefunction::setTableCellIgnores()
{
    QFETCH(bool, known);
    QFETCH(bool, withRows);
    QFETCH(int, row);
    QFETCH(int, column);
    QWidget owner;
    QTableWidget *table = layoutTable(&owner, 4);
    QTableWidget *other = layoutTable(&owner, 4);
    if (withRows)
        cShareFunction::initTable(table, {describe(table)}, false);
    const QStringList before = tableTexts(table);
    const QList<tableInfo_t> tables = {describe(known ? table : other)};

    cShareFunction::setTableCell(table, tables, row, column, QStringLiteral("new"));

    QCOMPARE(tableTexts(table), before);
    QCOMPARE(table->rowCount(), before.size() / 4);
}

void tst_sharefunction::setTableCellReplacesKeepingSelection()
{
    QWidget owner;
    QTableWidget *table = layoutTable(&owner, 4);
    const QList<tableInfo_t> tables = {describe(table)};
    cShareFunction::initTable(table, tables, false);
    table->selectRow(1);
    const QTableWidgetItem *old = table->item(1, 2);

    cShareFunction::setTableCell(table, tables, 1, 2, QStringLiteral("42"));
    cShareFunction::setTableCell(table, tables, 1, 0, QStringLiteral("DI 2*"));

    QTableWidgetItem *cell = table->item(1, 2);
    QVERIFY(cell != old);
    QCOMPARE(cell->text(), QStringLiteral("42"));
    QCOMPARE(cell->textAlignment(), int(Qt::AlignCenter));
    QVERIFY(!dynamic_cast<mTableWidgetItem *>(cell));
    QVERIFY(cell->isSelected());
    QVERIFY(dynamic_cast<mTableWidgetItem *>(table->item(1, 0)));
    QCOMPARE(table->item(1, 0)->text(), QStringLiteral("DI 2*"));
    QVERIFY(table->item(1, 0)->isSelected());
    QCOMPARE(table->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(table->selectionModel()->selectedRows().first().row(), 1);
}

void tst_sharefunction::itemRecordSurvivesClone()
{
    mTableWidgetItem item(QStringLiteral("AI 2"));
    item.setRecord(sampleRecord_t{2, QStringLiteral("pressure")});
    std::unique_ptr<QTableWidgetItem> copy(item.clone());

    auto *typed = dynamic_cast<mTableWidgetItem *>(copy.get());
    QVERIFY(typed);
    QCOMPARE(typed->text(), QStringLiteral("AI 2"));
    QCOMPARE(typed->record<sampleRecord_t>().channel, 2);
    QCOMPARE(typed->record<sampleRecord_t>().name, QStringLiteral("pressure"));
    // Copied by value: changing the original leaves the clone alone.
    item.setRecord(sampleRecord_t{5, QString()});
    QCOMPARE(typed->record<sampleRecord_t>().channel, 2);
}

void tst_sharefunction::restoreProgressZeroSeconds()
{
    QWidget parent;
    parent.show();
    showWatcher watcher;
    qApp->installEventFilter(&watcher);
    QObject context;
    bool delivered = false;
    QTimer::singleShot(0, &context, [&delivered] { delivered = true; });

    cShareFunction::showRestoreProgress(&parent, 0);
    qApp->removeEventFilter(&watcher);

    QCOMPARE(watcher.shownName, QStringLiteral("ProgressDlg"));
    QCOMPARE(watcher.modality, Qt::WindowModal);
    QCOMPARE(watcher.parentOnShow, &parent);
    QVERIFY(!delivered);
    QVERIFY(!parent.findChild<QProgressDialog *>());
}

void tst_sharefunction::restoreProgressOneSecond()
{
    QWidget parent;
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));

    // Read while the call runs; asserted afterwards.
    QPointer<QProgressDialog> seen;
    const QWidget *dialog = nullptr;
    const QWidget *activeModal = nullptr;
    bool visible = false;
    bool modal = false;
    Qt::WindowModality modality = Qt::NonModal;
    Qt::WindowFlags flags;
    int cancelButtons = -1;
    QString label;
    QString title;
    int maximum = -1;
    QTimer::singleShot(0, &parent, [&] {
        seen = parent.findChild<QProgressDialog *>(QStringLiteral("ProgressDlg"));
        if (!seen)
            return;
        dialog = seen;
        activeModal = QApplication::activeModalWidget();
        visible = seen->isVisible();
        modal = seen->isModal();
        modality = seen->windowModality();
        flags = seen->windowFlags();
        cancelButtons = seen->findChildren<QPushButton *>().size();
        label = seen->labelText();
        title = seen->windowTitle();
        maximum = seen->maximum();
    });

    QElapsedTimer clock;
    clock.start();
    cShareFunction::showRestoreProgress(&parent, 1);
    QVERIFY(clock.elapsed() >= 1000);

    QVERIFY2(!label.isEmpty(), "the progress window was not found while the call ran");
    QCOMPARE(activeModal, dialog);
    QVERIFY(visible);
    QVERIFY(modal);
    QCOMPARE(modality, Qt::WindowModal);
    QCOMPARE(flags & (Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
             Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    QCOMPARE(cancelButtons, 0);
    QCOMPARE(label, QStringLiteral("Restore settings. Expect ..."));
    QCOMPARE(title, QStringLiteral("Progress"));
    QCOMPARE(maximum, 1);
    QVERIFY(seen.isNull());
    QVERIFY(!parent.findChild<QProgressDialog *>());
}

QTEST_MAIN(tst_sharefunction)
#include "tst_sharefunction.moc"
