// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/report_save_dialog.h"

#include <string>

#include <windows.h>
#include <shobjidl.h>

#include <QString>
#include <QWidget>

namespace zelva {

struct ReportSaveDialog::State {
    std::wstring lastChosen;
};

namespace {

// Releases a COM interface when it goes out of scope.
template <class Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { if (p_) p_->Release(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    Interface** out() { return &p_; }
    Interface* operator->() const { return p_; }
    Interface* get() const { return p_; }
private:
    Interface* p_ = nullptr;
};

// COM for this thread, unless Qt's window system set it up already.
class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComScope() { if (SUCCEEDED(result_)) CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
private:
    HRESULT result_;
};

// Opens the dialog in the folder of `path` with its name filled in.
void offerAgain(IFileSaveDialog& dialog, const std::wstring& path)
{
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        dialog.SetFileName(path.c_str());
        return;
    }
    const std::wstring folder = path.substr(0, slash);
    ComRef<IShellItem> item;
    if (SUCCEEDED(SHCreateItemFromParsingName(folder.c_str(), nullptr, IID_PPV_ARGS(item.out()))))
        dialog.SetFolder(item.get());
    dialog.SetFileName(path.c_str() + slash + 1);
}

std::optional<std::wstring> showSaveDialog(HWND owner, const std::wstring& lastChosen)
{
    ComRef<IFileSaveDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(dialog.out()))))
        return std::nullopt;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    // The file written is the chosen name + ".TXT", so a question about the
    // chosen name, or a test file created under it, would concern the wrong file.
    options &= ~FOS_OVERWRITEPROMPT;
    options |= FOS_FORCEFILESYSTEM | FOS_NOTESTFILECREATE;
    dialog->SetOptions(options);
    // "*.TXT" is the first name, not a file type: with a file type the dialog
    // appends its extension to whatever the user types.
    if (lastChosen.empty())
        dialog->SetFileName(L"*.TXT");
    else
        offerAgain(*dialog.get(), lastChosen);

    if (FAILED(dialog->Show(owner)))  // Cancel, Esc and the close box included
        return std::nullopt;
    ComRef<IShellItem> result;
    PWSTR path = nullptr;
    if (FAILED(dialog->GetResult(result.out()))
        || FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, &path)))
        return std::nullopt;
    std::wstring chosen(path);
    CoTaskMemFree(path);
    return chosen;
}

} // namespace

ReportSaveDialog::ReportSaveDialog(QWidget* parent) : parent_(parent), state_(std::make_unique<State>())
{
}

ReportSaveDialog::~ReportSaveDialog() = default;

std::optional<std::string> ReportSaveDialog::ask()
{
    const ComScope com;
    HWND owner = parent_ ? reinterpret_cast<HWND>(parent_->window()->winId()) : nullptr;
    const std::optional<std::wstring> chosen = showSaveDialog(owner, state_->lastChosen);
    if (!chosen || chosen->empty())
        return std::nullopt;
    state_->lastChosen = *chosen;
    return QString::fromStdWString(*chosen).toStdString();
}

} // namespace zelva
