#pragma once

#include "platform/Host.h"

#include <deque>
#include <string>
#include <vector>

namespace talvero::test {

/// A host for tests: records every message box, answers questions and file dialogs as scripted,
/// and counts requests to end the program. A question or file dialog that no test scripted fails
/// the test, and so does a message box that the test never looked at.
class ScriptedHost final : public Host {
public:
    ScriptedHost() { SetHost(this); }
    ~ScriptedHost() override;

    MessageAnswer ShowMessage(const MessageBoxRequest& request) override;
    std::optional<std::string> ChooseFileToOpen(const OpenFileRequest& request) override;
    void EndProgramNow() override { ++endProgramRequests; }

    void AnswerNextQuestion(MessageAnswer answer) { m_answers.push_back(answer); }
    void ChooseNextFile(std::optional<std::string> path) { m_files.push_back(std::move(path)); }
    /// The next message box with a check box is left with it ticked.
    void TickNextCheckBox() { m_tickNextCheckBox = true; }

    /// The oldest message not yet taken; fails the test when there is none.
    MessageBoxRequest TakeMessage();
    /// Takes the oldest message and checks its text, its icon and the program's title.
    void ExpectMessage(const std::string& text, MessageIcon icon = MessageIcon::Critical);
    std::size_t PendingMessages() const { return m_messages.size(); }

    std::vector<OpenFileRequest> fileRequests;
    int endProgramRequests = 0;

private:
    std::deque<MessageBoxRequest> m_messages;
    std::deque<MessageAnswer> m_answers;
    std::deque<std::optional<std::string>> m_files;
    bool m_tickNextCheckBox = false;
};

}  // namespace talvero::test
