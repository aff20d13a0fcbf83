#include "win32/ui/escaped_exception.h"

#include <windows.h>

#include <cstring>
#include <iterator>
#include <new>

namespace quillmont::win32 {

namespace {

constexpr wchar_t kTitle[] = L"Quillmont";
constexpr wchar_t kNotEnoughMemory[] = L"Quillmont could not finish: there is not enough memory.";
constexpr wchar_t kUnexpected[] = L"Quillmont could not finish: an unexpected error occurred.";
constexpr wchar_t kBecause[] = L"Quillmont could not finish: ";
// Enough of any reason a library gives; a longer one is cut.
constexpr int kReasonBytes = 400;

void show(const wchar_t* text) { MessageBoxW(nullptr, text, kTitle, MB_OK | MB_ICONERROR); }

// The standard library's reasons are narrow text, which Windows reads in the ANSI code page.
void showReason(const char* reason) {
    wchar_t text[std::size(kBecause) + kReasonBytes];
    constexpr int prefix = static_cast<int>(std::size(kBecause)) - 1;
    std::memcpy(text, kBecause, sizeof(kBecause) - sizeof(wchar_t));
    const int bytes = static_cast<int>(strnlen(reason, kReasonBytes));
    const int units = MultiByteToWideChar(CP_ACP, 0, reason, bytes, text + prefix, kReasonBytes);
    if (units <= 0) return show(kUnexpected);
    text[prefix + units] = L'\0';
    show(text);
}

}  // namespace

int reportEscapedException(std::exception_ptr error) noexcept {
    try {
        if (error) std::rethrow_exception(error);
        show(kUnexpected);
    } catch (const std::bad_alloc&) {
        show(kNotEnoughMemory);
    } catch (const std::exception& failure) {
        const char* reason = failure.what();
        if (reason != nullptr && *reason != '\0') {
            showReason(reason);
        } else {
            show(kUnexpected);
        }
    } catch (...) {
        show(kUnexpected);
    }
    return 1;
}

}  // namespace quillmont::win32
