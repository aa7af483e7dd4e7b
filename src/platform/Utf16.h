#pragma once
// Text at the Windows boundary: kivp keeps every path and name as UTF-8 and hands the Windows calls UTF-16 (the
// wide "W" functions), so folders named in any language work there. Plain C++, so the conversion is tested on
// every platform.

#include <string>
#include <string_view>

namespace kivp {

// UTF-16 code units, one per wchar_t. A byte that does not start a valid UTF-8 sequence becomes U+FFFD.
std::wstring toUtf16(std::string_view utf8);

// UTF-8 of UTF-16 code units; a lone surrogate becomes U+FFFD.
std::string fromUtf16(std::wstring_view utf16);

} // namespace kivp
