#include "tests/support/ScriptedHost.h"

#include <gtest/gtest.h>

namespace talvero::test {

ScriptedHost::ScriptedHost()
{
    SetHost(this);
}

ScriptedHost::~ScriptedHost()
{
    for (const MessageBoxRequest& message : m_messages)
        ADD_FAILURE() << "message box nobody checked: " << message.text;
    if (!m_answers.empty())
        ADD_FAILURE() << m_answers.size() << " scripted answer(s) never asked for";
    if (!m_files.empty())
        ADD_FAILURE() << m_files.size() << " scripted file choice(s) never asked for";
    SetHost(nullptr);
}

MessageAnswer ScriptedHost::ShowMessage(const MessageBoxRequest& request)
{
    m_messages.push_back(request);
    if (request.buttons != MessageButtons::YesNo)
        return MessageAnswer::Ok;
    if (m_answers.empty()) {
        ADD_FAILURE() << "unscripted question: " << request.text;
        return MessageAnswer::No;
    }
    const MessageAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedHost::ChooseFileToOpen(const OpenFileRequest& request)
{
    fileRequests.push_back(request);
    if (m_files.empty()) {
        ADD_FAILURE() << "unscripted file dialog: " << request.title;
        return std::nullopt;
    }
    auto chosen = m_files.front();
    m_files.pop_front();
    return chosen;
}

void ScriptedHost::EndProgramNow()
{
    ++endProgramRequests;
}

MessageBoxRequest ScriptedHost::TakeMessage()
{
    if (m_messages.empty()) {
        ADD_FAILURE() << "expected a message box, none was shown";
        return {};
    }
    MessageBoxRequest message = m_messages.front();
    m_messages.pop_front();
    return message;
}

void ScriptedHost::ExpectMessage(const std::string& text, MessageIcon icon)
{
    const MessageBoxRequest message = TakeMessage();
    EXPECT_EQ(text, message.text);
    EXPECT_EQ(icon, message.icon) << text;
    EXPECT_EQ(kApplicationTitle, message.title) << text;
}

}  // namespace talvero::test
