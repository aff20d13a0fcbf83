// The program joins paths by PathCombineW's rules at any length; wherever the
// system's PathCombineW gives a result, the two agree.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/text/path_rules.h"
#include "win32/platform/wide_text.h"

using namespace quillmont;

// The paths the program joins: a descriptor's or the temporary folder, and an
// archive's name or relative URL (names, "." and ".." between backslashes), or a
// path from the drive's root, or one with a drive letter.
TEST(PathRules, AgreeWithPathCombineWhereverItGivesAResult) {
    const std::vector<std::wstring> folders = {L"C:\\", L"C:\\jads", L"C:\\jads\\", L"C:\\jads\\lib",
                                               L"C:\\a b\\c.d\\", L"D:\\x\\y\\z"};
    const std::vector<std::wstring> segments = {L"app.jar", L"lib", L".", L"..", L"x y"};
    std::vector<std::wstring> relative = {L""};
    for (int length = 1; length <= 3; ++length) {
        std::vector<std::wstring> longer;
        for (const std::wstring& path : relative)
            if (std::count(path.begin(), path.end(), L'\\') + (path.empty() ? 0 : 1) == length - 1)
                for (const std::wstring& segment : segments) longer.push_back(path.empty() ? segment : path + L"\\" + segment);
        relative.insert(relative.end(), longer.begin(), longer.end());
    }
    std::vector<std::wstring> parts;
    for (const std::wstring& path : relative)
        for (const wchar_t* prefix : {L"", L"\\", L"E:\\"})
            for (const wchar_t* suffix : {L"", L"\\"})
                if (!(path.empty() && *suffix != L'\0')) parts.push_back(prefix + path + suffix);
    int compared = 0;
    for (const std::wstring& folder : folders) {
        for (const std::wstring& more : parts) {
            // Wine keeps a final "\." that Windows drops (C:\lib\. is C:\lib there); the
            // program follows Windows, so those few are not Wine's to judge.
            if (more == L"." || (more.size() >= 2 && more.compare(more.size() - 2, 2, L"\\.") == 0)) continue;
            wchar_t combined[MAX_PATH] = {};
            if (PathCombineW(combined, folder.c_str(), more.c_str()) == nullptr) continue;
            ++compared;
            EXPECT_EQ(win32::toWide(combinePaths(win32::fromWide(folder), win32::fromWide(more))), std::wstring(combined))
                << "folder " << std::string(folder.begin(), folder.end()) << " and "
                << std::string(more.begin(), more.end());
        }
    }
    EXPECT_GT(compared, 1000);
}
