#include "platform/SystemText.h"

#include "platform/FileError.h"
#include "platform/windows/WideText.h"

#include <windows.h>

namespace talvero {

namespace {
bool IsAscii(const std::string& text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}
}  // namespace

std::string ToSystemCodePage(const std::string& utf8)
{
    const UINT codePage = GetACP();
    if (IsAscii(utf8) || codePage == CP_UTF8)
        return utf8;
    const std::string reason = "It holds characters that the system's ANSI code page (" +
                               std::to_string(codePage) + ") has no place for.";
    const int checked = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                            static_cast<int>(utf8.size()), nullptr, 0);
    if (checked == 0)
        ThrowFileError(ErrorNumber::NotInCodePage, utf8, reason);
    const std::wstring utf16 = windows::Utf16FromUtf8(utf8);
    // No best-fit guesses ("ø" must not quietly become "o"): a character without its own place in
    // the code page is refused.
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, utf16.data(),
                                           static_cast<int>(utf16.size()), nullptr, 0, nullptr, &lossy);
    if (length == 0 || lossy)
        ThrowFileError(ErrorNumber::NotInCodePage, utf8, reason);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, utf16.data(), static_cast<int>(utf16.size()),
                        ansi.data(), length, nullptr, nullptr);
    return ansi;
}

}  // namespace talvero
