#ifndef HELDCONFIG_H
#define HELDCONFIG_H

#include "cModuleConfig.h"

class cSimModule;

// The module's configuration as it holds it, without asking over the line.
cModuleConfig heldConfig(const cSimModule *module);

#endif
