#include "tests/support/ScriptedHost.h"

#include <gtest/gtest.h>

namespace talvero::test {

ScriptedHost::~ScriptedHost()
{
    for (const MessageBoxRequest& message : m_messages)
        ADD_FAILURE() << "message box nobody checked: " << message.text;
    EXPECT_EQ(0u, m_answers.size() + m_files.size()) << "scripted answers or file choices never asked for";
    SetHost(nullptr);
}

namespace {
// The oldest item, or `otherwise` and the failure when there is none.
template <typename Item>
Item Next(std::deque<Item>& items, Item otherwise, const std::string& failure)
{
    if (items.empty()) {
        ADD_FAILURE() << failure;
        return otherwise;
    }
    Item item = std::move(items.front());
    items.pop_front();
    return item;
}
}  // namespace

MessageAnswer ScriptedHost::ShowMessage(const MessageBoxRequest& request)
{
    m_messages.push_back(request);
    if (request.checkBoxChecked) {
        *request.checkBoxChecked = m_tickNextCheckBox;
        m_tickNextCheckBox = false;
    }
    if (request.buttons != MessageButtons::YesNo)
        return MessageAnswer::Ok;
    return Next(m_answers, MessageAnswer::No, "unscripted question: " + request.text);
}

std::optional<std::string> ScriptedHost::ChooseFileToOpen(const OpenFileRequest& request)
{
    fileRequests.push_back(request);
    return Next(m_files, std::optional<std::string>(), "unscripted file dialog: " + request.title);
}

MessageBoxRequest ScriptedHost::TakeMessage()
{
    return Next(m_messages, MessageBoxRequest{}, "expected a message box, none was shown");
}

void ScriptedHost::ExpectMessage(const std::string& text, MessageIcon icon)
{
    const MessageBoxRequest message = TakeMessage();
    EXPECT_EQ(text, message.text);
    EXPECT_EQ(icon, message.icon) << text;
    EXPECT_EQ(kApplicationTitle, message.title) << text;
}

}  // namespace talvero::test
