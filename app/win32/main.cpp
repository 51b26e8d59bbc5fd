// Start-up of the Windows program: the main window from its design over the
// practice handlers, and the top-level error report.
#include "app/error_report.h"
#include "practice/lesson_file.h"
#include "forms/frm_main_design.h"
#include "ui/win32/about_dialog.h"
#include "ui/win32/gdi_text_measure.h"
#include "ui/win32/main_window.h"
#include "ui/win32/report_dialog.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <windows.h>

namespace {

constexpr int kExitOnError = 1;

std::filesystem::path programDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return std::filesystem::path(path).parent_path();
}

int run(int show) {
    keyloom::MainControls controls = keyloom::frmMainControls();
    const keyloom::GdiTextMeasure measure;
    keyloom::FrmMain form(controls, measure);
    form.Form_Load(keyloom::lessonPath(programDirectory()));
    form.record().setClock([] { return std::chrono::steady_clock::now().time_since_epoch(); });

    keyloom::MainWindow window(
        form, controls, keyloom::frmMainDesign(),
        [](HWND /*owner*/, const std::exception& error) { keyloom::reportError(error); },
        keyloom::showAboutBox);
    // The drill's new window: the one place to start it, through the
    // program's own way of starting a window with a given lesson.
    const keyloom::DrillStarter startDrill;
    window.setReportOpener(
        [&](HWND owner) { keyloom::showReport(form.record(), startDrill, owner); });
    window.create(show);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int show) {
    try {
        return run(show);
    } catch (const std::exception& error) {
        keyloom::reportError(error);
        return kExitOnError;
    }
}
