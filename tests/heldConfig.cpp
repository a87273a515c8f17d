#include "heldConfig.h"

#include "cSimModule.h"

cModuleConfig heldConfig(const cSimModule *module)
{
    cModuleConfig config;
    for (const configBlock_t &b : cModuleConfig::readBlocks()) {
        QVector<quint16> values;
        for (quint16 r = b.startReg; r < b.startReg + b.count; ++r)
            values << (b.function == 4 ? module->inputReg(r) : module->reg(r));
        config.takeRead(b, values);
    }
    return config;
}
