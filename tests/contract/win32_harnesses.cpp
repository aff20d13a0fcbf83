#include "process_launcher_contract.h"
#include "test_paths.h"
#include "test_files.h"
#include "win32/platform/wide_text.h"
#include "win32/platform/win32_process_launcher.h"

namespace quillmont::testing {

namespace {

// The real CreateProcessW and a real program that writes down what it received.
class Win32ProcessLauncherHarness final : public ProcessLauncherHarness {
public:
    ProcessLauncher& launcher() override { return launcher_; }
    WideString recordingProgram() override { return win32::fromWide(CommandLineRecorder::starterWithSpaces()); }
    WideString missingProgram() override { return win32::fromWide(binFolder() + L"\\no such starter.exe"); }
    std::optional<WideString> recordedCommandLine() override { return recorder_.wait(); }

private:
    win32::Win32ProcessLauncher launcher_;
    CommandLineRecorder recorder_;
};

}  // namespace

std::unique_ptr<ProcessLauncherHarness> makeProcessLauncherHarness() {
    return std::make_unique<Win32ProcessLauncherHarness>();
}

}  // namespace quillmont::testing

#include <gtest/gtest.h>
#include <windows.h>

#include "registry_contract.h"
#include "win32/platform/win32_registry.h"

namespace quillmont::testing {

namespace {

// The real registry of the Wine prefix; each case gets a key of its own.
class Win32RegistryHarness final : public RegistryHarness {
public:
    Win32RegistryHarness()
        : scratch_(u"Software\\Brenwick\\Quillmont tests\\" +
                   win32::fromWide(std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter_))) {
        registry_.deleteTree(RegistryRoot::CurrentUser, scratch_);
        registry_.createKey(RegistryRoot::CurrentUser, scratch_);
    }
    ~Win32RegistryHarness() override {
        registry_.deleteTree(RegistryRoot::CurrentUser, scratch_);
        // RegDeleteTreeW deletes in the view its parent key was opened in.
        for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
            HKEY software = nullptr;
            if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_ALL_ACCESS | view, &software) != ERROR_SUCCESS)
                continue;
            const WideString below = machineScratchKey().substr(9);
            RegDeleteTreeW(software, win32::toWide(below).c_str());
            RegDeleteKeyExW(software, win32::toWide(below).c_str(), view, 0);
            RegCloseKey(software);
        }
    }
    Registry& registry() override { return registry_; }
    WideString scratchKey() override { return scratch_; }
    WideString machineScratchKey() override { return u"SOFTWARE\\" + scratch_.substr(scratch_.find(u'\\') + 1); }
    void writeInView(RegistryRoot root, const WideString& path, RegistryView view, const WideString& name,
                     const WideString& value) override {
        const REGSAM sam = KEY_ALL_ACCESS | (view == RegistryView::Bits32   ? KEY_WOW64_32KEY
                                             : view == RegistryView::Bits64 ? KEY_WOW64_64KEY
                                                                            : 0);
        HKEY key = nullptr;
        const std::wstring text = win32::toWide(value);
        if (RegCreateKeyExW(root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE,
                            win32::toWide(path).c_str(), 0, nullptr, 0, sam, nullptr, &key, nullptr) != ERROR_SUCCESS ||
            RegSetValueExW(key, win32::toWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
            ADD_FAILURE() << "could not write a key of a registry view";
        if (key != nullptr) RegCloseKey(key);
    }

private:
    static inline unsigned counter_ = 0;
    win32::Win32Registry registry_;
    WideString scratch_;
};

}  // namespace

std::unique_ptr<RegistryHarness> makeRegistryHarness() { return std::make_unique<Win32RegistryHarness>(); }

}  // namespace quillmont::testing

#include <gtest/gtest.h>

#include "files_contract.h"
#include "win32/platform/win32_files.h"

namespace quillmont::testing {

namespace {

// Clears read-only flags on the way, which would stop the deletion.
void removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                removeTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

// Real files in a fresh folder under the user's temporary folder.
class Win32FilesHarness final : public FilesHarness {
public:
    Win32FilesHarness() : folder_(makeTemporaryFolder(L"files")) {}
    ~Win32FilesHarness() override {
        removeTree(folder_);
        // The per-process parent goes too once nothing else of this run is in it.
        RemoveDirectoryW(folder_.substr(0, folder_.rfind(L'\\')).c_str());
    }
    Files& files() override { return files_; }
    WideString folder() override { return win32::fromWide(folder_); }

    void makeFolder(const WideString& path) override {
        if (!CreateDirectoryW(win32::toWide(path).c_str(), nullptr)) ADD_FAILURE() << "could not make a folder";
    }

    void makeFile(const WideString& path, const std::string& text, bool readOnly) override {
        const std::wstring name = win32::toWide(path);
        HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
        DWORD written = 0;
        const bool ok = file != INVALID_HANDLE_VALUE &&
                        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                        written == text.size();
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        if (!ok || (readOnly && !SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_READONLY)))
            ADD_FAILURE() << "could not make a file";
    }

    std::optional<std::string> contents(const WideString& path) override {
        HANDLE file = CreateFileW(win32::toWide(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                  nullptr);
        if (file == INVALID_HANDLE_VALUE) return std::nullopt;
        std::string text(GetFileSize(file, nullptr), '\0');
        DWORD read = 0;
        const BOOL ok = ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
        CloseHandle(file);
        if (!ok || read != text.size()) return std::nullopt;
        return text;
    }

private:
    win32::Win32Files files_;
    std::wstring folder_;
};

}  // namespace

std::unique_ptr<FilesHarness> makeFilesHarness() { return std::make_unique<Win32FilesHarness>(); }

}  // namespace quillmont::testing

#include <objbase.h>

#include "win32/platform/msxml_documents.h"
#include "xml_contract.h"

namespace quillmont::testing {

namespace {

// MSXML, with COM initialised for the case as the program does on its UI thread,
// and the sample files reached through Wine's Z: drive.
class MsxmlHarness final : public XmlHarness {
public:
    MsxmlHarness() : comInitialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~MsxmlHarness() override {
        if (comInitialized_) CoUninitialize();
    }
    XmlDocuments& documents() override { return documents_; }
    WideString folder() override {
        WideString path = u"Z:";
        for (const char c : std::string(QUILLMONT_XML_SAMPLES "/"))
            path.push_back(c == '/' ? u'\\' : static_cast<char16_t>(c));
        return path;
    }
    bool survivesMalformedExpressions() override {
        return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr;
    }

private:
    bool comInitialized_;
    win32::MsxmlDocuments documents_;
};

}  // namespace

std::unique_ptr<XmlHarness> makeXmlHarness() { return std::make_unique<MsxmlHarness>(); }

}  // namespace quillmont::testing
