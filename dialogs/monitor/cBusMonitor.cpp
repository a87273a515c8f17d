#include "cBusMonitor.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextStream>

#include "cFrameDecoder.h"
#include "cUart.h"
#include "closeMessage.h"

namespace {

enum column_t { Time, Direction, Bytes, Text, Columns };

QString csvField(QString text)
{
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

} // namespace

cBusMonitor::cBusMonitor(cUart *worker, QWidget *parent)
    : QDialog(parent)
    , m_worker(worker)
{
    setWindowTitle(tr("Bus Traffic"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildLayout();
    connect(worker, &cUart::busFrameSignal, this, &cBusMonitor::addFrame);
    m_flushTimer.setInterval(200);
    connect(&m_flushTimer, &QTimer::timeout, this, &cBusMonitor::flush);
    m_flushTimer.start();
    m_worker->watchBus(true);
    resize(760, 420);
}

cBusMonitor::~cBusMonitor()
{
    m_worker->watchBus(false);
}

void cBusMonitor::buildLayout()
{
    m_table = new QTableWidget(0, Columns, this);
    m_table->setHorizontalHeaderLabels({tr("Time"), tr("Dir."), tr("Bytes"), tr("Meaning")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(Time, 90);
    m_table->setColumnWidth(Direction, 40);
    m_table->setColumnWidth(Bytes, 260);

    m_pause = new QCheckBox(tr("Pause"), this);
    m_address = new QSpinBox(this);
    m_address->setRange(0, 247);
    m_address->setSpecialValueText(tr("all"));
    auto *clearButton = new QPushButton(tr("Clear"), this);
    auto *saveButton = new QPushButton(tr("Save..."), this);
    connect(m_address, QOverload<int>::of(&QSpinBox::valueChanged), this, &cBusMonitor::applyFilter);
    connect(clearButton, &QPushButton::clicked, this, &cBusMonitor::clear);
    connect(saveButton, &QPushButton::clicked, this, &cBusMonitor::saveAs);

    auto *controls = new QHBoxLayout;
    controls->addWidget(m_pause);
    controls->addWidget(new QLabel(tr("Address:"), this));
    controls->addWidget(m_address);
    controls->addStretch();
    controls->addWidget(clearButton);
    controls->addWidget(saveButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(m_table);
}

void cBusMonitor::addFrame(busFrame_t frame)
{
    if (m_pause->isChecked())
        return;
    m_arrived << frame;
    if (m_arrived.size() > maxFrames)
        m_arrived.remove(0, m_arrived.size() - maxFrames);
}

void cBusMonitor::flush()
{
    if (m_arrived.isEmpty())
        return;
    m_table->setUpdatesEnabled(false);
    const int excess = m_table->rowCount() + m_arrived.size() - maxFrames;
    for (int i = 0; i < excess && m_table->rowCount() > 0; ++i)
        m_table->removeRow(0);
    for (const busFrame_t &frame : qAsConst(m_arrived))
        appendRow(frame);
    m_arrived.clear();
    m_table->setUpdatesEnabled(true);
    m_table->scrollToBottom();
}

void cBusMonitor::appendRow(const busFrame_t &frame)
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    const QString cells[Columns] = {
        QDateTime::fromMSecsSinceEpoch(frame.msecsSinceEpoch).toString(QStringLiteral("HH:mm:ss.zzz")),
        frame.sent ? QStringLiteral(">>") : QStringLiteral("<<"),
        cFrameDecoder::hex(frame.bytes),
        frame.text,
    };
    for (int c = 0; c < Columns; ++c)
        m_table->setItem(row, c, new QTableWidgetItem(cells[c]));
    m_table->item(row, Time)->setData(Qt::UserRole, frame.address);
    m_table->setRowHidden(row, !rowShown(row));
}

void cBusMonitor::clear()
{
    m_arrived.clear();
    m_table->setRowCount(0);
}

bool cBusMonitor::rowShown(int row) const
{
    const int wanted = m_address->value();
    return wanted == 0 || m_table->item(row, Time)->data(Qt::UserRole).toInt() == wanted;
}

void cBusMonitor::applyFilter()
{
    for (int row = 0; row < m_table->rowCount(); ++row)
        m_table->setRowHidden(row, !rowShown(row));
}

bool cBusMonitor::saveShown(const QString &path) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    const bool csv = path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
    QTextStream out(&file);
    out.setCodec("UTF-8");
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (m_table->isRowHidden(row))
            continue;
        QStringList cells;
        for (int c = 0; c < Columns; ++c)
            cells << (csv ? csvField(m_table->item(row, c)->text()) : m_table->item(row, c)->text());
        out << cells.join(csv ? QStringLiteral(",") : QStringLiteral("\t")) << '\n';
    }
    return out.status() == QTextStream::Ok && file.flush();
}

void cBusMonitor::saveAs()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Save Bus Traffic"), QString(),
                                                      tr("CSV (*.csv);;Text (*.txt)"));
    if (!path.isEmpty() && !saveShown(path))
        showCloseMessage(this, QMessageBox::Critical, tr("Bus Traffic"),
                         tr("The file %1 cannot be written.").arg(path), tr("Close"));
}
