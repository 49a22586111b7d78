#pragma once

#include "platform/Host.h"

namespace talvero {

/// Message boxes through QMessageBox, the file-open dialog through QFileDialog.
class QtHost final : public Host {
public:
    MessageAnswer ShowMessage(const MessageBoxRequest& request) override;
    std::optional<std::string> ChooseFileToOpen(const OpenFileRequest& request) override;
    void EndProgramNow() override;
};

}  // namespace talvero
