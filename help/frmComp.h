#pragma once

#include "help/HelpWindow.h"

namespace talvero {

/// The compatibility chart: for each game, joypad emulation, save data, and a note.
class frmComp : public HelpWindow {
    Q_OBJECT

public:
    frmComp();
};

}  // namespace talvero
