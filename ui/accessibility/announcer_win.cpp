// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibility/announcer.h"

#include <windows.h>
#include <oleauto.h>

#include <string>

#include <QPointer>
#include <QString>
#include <QWidget>

#include "ui/platform/utf8.h"

namespace zelva {

namespace {

// UiaRaiseNotificationEvent is what Narrator and NVDA speak without a focus
// change. It exists from Windows 10 1709 on and Wine 8 lacks it, so both it and
// the host provider are looked up at run time: a static import would keep the
// exe from starting there. MinGW's headers do not declare it either.
struct RawElementProvider;  // IRawElementProviderSimple, only ever passed on
using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, RawElementProvider**);
using RaiseNotificationEvent = HRESULT(WINAPI*)(RawElementProvider*, int kind,
                                                int processing, BSTR text, BSTR activityId);
constexpr int kNotificationKindActionCompleted = 2;
constexpr int kNotificationProcessingMostRecent = 3;  // a newer result replaces an unspoken one

} // namespace

struct Announcer::State {
    QPointer<QWidget> window;
    HostProviderFromHwnd hostProvider = nullptr;
    RaiseNotificationEvent raise = nullptr;
};

Announcer::Announcer(QWidget& window)
    : state_(std::make_unique<State>())
{
    state_->window = &window;
    if (HMODULE core = LoadLibraryW(L"uiautomationcore.dll")) {
        state_->hostProvider = reinterpret_cast<HostProviderFromHwnd>(
            reinterpret_cast<void*>(GetProcAddress(core, "UiaHostProviderFromHwnd")));
        state_->raise = reinterpret_cast<RaiseNotificationEvent>(
            reinterpret_cast<void*>(GetProcAddress(core, "UiaRaiseNotificationEvent")));
    }
}

Announcer::~Announcer() = default;

void Announcer::announce(std::string_view text)
{
    if (!state_->window || !state_->hostProvider || !state_->raise)
        return;
    RawElementProvider* provider = nullptr;
    const auto hwnd = reinterpret_cast<HWND>(state_->window->window()->winId());
    if (FAILED(state_->hostProvider(hwnd, &provider)) || !provider)
        return;
    const std::wstring wide = fromUtf8(text).toStdWString();
    BSTR message = SysAllocString(wide.c_str());
    BSTR activity = SysAllocString(L"Zelvamirontica.results");
    if (message && activity)
        state_->raise(provider, kNotificationKindActionCompleted, kNotificationProcessingMostRecent,
                      message, activity);
    SysFreeString(activity);
    SysFreeString(message);
    // Every provider is an IUnknown first.
    reinterpret_cast<IUnknown*>(provider)->Release();
}

} // namespace zelva
