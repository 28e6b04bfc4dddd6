#include "framework/system/sysutils.h"

#include <windows.h>

#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

Exception::Exception(AnsiString message) : FMessage(std::move(message)) {}
Exception::~Exception() = default;
const char* Exception::what() const noexcept { return FMessage.c_str(); }

static AnsiString SystemMessage(unsigned long code) {
    char buffer[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             code, 0, buffer, sizeof buffer, nullptr);
    while (n > 0 && (buffer[n - 1] == '\n' || buffer[n - 1] == '\r' || buffer[n - 1] == '.')) --n;
    return AnsiString(buffer, n);
}

EWin32Error::EWin32Error(const AnsiString& operation, unsigned long code)
    : Exception(Format("%s failed: error %lu (%s)", operation.c_str(), code,
                       SystemMessage(code).c_str())),
      FErrorCode(code) {}
EWin32Error::~EWin32Error() = default;

EConvertError::~EConvertError() = default;
EComponentError::~EComponentError() = default;
EClassNotFound::~EClassNotFound() = default;
EInvalidOperation::~EInvalidOperation() = default;
EInvalidGraphic::~EInvalidGraphic() = default;
EPropertyError::~EPropertyError() = default;
EStreamError::~EStreamError() = default;
EReadError::~EReadError() = default;
EResNotFound::~EResNotFound() = default;
EListError::~EListError() = default;

void Win32Check(bool ok, const char* operation) {
    if (!ok) throw EWin32Error(operation, GetLastError());
}

AnsiString IntToStr(int64_t value) { return std::to_string(value); }

bool TryStrToInt64(const AnsiString& text, int64_t& value) {
    const char* s = text.c_str();
    bool negative = *s == '-';
    if (negative) ++s;
    int base = 10;
    if (*s == '$') {
        base = 16;
        ++s;
    } else if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s += 2;
    }
    if (!std::isxdigit(static_cast<unsigned char>(*s))) return false;
    char* end = nullptr;
    errno = 0;
    unsigned long long magnitude = std::strtoull(s, &end, base);
    if (*end != '\0' || errno == ERANGE) return false;
    // Hexadecimal numbers may fill all 64 bits (colours, masks).
    if (base == 10 && magnitude > (negative ? 9223372036854775808ull : 9223372036854775807ull)) return false;
    value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return true;
}

int StrToInt(const AnsiString& text) {
    int64_t v = 0;
    if (!TryStrToInt64(text, v) || v < INT32_MIN || v > INT32_MAX)
        throw EConvertError("'" + text + "' is not a valid integer value");
    return static_cast<int>(v);
}

AnsiString Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    AnsiString result(n > 0 ? n : 0, '\0');
    if (n > 0) std::vsnprintf(result.data(), n + 1, format, args);
    va_end(args);
    return result;
}

AnsiString UpperCase(const AnsiString& text) {
    AnsiString r = text;
    for (char& c : r) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

bool SameText(const AnsiString& a, const AnsiString& b) { return UpperCase(a) == UpperCase(b); }

bool IsValidIdent(const AnsiString& text) {
    if (text.empty()) return false;
    auto alpha = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; };
    if (!alpha(text[0])) return false;
    for (char c : text)
        if (!alpha(c) && !std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}
