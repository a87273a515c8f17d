// Time per request, fn 3 reads of 1 and 10 registers, from our worker over a
// pseudo-terminal, RTU over TCP and ModBus TCP to loopback, and from mbpoll
// over the pseudo-terminal and ModBus TCP, all against the same unpaced
// simulated module at 115200 8N1, timed alike: (T(N) - T(1)) / (N - 1).

#include <QCoreApplication>
#include <cstdio>

#include "benchSpread.h"
#include "benchTable.h"
#include "benchWorker.h"
#include "cSimBus.h"
#include "cSimTcpServer.h"
#include "mbpollRunner.h"

namespace {

constexpr qint32 baud = 115200;
constexpr quint8 moduleAddress = 1;
constexpr quint16 startReg = 1582;
constexpr quint16 timeoutMs = 500;
constexpr int runs = 3;
constexpr int oursRequests = 200;
constexpr int mbpollPolls = 5000;
const quint16 counts[] = {1, 10};
enum path_t { Pty, RtuTcp, ModbusTcp, pathCount };
const char *const pathNames[pathCount] = {"pty", "rtu+tcp", "tcp"};
const QList<int> widths = {9, 18, 18, 18, 18, 18, 16, 16, 17};

struct row_t
{
    quint16 count = 0;
    benchSpread ours[pathCount];
    benchSpread mbpoll[pathCount]; // no RTU over TCP in mbpoll
};

bool measureOurs(path_t path, const QString &port, QList<row_t> &rows)
{
    benchWorker worker;
    if (!worker.open(port, baud, timeoutMs))
        return false;
    for (row_t &row : rows) {
        const query_info_t query = benchWorker::readQuery(moduleAddress, startReg, row.count);
        row.ours[path] = benchSpread::of(runs, [&] { return worker.msPerRequest(query, oursRequests, 1); });
    }
    worker.close();
    return true;
}

void measureMbpoll(path_t path, const QString &port, QList<row_t> &rows)
{
    const QString program = mbpollRunner::find();
    if (program.isEmpty())
        return;
    const mbpollRunner runner(program, port, baud, moduleAddress);
    std::printf("mbpoll over %s: %s\n", pathNames[path], qPrintable(runner.commandLine(startReg, 1, 1)));
    for (row_t &row : rows)
        row.mbpoll[path] = benchSpread::of(runs, [&] { return runner.msPerPoll(startReg, row.count, mbpollPolls, 1); });
}

QString ratio(const benchSpread &a, const benchSpread &b)
{
    return a.relativeTo(b).text(2);
}

void printTable(const QList<row_t> &rows)
{
    std::printf("\nfn 3 reads, %d 8N1 on the pty, unpaced simulated module (each module at its own line\n"
                "behind the loopback device server); ms per request = (T(N) - T(1)) / (N - 1),\n"
                "N = %d ours, %d mbpoll; min/median/max of %d runs; ratios: each run over the median of the "
                "divisor\n",
                int(baud), oursRequests, mbpollPolls, runs);
    benchTable::printRow({"registers", "ours pty", "ours rtu", "ours tcp", "mbpoll pty", "mbpoll tcp",
                          "rtu+tcp/pty", "tcp/pty", "ours/mbpoll tcp"},
                         widths);
    for (const row_t &row : rows)
        benchTable::printRow({QString::number(row.count), row.ours[Pty].text(3), row.ours[RtuTcp].text(3),
                              row.ours[ModbusTcp].text(3), row.mbpoll[Pty].text(3), row.mbpoll[ModbusTcp].text(3),
                              ratio(row.ours[RtuTcp], row.ours[Pty]), ratio(row.ours[ModbusTcp], row.ours[Pty]),
                              ratio(row.ours[ModbusTcp], row.mbpoll[ModbusTcp])},
                             widths);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchTable::printLoad("before");
    cSimBus bus;
    cSimTcpServer rtuTcp(bus);
    cSimTcpServer modbusTcp(bus);
    QString error;
    if (!bus.start(&error) || !rtuTcp.start(cSimTcpServer::RtuOverTcp, false, 0, &error)
        || !modbusTcp.start(cSimTcpServer::ModbusTcp, false, 0, &error)) {
        std::fprintf(stderr, "simulated bus: %s\n", qPrintable(error));
        return 1;
    }
    bus.addModule(moduleAddress, baud, 0);
    const QString ports[pathCount] = {bus.portPath(), rtuTcp.endpoint(), modbusTcp.endpoint()};
    QList<row_t> rows;
    for (quint16 count : counts) {
        rows.append(row_t());
        rows.last().count = count;
    }
    for (int path = 0; path < pathCount; ++path) {
        if (!measureOurs(path_t(path), ports[path], rows)) {
            std::fprintf(stderr, "could not open %s\n", qPrintable(ports[path]));
            return 1;
        }
    }
    measureMbpoll(Pty, ports[Pty], rows);
    measureMbpoll(ModbusTcp, ports[ModbusTcp], rows);
    printTable(rows);
    benchTable::printLoad("after");
    return 0;
}
