#include "platform/windows/WideText.h"

#include <windows.h>

namespace talvero::windows {

std::wstring Utf16FromUtf8(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring utf16(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), utf16.data(), length);
    return utf16;
}

std::string Utf8FromUtf16(const wchar_t* utf16, std::size_t length)
{
    if (length == 0)
        return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, utf16, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16, static_cast<int>(length), utf8.data(), size, nullptr, nullptr);
    return utf8;
}

}  // namespace talvero::windows
