#include <gtest/gtest.h>

#include <objbase.h>

#include "core/app/program_entry.h"
#include "win32/platform/wide_text.h"
#include "win32/platform/win32_startup_services.h"

using namespace quillmont;

TEST(StartupServices, TheNamedMutexExistsExactlyWhileItIsHeld) {
    const std::wstring name = win32::toWide(kInstanceMutexName);
    win32::Win32StartupServices services;
    services.createInstanceMutex(kInstanceMutexName);
    ASSERT_TRUE(services.holdsMutex());
    HANDLE other = OpenMutexW(SYNCHRONIZE, FALSE, name.c_str());
    EXPECT_NE(other, nullptr);
    if (other != nullptr) CloseHandle(other);

    // A second instance runs all the same: creating the mutex again still works.
    win32::Win32StartupServices second;
    second.createInstanceMutex(kInstanceMutexName);
    EXPECT_TRUE(second.holdsMutex());
    second.closeInstanceMutex();

    services.closeInstanceMutex();
    EXPECT_FALSE(services.holdsMutex());
    EXPECT_EQ(OpenMutexW(SYNCHRONIZE, FALSE, name.c_str()), nullptr);
}

TEST(StartupServices, ComIsASingleThreadedApartmentUntilUninitialized) {
    win32::Win32StartupServices services;
    services.initializeCom();
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    services.uninitializeCom();
    const HRESULT again = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    EXPECT_TRUE(SUCCEEDED(again));
    if (SUCCEEDED(again)) CoUninitialize();
}
