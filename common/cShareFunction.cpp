#include "cShareFunction.h"

#include <QColor>
#include <QComboBox>
#include <QProgressDialog>
#include <QTableWidget>
#include <QThread>

#include "mTableWidgetItem.h"

namespace {

// Combo-box order of the module's baud rates.
const qint32 baudRates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
constexpr int baudCount = int(sizeof(baudRates) / sizeof(baudRates[0]));

struct portFormat
{
    quint8 parity;   // 0 none, 1 odd, 2 even
    quint8 stopBits; // number of stop bits
};

// Combo-box order of the module's frame formats.
const portFormat portFormats[] = {{0, 1}, {0, 2}, {2, 1}, {1, 1}};
constexpr int portFormatCount = int(sizeof(portFormats) / sizeof(portFormats[0]));

const tableInfo_t *findTable(const QTableWidget *table, const QList<tableInfo_t> &tables)
{
    for (const tableInfo_t &info : tables) {
        if (info.table == table)
            return &info;
    }
    return nullptr;
}

QTableWidgetItem *makeItem(int column, const QString &text)
{
    QTableWidgetItem *item = column == 0 ? new mTableWidgetItem(text) : new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

void sizeColumns(const tableInfo_t &info)
{
    if (info.columnCount < 2)
        return;
    QTableWidget *table = info.table;
    // An always-on scroll bar takes room the columns must leave free.
    const int margin = table->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ? 10 : 4;
    const int width = (table->width() - table->columnWidth(0)) / (info.columnCount - 1) - margin;
    for (int column = 1; column < info.columnCount; ++column)
        table->setColumnWidth(column, width);
}

} // namespace

void cShareFunction::pauseMs(int ms)
{
    for (int pass = 0; pass < ms / 10; ++pass) {
        QThread::msleep(10);
        QCoreApplication::processEvents();
    }
}

void cShareFunction::paintComboRows(QComboBox *box)
{
    const QColor shade = QColor(Qt::green).lighter(180);
    for (int index = 1; index < box->count(); index += 2)
        box->setItemData(index, shade, Qt::BackgroundRole);
}

void cShareFunction::initTable(QTableWidget *table, const QList<tableInfo_t> &tables, bool selectFirstRow)
{
    const tableInfo_t *info = findTable(table, tables);
    if (!info)
        return;
    for (int row = 0; row < info->rowCount; ++row) {
        table->insertRow(row);
        for (int column = 0; column < info->columnCount; ++column) {
            const QString text = column == 0 ? info->rowLabels.value(row) : QStringLiteral("---");
            QTableWidgetItem *item = makeItem(column, text);
            table->setItem(row, column, item);
            // Selection needs the item to be in the table already.
            if (selectFirstRow && row == 0)
                item->setSelected(true);
        }
    }
    // Row labels stay whole in any language.
    const int written = table->columnWidth(0);
    table->resizeColumnToContents(0);
    table->setColumnWidth(0, qMax(written, table->columnWidth(0)));
    sizeColumns(*info);
}

void cShareFunction::setTableCell(QTableWidget *table, const QList<tableInfo_t> &tables, int row, int column,
                                  QString text)
{
    if (!findTable(table, tables))
        return;
    if (row < 0 || row > table->rowCount() - 1)
        return;
    if (column < 0 || column > table->columnCount() - 1)
        return;
    table->setItem(row, column, makeItem(column, text));
}

int cShareFunction::baudToIndex(int baud)
{
    for (int index = 0; index < baudCount; ++index) {
        if (baudRates[index] == baud)
            return index;
    }
    return baudCount - 1;
}

int cShareFunction::cfgPortToIndex(int parity, int twoStopBits)
{
    for (int index = 0; index < portFormatCount; ++index) {
        const portFormat &format = portFormats[index];
        if (format.parity == parity && format.stopBits == twoStopBits + 1)
            return index;
    }
    return 0;
}

int cShareFunction::byteOrderToIndex(int code)
{
    return code >= 0 && code <= 4 ? code : 1;
}

void cShareFunction::baudFromIndex(const QComboBox *box, qint32 &baud)
{
    const int index = box->currentIndex();
    if (index < 0 || index >= baudCount)
        return;
    baud = baudRates[index];
}

void cShareFunction::cfgPortFromIndex(const QComboBox *box, quint8 &parity, quint8 &stopBits)
{
    const int index = box->currentIndex();
    if (index < 0 || index >= portFormatCount)
        return;
    parity = portFormats[index].parity;
    stopBits = portFormats[index].stopBits;
}

QStringList cShareFunction::byteOrderList()
{
    return {QStringLiteral("3-2-1-0"), QStringLiteral("0-1-2-3"), QStringLiteral("1-0-3-2"),
            QStringLiteral("2-3-0-1")};
}

QStringList cShareFunction::parityList()
{
    return {tr("No"), tr("Odd"), tr("Even")};
}

QStringList cShareFunction::ptCalibrStatusList()
{
    return calibrStatusList();
}

QStringList cShareFunction::aiCalibrStatusList()
{
    return calibrStatusList();
}

QStringList cShareFunction::aoCalibrStatusList()
{
    return calibrStatusList();
}

QStringList cShareFunction::calibrStatusList()
{
    return {tr("To Progress"),
            tr("Save Error"),
            tr("Incorrect sequence of actions"),
            tr("Invalid Value"),
            tr("Calibration points are too close"),
            tr("Is Successful")};
}

void cShareFunction::showRestoreProgress(QWidget *parent, int seconds)
{
    QProgressDialog dialog(parent);
    dialog.setCancelButton(nullptr);
    dialog.setObjectName(QStringLiteral("ProgressDlg"));
    dialog.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    dialog.setLabelText(tr("Restore settings. Expect ..."));
    dialog.setRange(0, seconds);
    dialog.setAutoClose(true);
    dialog.setWindowTitle(tr("Progress"));
    dialog.open();
    // The value stops one step short of the maximum; destruction closes it.
    for (int pass = 0; pass < seconds * 100; ++pass) {
        QThread::msleep(10);
        QCoreApplication::processEvents();
        dialog.setValue(pass / 100);
    }
}
