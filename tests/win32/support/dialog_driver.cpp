#include "dialog_driver.h"

namespace quillmont::testing {

namespace {
thread_local DialogDriver* t_driver = nullptr;
constexpr UINT kTickMs = 30;

BOOL CALLBACK collectDialog(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && windowClass(window) == L"#32770")
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}
}  // namespace

DialogDriver::DialogDriver(std::vector<Step> steps, unsigned timeoutMs)
    : steps_(std::move(steps)), timeoutMs_(timeoutMs) {}

std::vector<HWND> DialogDriver::openDialogs() {
    std::vector<HWND> all;
    EnumThreadWindows(GetCurrentThreadId(), collectDialog, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> enabled;
    for (HWND window : all)
        if (IsWindowEnabled(window)) enabled.push_back(window);
    return enabled;
}

void DialogDriver::pumpMessages(unsigned milliseconds) {
    const ULONGLONG until = GetTickCount64() + milliseconds;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    } while (GetTickCount64() < until);
}

void DialogDriver::stayOnThisDialog() {
    if (t_driver != nullptr) t_driver->stay_ = true;
}

void DialogDriver::pressKeys(const std::vector<WORD>& keys) {
    std::vector<INPUT> events;
    auto add = [&](WORD key, DWORD flags) {
        INPUT event{};
        event.type = INPUT_KEYBOARD;
        event.ki.wVk = key;
        event.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
        event.ki.dwFlags = flags;
        events.push_back(event);
    };
    for (WORD key : keys) add(key, 0);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) add(*key, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
}

DialogDriver::Step DialogDriver::keys(std::vector<WORD> keys) {
    return [keys = std::move(keys)](DialogWindow&) {
        pressKeys(keys);
        stayOnThisDialog();
    };
}

void DialogDriver::start() {
    t_driver = this;
    deadline_ = GetTickCount64() + timeoutMs_;
    timer_ = SetTimer(nullptr, 0, kTickMs, &DialogDriver::onTimer);
}

void DialogDriver::stop() {
    if (timer_ != 0) KillTimer(nullptr, timer_);
    timer_ = 0;
    t_driver = nullptr;
    // Drop a tick that may still wait in the queue.
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
}

void CALLBACK DialogDriver::onTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (t_driver != nullptr) t_driver->tick();
}

void DialogDriver::tick() {
    // The deadline holds even when a step blocks in a nested modal loop.
    if (GetTickCount64() > deadline_) {
        timedOut_ = true;
        for (HWND window : openDialogs()) EndDialog(window, IDCANCEL);
        return;
    }
    if (inStep_) return;
    const std::vector<HWND> dialogs = openDialogs();
    if (stepsRun_ >= static_cast<int>(steps_.size()) || dialogs.empty()) return;
    HWND target = dialogs.front();
    if (target == lastActedOn_ && !stay_) return;
    lastActedOn_ = target;
    stay_ = false;
    DialogWindow window(target);
    inStep_ = true;
    steps_[stepsRun_++](window);
    inStep_ = false;
}

}  // namespace quillmont::testing
