#include "cBusMonitor.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextStream>

#include "cFrameDecoder.h"
#include "cLinkStatsLabel.h"
#include "cTrafficTable.h"
#include "cUart.h"
#include "closeMessage.h"
#include "qtCompat.h"

namespace {

enum itemData_t { AddressRole = Qt::UserRole, PortRole, LineRole, WhenRole };

QString csvField(QString text)
{
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

QString milliseconds(qint64 ns)
{
    return ns < 0 ? QString() : QString::number(double(ns) / 1e6, 'f', 1);
}

// What a typical frame needs, so that the first rows fit without a jump.
const char *const sampleTime = "00:00:00.000";
const char *const sampleGap = "0000.0";
const char *const sampleBytes = "05 03 06 2E 00 02 A5 0E 05 03 06 2E 00";

QString sampleMeaning()
{
    return QCoreApplication::translate("cFrameDecoder", "address %1, function %2").arg(247).arg(16)
        + QCoreApplication::translate("cFrameDecoder", ", register %1, count %2").arg(1582).arg(10);
}

} // namespace

cBusMonitor::cBusMonitor(cUart *worker, QWidget *parent)
    : QDialog(parent)
    , m_worker(worker)
{
    setWindowTitle(tr("Bus Traffic"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildLayout();
    connect(worker, &cUart::busFramesSignal, this, &cBusMonitor::addFrames);
    connect(worker, &cUart::linkStatsSignal, m_linkStats, &cLinkStatsLabel::setStats);
    m_flushTimer.setInterval(200);
    connect(&m_flushTimer, &QTimer::timeout, this, &cBusMonitor::flush);
    m_flushTimer.start();
    m_worker->watchBus(true);
}

cBusMonitor::~cBusMonitor()
{
    m_worker->watchBus(false);
}

QTableWidget *cBusMonitor::table() const
{
    return m_table;
}

void cBusMonitor::buildLayout()
{
    m_table = new cTrafficTable(0, Columns, this);
    m_table->setHorizontalHeaderLabels({tr("Time"), tr("Dir."), tr("Silence, ms"), tr("Reply after, ms"),
                                        tr("Meaning"), tr("Bytes")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    // One line per frame: columns widen to what they hold instead.
    m_table->setWordWrap(false);
    m_table->setTextElideMode(Qt::ElideNone);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    for (int c = 0; c < Columns; ++c)
        m_table->setColumnWidth(c, m_table->horizontalHeader()->sectionSizeHint(c));
    fitColumn(Time, QLatin1String(sampleTime));
    fitColumn(Silence, QLatin1String(sampleGap));
    fitColumn(AfterRequest, QLatin1String(sampleGap));
    fitColumn(Bytes, QLatin1String(sampleBytes));
    fitColumn(Text, sampleMeaning());

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
    m_linkStats = new cLinkStatsLabel(this);
    m_linkStats->setObjectName(QStringLiteral("lbLinkStats"));
    layout->addWidget(m_linkStats);

    int width = m_table->verticalScrollBar()->sizeHint().width() + 2 * m_table->frameWidth()
        + layout->contentsMargins().left() + layout->contentsMargins().right();
    for (int c = 0; c < Columns; ++c)
        width += m_table->columnWidth(c);
    resize(width, 420);
}

void cBusMonitor::fitColumn(int column, const QString &text)
{
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_table) + 1) + 4;
    const int needed = m_table->textWidth(text) + margin;
    if (needed > m_table->columnWidth(column))
        m_table->setColumnWidth(column, needed);
}

void cBusMonitor::addFrame(busFrame_t frame)
{
    if (frame.echoLength > 0)
        return splitEcho(frame);
    arrived_t arrived{frame};
    // The gaps follow the line even while nothing is shown.
    if (!frame.bytes.isEmpty()) {
        if (m_lastEndNs >= 0)
            arrived.silenceNs = qMax<qint64>(0, frame.startNs - m_lastEndNs);
        m_lastEndNs = frame.endNs;
    }
    if (frame.sent)
        m_requestEndNs = frame.endNs;
    else if (m_requestEndNs >= 0)
        arrived.afterRequestNs = qMax<qint64>(0, frame.endNs - m_requestEndNs);
    if (m_pause->isChecked())
        return;
    m_arrived << arrived;
    if (m_arrived.size() > maxFrames)
        m_arrived.remove(0, m_arrived.size() - maxFrames);
}

void cBusMonitor::addFrames(QVector<busFrame_t> frames)
{
    for (const busFrame_t &frame : qAsConst(frames))
        addFrame(frame);
}

// The adapter's echo of the request gets a row of its own, before the reply.
void cBusMonitor::splitEcho(busFrame_t frame)
{
    busFrame_t echo = frame;
    echo.bytes = frame.bytes.left(frame.echoLength);
    echo.echoLength = 0;
    echo.text = tr("echo of the request");
    echo.endNs = frame.startNs + (frame.endNs - frame.startNs) * echo.bytes.size() / frame.bytes.size();
    frame.bytes.remove(0, echo.bytes.size());
    frame.echoLength = 0;
    frame.startNs = echo.endNs;
    addFrame(echo);
    addFrame(frame);
}

// One model change for all the frames that came: each inserted row would
// have the view laid out and painted anew.
void cBusMonitor::flush()
{
    if (m_arrived.isEmpty())
        return;
    const int excess = qMin(m_table->rowCount(), m_table->rowCount() + m_arrived.size() - maxFrames);
    if (excess > 0)
        m_table->model()->removeRows(0, excess);
    int row = m_table->rowCount();
    m_table->setRowCount(row + m_arrived.size());
    for (const arrived_t &arrived : qAsConst(m_arrived))
        fillRow(row++, arrived);
    m_arrived.clear();
    m_table->scrollToBottom();
}

void cBusMonitor::fillRow(int row, const arrived_t &arrived)
{
    const busFrame_t &frame = arrived.frame;
    const QString cells[Columns] = {
        timeText(frame.msecsSinceEpoch),
        frame.sent ? QStringLiteral(">>") : QStringLiteral("<<"),
        milliseconds(arrived.silenceNs),
        milliseconds(arrived.afterRequestNs),
        frame.text,
        cFrameDecoder::hex(frame.bytes),
    };
    // Filled before they go in: a change to an item in the table repaints it.
    auto *first = new QTableWidgetItem(cells[Time]);
    first->setData(AddressRole, frame.address);
    first->setData(PortRole, frame.port);
    first->setData(LineRole, frame.line);
    first->setData(WhenRole, frame.msecsSinceEpoch);
    m_table->setItem(row, Time, first);
    fitColumn(Time, cells[Time]);
    for (int c = Time + 1; c < Columns; ++c) {
        auto *item = new QTableWidgetItem(cells[c]);
        if (c == Silence || c == AfterRequest)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_table->setItem(row, c, item);
        fitColumn(c, cells[c]);
    }
    if (!rowShown(row))
        m_table->setRowHidden(row, true);
}

// The local time of day to the millisecond; the conversion to local time is
// made once per second, not once per frame.
QString cBusMonitor::timeText(qint64 msecsSinceEpoch)
{
    const qint64 second = msecsSinceEpoch / 1000 - (msecsSinceEpoch % 1000 < 0);
    if (second != m_second || m_secondText.isEmpty()) {
        m_second = second;
        m_secondText = QDateTime::fromMSecsSinceEpoch(second * 1000).toString(QStringLiteral("HH:mm:ss."));
    }
    return m_secondText + QStringLiteral("%1").arg(msecsSinceEpoch - second * 1000, 3, 10, QLatin1Char('0'));
}

void cBusMonitor::clear()
{
    m_arrived.clear();
    m_table->setRowCount(0);
}

bool cBusMonitor::rowShown(int row) const
{
    const int wanted = m_address->value();
    return wanted == 0 || m_table->item(row, Time)->data(AddressRole).toInt() == wanted;
}

void cBusMonitor::applyFilter()
{
    for (int row = 0; row < m_table->rowCount(); ++row)
        m_table->setRowHidden(row, !rowShown(row));
}

// Where and when the rows were seen: the time column has no date, and a
// trace read later must say which line and which filter it shows.
QList<QStringList> cBusMonitor::preamble() const
{
    QStringList ports;
    QStringList lines;
    qint64 first = -1;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (m_table->isRowHidden(row))
            continue;
        const QTableWidgetItem *item = m_table->item(row, Time);
        if (first < 0)
            first = item->data(WhenRole).toLongLong();
        for (auto pair : {qMakePair(&ports, PortRole), qMakePair(&lines, LineRole)}) {
            const QString value = item->data(pair.second).toString();
            if (!value.isEmpty() && !pair.first->contains(value))
                *pair.first << value;
        }
    }
    const QDateTime date = first < 0 ? QDateTime::currentDateTime() : QDateTime::fromMSecsSinceEpoch(first);
    const int address = m_address->value();
    return {{tr("Date"), date.toString(QStringLiteral("yyyy-MM-dd"))},
            {tr("Port"), ports.join(QStringLiteral(", "))},
            {tr("Line"), lines.join(QStringLiteral(", "))},
            {tr("Filter"), address == 0 ? tr("all addresses") : tr("address %1").arg(address)}};
}

bool cBusMonitor::saveShown(const QString &path) const
{
    return write(path, path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive));
}

QString cBusMonitor::saveShownAs(QString path, const QString &filter) const
{
    const bool csv = filter.contains(QLatin1String("*.csv"));
    if (QFileInfo(path).suffix().isEmpty())
        path += csv ? QLatin1String(".csv") : QLatin1String(".txt");
    return write(path, csv) ? path : QString();
}

bool cBusMonitor::write(const QString &path, bool csv) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream out(&file);
    qtCompat::writeUtf8(out);
    // A spreadsheet takes a CSV without the mark for its local code page.
    out.setGenerateByteOrderMark(csv);
    const auto writeLine = [&out, csv](QStringList cells) {
        if (csv)
            for (QString &cell : cells)
                cell = csvField(cell);
        out << cells.join(csv ? QLatin1Char(',') : QLatin1Char('\t')) << '\n';
    };
    for (const QStringList &line : preamble())
        writeLine(line);
    QStringList header;
    for (int c = 0; c < Columns; ++c)
        header << m_table->horizontalHeaderItem(c)->text();
    writeLine(header);
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (m_table->isRowHidden(row))
            continue;
        QStringList cells;
        for (int c = 0; c < Columns; ++c)
            cells << m_table->item(row, c)->text();
        writeLine(cells);
    }
    return out.status() == QTextStream::Ok && file.flush();
}

void cBusMonitor::saveAs()
{
    QString filter;
    const QString path = QFileDialog::getSaveFileName(this, tr("Save Bus Traffic"), QString(),
                                                      tr("CSV (*.csv);;Text (*.txt)"), &filter);
    if (!path.isEmpty() && saveShownAs(path, filter).isEmpty())
        showCloseMessage(this, QMessageBox::Critical, tr("Bus Traffic"),
                         tr("The file %1 cannot be written.").arg(path), tr("Close"));
}
