#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/app/product.h"
#include "test_files.h"

using namespace quillmont::testing;

namespace {

// Quillmont.exe loaded as a data file, for reading its resources.
class ProgramImage {
public:
    ProgramImage() : module_(LoadLibraryExW(path().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~ProgramImage() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    HMODULE get() const { return module_; }
    static std::wstring path() { return binFolder() + L"\\Quillmont.exe"; }

private:
    HMODULE module_;
};

std::wstring versionString(const std::vector<BYTE>& data, const wchar_t* name) {
    wchar_t* text = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&text), &length)) return {};
    return text;
}

}  // namespace

TEST(ProgramResources, TheVersionResourceAndManifestCarryTheOneBuildVersion) {
    const std::wstring path = ProgramImage::path();
    DWORD ignored = 0;
    std::vector<BYTE> data(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    ASSERT_FALSE(data.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    // One version, made at build time into every place that carries it: the
    // fixed and text versions, the manifest, and what the update check sends.
    const std::uint32_t packed = quillmont::kUpdateVersion;
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(packed >> 16 & 0xff, packed >> 24));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(packed & 0xff, packed >> 8 & 0xff));
    const std::wstring four = std::to_wstring(packed >> 24) + L"." + std::to_wstring(packed >> 16 & 0xff) + L"." +
                              std::to_wstring(packed >> 8 & 0xff) + L"." + std::to_wstring(packed & 0xff);
    EXPECT_EQ(versionString(data, L"ProductName"), L"Quillmont");
    EXPECT_EQ(versionString(data, L"FileVersion"), four);
    EXPECT_EQ(versionString(data, L"ProductVersion"), four);
    const std::u16string shown = quillmont::kProductVersionText;
    EXPECT_EQ(four.rfind(std::wstring(shown.begin(), shown.end()) + L".", 0), 0u) << "About shows a prefix of " << four;

    ProgramImage image;
    HRSRC manifest = FindResourceW(image.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(manifest, nullptr);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(image.get(), manifest))),
                           SizeofResource(image.get(), manifest));
    const std::string narrowFour(four.begin(), four.end());
    EXPECT_NE(text.find("name=\"Brenwick.Quillmont\" version=\"" + narrowFour + "\""), std::string::npos) << text;
}

TEST(ProgramResources, TheIconHoldsFourSizesInThreeColourDepthsEach) {
    ProgramImage image;
    ASSERT_NE(image.get(), nullptr);
    HRSRC group = FindResourceW(image.get(), MAKEINTRESOURCEW(128), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const BYTE* directory = static_cast<const BYTE*>(LockResource(LoadResource(image.get(), group)));
    ASSERT_NE(directory, nullptr);
    const WORD count = *reinterpret_cast<const WORD*>(directory + 4);
    ASSERT_EQ(count, 12);
    std::vector<std::pair<int, int>> seen;  // (size, bits)
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = directory + 6 + 14 * i;  // GRPICONDIRENTRY
        seen.emplace_back(entry[0], *reinterpret_cast<const WORD*>(entry + 6));
    }
    for (int size : {16, 24, 32, 48})
        for (int bits : {4, 8, 32})
            EXPECT_NE(std::find(seen.begin(), seen.end(), std::make_pair(size, bits)), seen.end())
                << size << " px, " << bits << " bits";
}

TEST(ProgramResources, TheManifestAsksForCommonControlsSixPerMonitorAwarenessAndLongPaths) {
    ProgramImage image;
    HRSRC manifest = FindResourceW(image.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(manifest, nullptr);
    const char* text = static_cast<const char*>(LockResource(LoadResource(image.get(), manifest)));
    const std::string xml(text, SizeofResource(image.get(), manifest));
    EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(xml.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(xml.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(xml.find("<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true</longPathAware>"),
              std::string::npos);
    for (const char* os : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                           "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"})
        EXPECT_NE(xml.find(os), std::string::npos) << os;
}
