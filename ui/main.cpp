#include "display/view.h"
#include "display/window.h"
#include "platform/key_read.h"
#include "platform/process.h"
#include "sim/gains.h"
#include "sim/settings.h"
#include "ui/dialog.h"

int main(int argc, char** argv) {
    openClosedStandardDescriptors();
    leaveConsoleCleanlyAtExit();
    setStartupSettings();
    computeGains();
    resetView();
    settingsDialog();
    setTerminalQuiet(true);
    return initWindow(&argc, argv);
}
