#pragma once

#include "platform/Host.h"

namespace talvero {

/// Where messages go: a start from the command line also tells its caller on the error stream,
/// and without a display only there (a question then takes its default answer).
enum class MessageOutput { Boxes, BoxesAndErrorStream, ErrorStreamOnly };

/// Message boxes through QMessageBox, the file-open dialog through QFileDialog.
class QtHost final : public Host {
public:
    /// `endStatus` is the exit status EndProgramNow ends with.
    explicit QtHost(int endStatus = 0, MessageOutput output = MessageOutput::Boxes)
        : m_endStatus(endStatus), m_output(output)
    {}
    MessageAnswer ShowMessage(const MessageBoxRequest& request) override;
    std::optional<std::string> ChooseFileToOpen(const OpenFileRequest& request) override;
    void EndProgramNow() override;

private:
    int m_endStatus;
    MessageOutput m_output;
};

}  // namespace talvero
