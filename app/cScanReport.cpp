#include "cScanReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cUart.h"
#include "lineTables.h"

namespace {

const char *const csvSuffix = ".csv";

QString searchedText(const QDateTime &searched)
{
    return searched.toString(Qt::ISODate);
}

// Quoted only where the text needs it.
QString csvField(QString text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

QString baudCell(const scan_return_t &module)
{
    return module.serverLine ? QLatin1String(cScanReport::serverLine) : lineTables::baudText(module.baudIndex);
}

QString formatCell(const scan_return_t &module)
{
    return module.serverLine ? QLatin1String(cScanReport::serverLine) : lineTables::formatText(module.formatIndex);
}

// A number, or the text where the device server sets the line.
QJsonValue baudJson(const scan_return_t &module)
{
    if (module.serverLine)
        return QJsonValue(QLatin1String(cScanReport::serverLine));
    const int baud = lineTables::baudText(module.baudIndex).toInt();
    return baud > 0 ? QJsonValue(baud) : QJsonValue();
}

} // namespace

QStringList cScanReport::columns()
{
    return {QStringLiteral("address"), QStringLiteral("device"), QStringLiteral("variant"),
            QStringLiteral("baud"),    QStringLiteral("format"), QStringLiteral("description"),
            QStringLiteral("port"),    QStringLiteral("searched")};
}

// The same rule as the window's table: only variant 2 is the Pt100 build.
QString cScanReport::description(const scan_return_t &module)
{
    if (module.moduleType != cUart::moduleWithImage)
        return QString();
    return module.moduleVariant == 2 ? QStringLiteral("8:DI 8:DO 2:AI 5:AO 4:PT100 10:DS18B20")
                                     : QStringLiteral("8:DI 8:DO 2:AI 5:AO 4:PT1000 10:DS18B20");
}

QByteArray cScanReport::csv(const QList<scan_return_t> &modules, const QString &port, const QDateTime &searched)
{
    QByteArray text = "sep=,\n" + columns().join(QLatin1Char(',')).toUtf8() + '\n';
    for (const scan_return_t &module : modules) {
        const QStringList cells = {QString::number(module.address),
                                   QStringLiteral("VRD-%1").arg(module.moduleType),
                                   QStringLiteral("%1").arg(module.moduleVariant, 2, 10, QLatin1Char('0')),
                                   baudCell(module),
                                   formatCell(module),
                                   description(module),
                                   port,
                                   searchedText(searched)};
        QStringList fields;
        for (const QString &cell : cells)
            fields << csvField(cell);
        text += fields.join(QLatin1Char(',')).toUtf8() + '\n';
    }
    return text;
}

QByteArray cScanReport::json(const QList<scan_return_t> &modules, const QString &port, const QDateTime &searched)
{
    QJsonArray array;
    for (const scan_return_t &module : modules) {
        const QJsonValue values[] = {int(module.address),
                                     QStringLiteral("VRD-%1").arg(module.moduleType),
                                     int(module.moduleVariant),
                                     baudJson(module),
                                     formatCell(module),
                                     description(module),
                                     port,
                                     searchedText(searched)};
        QJsonObject object;
        const QStringList keys = columns();
        for (int i = 0; i < keys.size(); ++i)
            object.insert(keys[i], values[i]);
        array.append(object);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

QString cScanReport::csvFileName(const QString &path)
{
    return path.endsWith(QLatin1String(csvSuffix), Qt::CaseInsensitive) ? path : path + QLatin1String(csvSuffix);
}
