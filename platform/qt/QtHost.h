#pragma once

#include "platform/Host.h"

namespace talvero {

/// Message boxes through QMessageBox, the file-open dialog through QFileDialog.
class QtHost final : public Host {
public:
    /// `endStatus` is the exit status EndProgramNow ends with.
    explicit QtHost(int endStatus = 0) : m_endStatus(endStatus) {}
    MessageAnswer ShowMessage(const MessageBoxRequest& request) override;
    std::optional<std::string> ChooseFileToOpen(const OpenFileRequest& request) override;
    void EndProgramNow() override;

private:
    int m_endStatus;
};

}  // namespace talvero
