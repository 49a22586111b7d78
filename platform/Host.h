#pragma once

#include <optional>
#include <string>

// The few things the program asks of its user-interface host: message boxes, the file-open
// dialog, and ending the program at once. The windows install a Qt host; tests install a
// scripted one that records what was shown.
namespace talvero {

enum class MessageIcon { Critical, Exclamation, Information, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

inline constexpr const char* kApplicationTitle = "Talvero";

struct MessageBoxRequest {
    std::string text;
    MessageIcon icon = MessageIcon::Critical;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultAnswer = MessageAnswer::Ok;
    std::string title = kApplicationTitle;
    /// Shown on request below the text (the path and the system's reason of a file failure).
    std::string detail{};
    /// A check box below the text ("Do not show this again") when not empty; its state is
    /// written to `checkBoxChecked`.
    std::string checkBoxText{};
    bool* checkBoxChecked = nullptr;
};

struct OpenFileRequest {
    std::string title;
    std::string filterDescription;  // "Kickstart-ROM (*.rom)"
    std::string filterPattern;      // "*.rom"
    /// A folder is chosen instead of a file (the filter is not used).
    bool folder = false;
};

class Host {
public:
    virtual ~Host() = default;
    virtual MessageAnswer ShowMessage(const MessageBoxRequest& request) = 0;
    /// The chosen file's (or folder's) full path, or nothing when the user cancels.
    virtual std::optional<std::string> ChooseFileToOpen(const OpenFileRequest& request) = 0;
    /// Ends the program at once, without any orderly shutdown.
    virtual void EndProgramNow() = 0;
};

/// Writes a message box's title, text and details to the error stream, as a host without
/// windows shows them.
void PrintMessage(const MessageBoxRequest& request);

Host& CurrentHost();
void SetHost(Host* host);

/// A message box with an OK button.
void ShowMessage(const std::string& text, MessageIcon icon, const std::string& title = kApplicationTitle,
                 const std::string& detail = {});

/// A question with Yes and No, No being the default; true for Yes.
bool AskYesNo(const std::string& text);

}  // namespace talvero
