#include "cGuiModule.h"
#include "cHeadlessScan.h"

int main(int argc, char *argv[])
{
    // The command-line search runs without a display, and without Qt Gui.
    if (cHeadlessScan::requested(argc, argv))
        return cHeadlessScan::run(argc, argv);
    return cGuiModule::run(cGuiModule::window, argc, argv, 1);
}
