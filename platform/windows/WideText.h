#pragma once

#include <string>

namespace talvero::windows {

/// The program keeps paths in UTF-8; Windows' wide (W) functions take UTF-16.
std::wstring Utf16FromUtf8(const std::string& utf8);
std::string Utf8FromUtf16(const wchar_t* utf16, std::size_t length);

}  // namespace talvero::windows
