#ifndef CCONFIGFILE_H
#define CCONFIGFILE_H

#include <QByteArray>
#include <QCoreApplication>
#include <QJsonObject>
#include <QString>

#include "cModuleConfig.h"

// A module's configuration as a JSON file (docs/config-schema.md): written
// atomically, read whole or refused with the field and the reason.
class cConfigFile
{
    Q_DECLARE_TR_FUNCTIONS(cConfigFile)

public:
    static constexpr int schemaVersion = 1;
    static const char *const schemaName;

    static QByteArray toJson(const cModuleConfig &config);
    // False with *error naming the field and what is wrong with it.
    static bool fromJson(const QByteArray &json, cModuleConfig *config, QString *error);

    static bool save(const QString &path, const cModuleConfig &config, QString *error);
    static bool load(const QString &path, cModuleConfig *config, QString *error);
    // "addr005_VRD-3310_02.json": sorts by address, names the type and variant.
    static QString fileName(quint8 address, const cModuleConfig &config);

private:
    static bool readIdentity(const QJsonObject &root, cModuleConfig *config, QString *error);
    static bool readParam(const QJsonObject &root, const configParam_t &param, int wanted,
                          cModuleConfig *config, QString *error);
};

#endif
