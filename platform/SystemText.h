#pragma once

#include <string>

namespace talvero {

/// Text as the system's 8-bit programs read it. On Windows the UTF-8 text is converted to the
/// ANSI code page, and a character that code page cannot hold fails with
/// ErrorNumber::NotInCodePage; elsewhere the UTF-8 bytes stay as they are.
std::string ToSystemCodePage(const std::string& utf8);

}  // namespace talvero
