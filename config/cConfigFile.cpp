#include "cConfigFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSaveFile>
#include <cmath>

const char *const cConfigFile::schemaName = "ztModBusUtility module configuration";

namespace {

constexpr qint32 configBauds[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
const char *const formats[] = {"8N1", "8O1", "8E1", nullptr, "8N2"}; // index: stop bit << 2 | parity
constexpr double highestVolts = 10.0;
constexpr int shortestFloat = 6;
constexpr int longestFloat = 9;

// Where a key such as "do[3].mode" lives: section "do", entry 3, field "mode".
struct keyPath_t
{
    QString section;
    int index = -1;
    QString field;
};

keyPath_t pathOf(const QString &key)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\w+)(?:\\[(\\d+)\\])?\\.(\\w+)$"));
    const QRegularExpressionMatch m = pattern.match(key);
    keyPath_t path;
    path.section = m.captured(1);
    path.index = m.captured(2).isEmpty() ? -1 : m.captured(2).toInt();
    path.field = m.captured(3);
    return path;
}

// The shortest decimal that reads back as the same float: 2.5, not 2.5000000000.
double shortDecimal(float value)
{
    for (int digits = shortestFloat; digits < longestFloat; ++digits) {
        const double shorter = QString::number(double(value), 'g', digits).toDouble();
        if (float(shorter) == value)
            return shorter;
    }
    return double(value);
}

QJsonValue jsonValue(const cModuleConfig &config, const configParam_t &param)
{
    const quint64 v = config.value(param);
    switch (param.kind) {
    case configKind_t::Number:
        return qint64(v);
    case configKind_t::Baud:
        return configBauds[qMin<quint64>(v, 7)];
    case configKind_t::Format:
        return formats[v & 7] ? QString::fromLatin1(formats[v & 7]) : QJsonValue(qint64(v));
    case configKind_t::Choice:
        return v < quint64(param.names.size()) ? QJsonValue(param.names.at(int(v))) : QJsonValue(qint64(v));
    case configKind_t::Flag:
        return v != 0;
    case configKind_t::Volts:
        return shortDecimal(cModuleConfig::floatFromPattern(quint32(v)));
    case configKind_t::SensorId:
        return QStringLiteral("0x") + QString::number(v, 16).toUpper();
    }
    return QJsonValue();
}

bool fail(QString *error, const QString &field, const QString &reason)
{
    *error = QStringLiteral("%1: %2").arg(field, reason);
    return false;
}

QString shown(const QJsonValue &value)
{
    if (value.isString())
        return QLatin1Char('"') + value.toString() + QLatin1Char('"');
    return QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

bool isInteger(const QJsonValue &value)
{
    return value.isDouble() && std::floor(value.toDouble()) == value.toDouble();
}

} // namespace

QByteArray cConfigFile::toJson(const cModuleConfig &config)
{
    QJsonObject root;
    root.insert(QStringLiteral("schema"), QLatin1String(schemaName));
    root.insert(QStringLiteral("schemaVersion"), schemaVersion);
    root.insert(QStringLiteral("module"),
                QJsonObject{{QStringLiteral("type"), config.type()},
                            {QStringLiteral("variant"), config.variant()},
                            {QStringLiteral("firmware"), cModuleConfig::firmwareText(config.firmware())},
                            {QStringLiteral("firmwareDate"), config.firmwareDate().toString(Qt::ISODate)}});
    QMap<QString, QJsonObject> sections;
    QMap<QString, QList<QJsonObject>> lists;
    for (const configParam_t &p : cModuleConfig::parameters()) {
        if (!config.hasValue(p))
            continue;
        const keyPath_t path = pathOf(p.key);
        if (path.index < 0) {
            sections[path.section].insert(path.field, jsonValue(config, p));
            continue;
        }
        QList<QJsonObject> &entries = lists[path.section];
        while (entries.size() <= path.index)
            entries << QJsonObject();
        entries[path.index].insert(path.field, jsonValue(config, p));
    }
    for (auto it = sections.cbegin(); it != sections.cend(); ++it)
        root.insert(it.key(), it.value());
    for (auto it = lists.cbegin(); it != lists.cend(); ++it) {
        QJsonArray array;
        for (const QJsonObject &entry : it.value())
            array.append(entry);
        root.insert(it.key(), array);
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool cConfigFile::fromJson(const QByteArray &json, cModuleConfig *config, QString *error)
{
    if (json.trimmed().isEmpty())
        return fail(error, tr("file"), tr("the file is empty"));
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError)
        return fail(error, tr("file"), tr("not valid JSON at character %1 (%2); the file may be truncated")
                                           .arg(parse.offset)
                                           .arg(parse.errorString()));
    if (!document.isObject())
        return fail(error, tr("file"), tr("not a JSON object"));
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("schema")).toString() != QLatin1String(schemaName))
        return fail(error, QStringLiteral("schema"), tr("missing or not \"%1\": not a module configuration")
                                                         .arg(QLatin1String(schemaName)));
    const QJsonValue version = root.value(QStringLiteral("schemaVersion"));
    if (!isInteger(version) || version.toInt() < 1)
        return fail(error, QStringLiteral("schemaVersion"), tr("must be a whole number from 1"));
    if (version.toInt() > schemaVersion)
        return fail(error, QStringLiteral("schemaVersion"),
                    tr("%1 is newer than this program reads (%2): use a newer program")
                        .arg(version.toInt())
                        .arg(schemaVersion));
    cModuleConfig read;
    if (!readIdentity(root, &read, error))
        return false;
    const QList<configParam_t> params = cModuleConfig::parameters();
    QMap<QString, int> entries; // how many channels each list has
    for (const configParam_t &p : params) {
        const keyPath_t path = pathOf(p.key);
        entries[path.section] = qMax(entries.value(path.section), path.index + 1);
    }
    for (const configParam_t &p : params)
        if (!readParam(root, p, entries.value(pathOf(p.key).section), &read, error))
            return false;
    *config = read;
    return true;
}

bool cConfigFile::readIdentity(const QJsonObject &root, cModuleConfig *config, QString *error)
{
    const QJsonObject module = root.value(QStringLiteral("module")).toObject();
    const QJsonValue type = module.value(QStringLiteral("type"));
    const QJsonValue variant = module.value(QStringLiteral("variant"));
    if (!isInteger(type) || type.toInt() < 0 || type.toInt() > 0xFFFF)
        return fail(error, QStringLiteral("module.type"), tr("missing or not a module type number"));
    if (!isInteger(variant) || variant.toInt() < 0 || variant.toInt() > 0xFFFF)
        return fail(error, QStringLiteral("module.variant"), tr("missing or not a variant number"));
    quint16 firmware = 0;
    const QJsonValue firmwareText = module.value(QStringLiteral("firmware"));
    if (!firmwareText.isUndefined() && !cModuleConfig::firmwareFromText(firmwareText.toString(), &firmware))
        return fail(error, QStringLiteral("module.firmware"), tr("%1 is not a version such as \"2.05.09\"")
                                                                  .arg(shown(firmwareText)));
    const QDate date = QDate::fromString(module.value(QStringLiteral("firmwareDate")).toString(), Qt::ISODate);
    config->setIdentity(quint16(type.toInt()), quint16(variant.toInt()), firmware, date);
    return true;
}

bool cConfigFile::readParam(const QJsonObject &root, const configParam_t &param, int wanted,
                            cModuleConfig *config, QString *error)
{
    const keyPath_t path = pathOf(param.key);
    const QJsonValue section = root.value(path.section);
    QJsonObject holder = section.toObject();
    if (path.index >= 0) {
        const QJsonArray entries = section.toArray();
        if (!section.isArray() || entries.size() != wanted)
            return fail(error, path.section, tr("must be a list of %1 entries").arg(wanted));
        holder = entries.at(path.index).toObject();
    }
    const QJsonValue value = holder.value(path.field);
    if (value.isUndefined()) {
        if (param.scope == configScope_t::Program)
            return true;
        return fail(error, param.key, tr("missing"));
    }
    switch (param.kind) {
    case configKind_t::Number:
        if (!isInteger(value) || value.toDouble() < param.minimum || value.toDouble() > param.maximum)
            return fail(error, param.key, tr("%1 is not a whole number from %2 to %3")
                                              .arg(shown(value)).arg(param.minimum).arg(param.maximum));
        config->setValue(param, quint64(value.toInt()));
        return true;
    case configKind_t::Baud:
        for (int i = 0; i < 8; ++i)
            if (isInteger(value) && value.toInt() == configBauds[i]) {
                config->setValue(param, quint64(i));
                return true;
            }
        return fail(error, param.key, tr("%1 is not a baud rate the module has").arg(shown(value)));
    case configKind_t::Format:
        for (int i = 0; i < 5; ++i)
            if (formats[i] && value.toString() == QLatin1String(formats[i])) {
                config->setValue(param, quint64(i));
                return true;
            }
        return fail(error, param.key, tr("%1 is not one of \"8N1\", \"8N2\", \"8E1\", \"8O1\"").arg(shown(value)));
    case configKind_t::Choice:
        if (value.isString() && param.names.contains(value.toString())) {
            config->setValue(param, quint64(param.names.indexOf(value.toString())));
            return true;
        }
        if (isInteger(value) && value.toInt() >= 0 && value.toInt() <= param.maximum) {
            config->setValue(param, quint64(value.toInt()));
            return true;
        }
        return fail(error, param.key, tr("%1 is not one of \"%2\"").arg(shown(value), param.names.join(QStringLiteral("\", \""))));
    case configKind_t::Flag:
        if (!value.isBool())
            return fail(error, param.key, tr("%1 is not true or false").arg(shown(value)));
        config->setValue(param, value.toBool() ? 1 : 0);
        return true;
    case configKind_t::Volts:
        if (!value.isDouble() || value.toDouble() < 0 || value.toDouble() > highestVolts)
            return fail(error, param.key, tr("%1 is not a number of volts from 0 to 10").arg(shown(value)));
        config->setValue(param, cModuleConfig::patternFromFloat(float(value.toDouble())));
        return true;
    case configKind_t::SensorId: {
        static const QRegularExpression hex(QStringLiteral("^0x[0-9A-Fa-f]{1,16}$"));
        if (!value.isString() || !hex.match(value.toString()).hasMatch())
            return fail(error, param.key, tr("%1 is not \"0x\" and 1 to 16 hexadecimal digits").arg(shown(value)));
        config->setValue(param, value.toString().mid(2).toULongLong(nullptr, 16));
        return true;
    }
    }
    return true;
}

bool cConfigFile::save(const QString &path, const cModuleConfig &config, QString *error)
{
    QSaveFile file(path);
    const QByteArray json = toJson(config);
    if (file.open(QIODevice::WriteOnly) && file.write(json) == json.size() && file.commit())
        return true;
    *error = tr("%1 cannot be written: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
}

bool cConfigFile::load(const QString &path, cModuleConfig *config, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = tr("%1 cannot be read: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return fromJson(file.readAll(), config, error);
}

QString cConfigFile::fileName(quint8 address, const cModuleConfig &config)
{
    return QStringLiteral("addr%1_%2_%3.json")
        .arg(address, 3, 10, QLatin1Char('0'))
        .arg(config.typeText())
        .arg(config.variant(), 2, 10, QLatin1Char('0'));
}
