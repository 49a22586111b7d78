#include "platform/Host.h"

#include <cstdio>
#include <cstdlib>

namespace talvero {

namespace {
// Without a window host (command-line tools) messages go to the error stream.
class ConsoleHost final : public Host {
public:
    MessageAnswer ShowMessage(const MessageBoxRequest& request) override
    {
        PrintMessage(request);
        return request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    std::optional<std::string> ChooseFileToOpen(const OpenFileRequest&) override { return std::nullopt; }
    void EndProgramNow() override { std::exit(0); }
};

Host*& InstalledHost()
{
    static ConsoleHost console;
    static Host* host = &console;
    return host;
}
}  // namespace

void PrintMessage(const MessageBoxRequest& request)
{
    std::fprintf(stderr, "%s: %s\n", request.title.c_str(), request.text.c_str());
    if (!request.detail.empty())
        std::fprintf(stderr, "%s\n", request.detail.c_str());
}

Host& CurrentHost()
{
    return *InstalledHost();
}

void SetHost(Host* host)
{
    InstalledHost() = host;
}

void ShowMessage(const std::string& text, MessageIcon icon, const std::string& title,
                 const std::string& detail)
{
    CurrentHost().ShowMessage({text, icon, MessageButtons::Ok, MessageAnswer::Ok, title, detail});
}

bool AskYesNo(const std::string& text)
{
    return CurrentHost().ShowMessage({text,
                                      MessageIcon::Question,
                                      MessageButtons::YesNo,
                                      MessageAnswer::No,
                                      kApplicationTitle,
                                      {}}) == MessageAnswer::Yes;
}

}  // namespace talvero
