#include "cScanReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cUart.h"
#include "lineTables.h"

QStringList cScanReport::columns()
{
    return {QStringLiteral("address"), QStringLiteral("device"), QStringLiteral("variant"),
            QStringLiteral("baud"), QStringLiteral("format"), QStringLiteral("description")};
}

QStringList cScanReport::cells(const scan_return_t &module)
{
    return {QString::number(module.address),
            QStringLiteral("VRD-%1").arg(module.moduleType),
            QStringLiteral("%1").arg(module.moduleVariant, 2, 10, QLatin1Char('0')),
            lineTables::baudText(module.baudIndex),
            lineTables::formatText(module.formatIndex),
            description(module)};
}

// The same rule as the window's table: only variant 2 is the Pt100 build.
QString cScanReport::description(const scan_return_t &module)
{
    if (module.moduleType != cUart::moduleWithImage)
        return QString();
    return module.moduleVariant == 2 ? QStringLiteral("8:DI 8:DO 2:AI 5:AO 4:PT100 10:DS18B20")
                                     : QStringLiteral("8:DI 8:DO 2:AI 5:AO 4:PT1000 10:DS18B20");
}

// No cell holds a comma or a quote, so none needs quoting.
QByteArray cScanReport::csv(const QList<scan_return_t> &modules)
{
    QByteArray text = columns().join(QLatin1Char(',')).toUtf8() + '\n';
    for (const scan_return_t &module : modules)
        text += cells(module).join(QLatin1Char(',')).toUtf8() + '\n';
    return text;
}

QByteArray cScanReport::json(const QList<scan_return_t> &modules)
{
    const QStringList keys = columns();
    QJsonArray array;
    for (const scan_return_t &module : modules) {
        const QStringList values = cells(module);
        QJsonObject object;
        for (int i = 0; i < keys.size(); ++i)
            object.insert(keys[i], values[i]);
        object.insert(keys.first(), int(module.address));
        array.append(object);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}
