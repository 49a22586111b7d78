#pragma once

#include "help/HelpWindow.h"

namespace talvero {

/// Which keys stand for the CD32 joypad's buttons in the joypad emulation.
class frmHelp1 : public HelpWindow {
    Q_OBJECT

public:
    frmHelp1();
    static QString HelpText();
};

}  // namespace talvero
