#ifndef CCONFIGAPPLYPLAN_H
#define CCONFIGAPPLYPLAN_H

#include <QList>
#include <QVector>

#include "cConfigComparison.h"
#include "modbusTypes.h"

// One register block written with function 16 and the values it takes.
struct configWrite_t
{
    quint16 reg = 0;
    QVector<quint16> values;
};

// One write of an apply: the parameters it carries, its registers, and the
// blocks that show them again.
struct configStep_t
{
    QList<configParam_t> params;
    QList<configWrite_t> writes;
    QList<configBlock_t> readBack;
    // The address and line step: the module answers at its new place after it.
    bool movesModule = false;
};

// What an apply of a file writes to a module: only what differs, what
// belongs to every module first, the address and line settings last.
class cConfigApplyPlan
{
public:
    struct options_t
    {
        // A file of another variant: only the parameters both have.
        bool sharedOnly = false;
        // Address, line settings and sensor identifiers stay as the module has them.
        bool keepOwn = false;
    };

    cConfigApplyPlan() = default;
    cConfigApplyPlan(const cConfigComparison &comparison, const options_t &options);

    QList<configStep_t> steps() const { return m_steps; }
    bool isEmpty() const { return m_steps.isEmpty() && m_program.isEmpty(); }
    // Every parameter to change, with the module's and the file's value.
    QList<configDiff_t> changes() const { return m_changes; }
    // Settings of this program's dialog that differ (safe reset): no write.
    QList<configDiff_t> programChanges() const { return m_program; }
    const cModuleConfig &target() const { return m_target; }

    // Where a module answers after the step that moves it.
    static quint8 addressAfter(const cModuleConfig &config);
    static settingsUart_t lineAfter(const cModuleConfig &config, settingsUart_t line);

private:
    void addStep(const QList<configParam_t> &params, const cModuleConfig &module);
    void addLineStep(const QList<configParam_t> &params, const cModuleConfig &module);

    QList<configStep_t> m_steps;
    QList<configDiff_t> m_changes;
    QList<configDiff_t> m_program;
    cModuleConfig m_target; // the module's configuration as the plan leaves it
};

#endif
