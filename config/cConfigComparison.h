#ifndef CCONFIGCOMPARISON_H
#define CCONFIGCOMPARISON_H

#include <QCoreApplication>
#include <QList>

#include "cModuleConfig.h"

// One row of a comparison: a parameter (or an identity line), the file's
// value and the module's.
struct configDiff_t
{
    configParam_t param; // key empty for the identity lines
    QString key;
    QString name;
    QString fileText;
    QString moduleText;
    bool differs = false;
};

// A file's configuration beside a module's, parameter by parameter.
class cConfigComparison
{
    Q_DECLARE_TR_FUNCTIONS(cConfigComparison)

public:
    enum match_t { SameKind, OtherVariant, OtherType };

    cConfigComparison(const cModuleConfig &file, const cModuleConfig &module);

    match_t match() const;
    // Why a file does not fit the module, for the user; empty when it fits.
    QString mismatchText() const;
    // Whether two configurations may share the parameter: the Pt channels
    // only between modules of one Pt build.
    bool shares(const configParam_t &param) const;
    QList<configDiff_t> rows() const { return m_rows; }
    // The parameters that differ, identity left out.
    QList<configDiff_t> differences() const;
    const cModuleConfig &file() const { return m_file; }
    const cModuleConfig &module() const { return m_module; }

private:
    cModuleConfig m_file;
    cModuleConfig m_module;
    QList<configDiff_t> m_rows;
};

#endif
