// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/win32/main_window.h"

#include "ui/code_hints.h"
#include "ui/input_method_notice.h"
#include "ui/pixels.h"
#include "ui/win32/gdi_painter.h"
#include "ui/win32/keystroke_feed.h"
#include "ui/win32/owned_window.h"
#include "ui/win32/window_dpi.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace keyloom {
namespace {

constexpr wchar_t kWindowClass[] = L"KeyloomMainWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU; // fixed border, close only
constexpr DWORD kExStyle = 0;
constexpr int kAppIconId = 1;
// A command of the window's keys, run once the key's message is done.
constexpr UINT kLessonCommandMessage = WM_APP + 1;

int intervalOf(const WindowDescription& design, std::string_view timer) {
    const ElementDesign* element = findElement(design, timer);
    return element != nullptr ? element->intervalMs : 0;
}

RECT designRect(const WindowDescription& design, std::string_view name, int dpi) {
    const ElementDesign* e = findElement(design, name);
    return e == nullptr
               ? RECT{}
               : toRect(pixelRect(e->look.left, e->look.top, e->look.width, e->look.height, dpi));
}

void registerClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(instance, kWindowClass, &windowClass) != FALSE) {
        return;
    }
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kAppIconId));
    if (windowClass.hIcon == nullptr) {
        windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    }
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = nullptr; // the window paints all of its client area
    windowClass.lpszClassName = kWindowClass;
    if (RegisterClassExW(&windowClass) == 0) {
        throw std::runtime_error("cannot register the main window's class");
    }
}

} // namespace

MainWindow::MainWindow(FrmMain& form, MainControls& controls, const WindowDescription& design,
                       FatalErrorReport onFatalError, AboutBoxOpener openAboutBox,
                       NewRunStarter startNewRun)
    : form_(form), c_(controls), design_(design),
      onFatalError_(std::move(onFatalError)), actions_{{ProgramCommand::About,
                                                        std::move(openAboutBox)}},
      guarded_(
          [this](const std::exception& error) {
              exitStatus_ = 1;
              KillTimer(window_, kTimer1);
              KillTimer(window_, kTimer2);
              KillTimer(window_, kLaterTimer);
              onFatalError_(window_, error);
              DestroyWindow(window_);
          },
          [this] { showState(); }),
      keystrokes_(form.record()) {
    if (startNewRun) {
        lessonCommands_.emplace(form_.state(), std::move(startNewRun));
        // Run once the key's message is done.
        for (const auto& [command, lessonCommand] :
             {std::pair{ProgramCommand::Restart, LessonCommand::Restart},
              std::pair{ProgramCommand::LoadClipboard, LessonCommand::LoadClipboard},
              std::pair{ProgramCommand::OpenFile, LessonCommand::OpenFile}}) {
            setCommandAction(command, [lessonCommand = lessonCommand](HWND owner) {
                PostMessageW(owner, kLessonCommandMessage, static_cast<WPARAM>(lessonCommand), 0);
            });
        }
    }
}

MainWindow::~MainWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void MainWindow::create(int show, std::optional<POINT> place) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerClass(instance, &ownedWindowProc<MainWindow, &MainWindow::handle, &MainWindow::failed,
                                             &MainWindow::window_>);
    const std::wstring caption(design_.caption.begin(), design_.caption.end());
    window_ = CreateWindowExW(kExStyle, kWindowClass, caption.c_str(), kStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                              instance, this);
    if (window_ == nullptr) {
        throw std::runtime_error("cannot create the main window");
    }
    // Sized for the dpi of the monitor it starts on, centred in its work area.
    const int dpi = windowDpi(window_);
    applyDpi(dpi);
    const SIZE outer =
        outerSize({toPixels(design_.clientWidth, dpi), toPixels(design_.clientHeight, dpi)}, kStyle,
                  kExStyle, dpi);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const POINT topLeft = place.value_or(POINT{work.left + (work.right - work.left - outer.cx) / 2,
                                               work.top + (work.bottom - work.top - outer.cy) / 2});
    SetWindowPos(window_, nullptr, topLeft.x, topLeft.y, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, show);
    UpdateWindow(window_);
    SetFocus(box_->hwnd());
}

// Nothing unwinds through Windows' frames: the same report as a handler's.
LRESULT MainWindow::failed(const std::exception& error) {
    guarded_.stop();
    onFatalError_(window_, error);
    return 0;
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: onCreate(); return 0;
    case WM_COMMAND: return 0; // the typing box reports its changes itself
    case WM_TIMER:
        if (wParam == kTimer1) {
            guarded_([this] { form_.Timer1_Timer(); });
        } else if (wParam == kTimer2) {
            guarded_([this] { form_.Timer2_Timer(); });
        } else if (wParam == kLaterTimer) {
            KillTimer(window_, kLaterTimer);
            guarded_([action = std::exchange(later_, {})] {
                if (action) {
                    action();
                }
            });
        }
        return 0;
    case kLessonCommandMessage:
        if (lessonCommands_ && !guarded_.stopped()) {
            lessonCommands_->run(window_, static_cast<LessonCommand>(wParam));
        }
        return 0;
    case WM_DROPFILES:
        if (lessonCommands_ && !guarded_.stopped()) {
            box_->abandonComposition();
            lessonCommands_->drop(window_, reinterpret_cast<HDROP>(wParam));
        } else {
            DragFinish(reinterpret_cast<HDROP>(wParam));
        }
        return 0;
    case WM_PAINT: paint(); return 0;
    case WM_ERASEBKGND: return 1; // WM_PAINT fills everything
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && box_) {
            SetFocus(box_->hwnd());
            return 0;
        }
        break;
    case WM_SETFOCUS:
        if (box_) {
            SetFocus(box_->hwnd());
        }
        return 0;
    case WM_DPICHANGED: {
        applyDpi(HIWORD(wParam));
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_CLOSE:
        guarded_.stop();
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        // Nothing reaches the handlers once the window is being torn down.
        guarded_.stop();
        KillTimer(window_, kTimer1);
        KillTimer(window_, kTimer2);
        KillTimer(window_, kLaterTimer);
        PostQuitMessage(exitStatus_);
        return 0;
    case WM_NCDESTROY:
        attachOwner<MainWindow>(window_, nullptr);
        window_ = nullptr;
        break;
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::onCreate() {
    fonts_ = std::make_unique<GdiFonts>(windowDpi(window_));
    scene_ = std::make_unique<Scene>(design_, c_, measure_, fonts_->dpi());
    box_ = std::make_unique<TypingBox>(
        window_, designRect(design_, "txtType", fonts_->dpi()), kTypingBoxId, c_.txtType,
        TypingBox::Hooks{
            .onKeyDown = [this](Counter code, Counter shift) { return keyDown(code, shift); },
            .onChange = [this] { textChanged(); },
            .onCommand = [this](ProgramCommand command) { runCommand(command); },
            .onMessage = [this](UINT message,
                                WPARAM wParam) { feedKeystroke(keystrokes_, message, wParam); }});
    SendMessageW(box_->hwnd(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(fonts_->font(FontRole::Standard)), FALSE);
    if (lessonCommands_) {
        DragAcceptFiles(window_, TRUE);
    }
    SetTimer(window_, kTimer1, static_cast<UINT>(intervalOf(design_, "Timer1")), nullptr);
    SetTimer(window_, kTimer2, static_cast<UINT>(intervalOf(design_, "Timer2")), nullptr);
    showState();
}

bool MainWindow::keyDown(Counter keyCode, Counter shift) {
    return guarded_([&] { form_.txtType_KeyDown(keyCode, shift); });
}

void MainWindow::runCommand(ProgramCommand command) {
    const auto found = actions_.find(command);
    if (found != actions_.end() && found->second && !guarded_.stopped()) {
        found->second(window_);
    }
}

void MainWindow::setCodeHints(CodeHints* hints) {
    hints_ = hints;
    setCommandAction(ProgramCommand::CodeHint, [this](HWND /*owner*/) {
        hints_->next();
        showState();
    });
    showState();
}

void MainWindow::textChanged() {
    guarded_([this] {
        form_.txtType_Change();
        if (afterChange_) {
            afterChange_();
        }
    });
}

void MainWindow::runLater(UINT delayMs, std::function<void()> action) {
    later_ = std::move(action);
    SetTimer(window_, kLaterTimer, delayMs, nullptr);
}

// Repaints only what changed since the last look, and tells the input method
// where the visible caret went.
void MainWindow::showState() {
    if (window_ == nullptr || !scene_) {
        return;
    }
    box_->setLocked(c_.txtType.locked);
    showInputMethodNotice(c_, box_->rules(), Desktop::Windows);
    if (hints_ != nullptr) {
        showCodeHint(c_, hints_->line(static_cast<std::size_t>(form_.state().typedCount)),
                     measure_);
    }
    strip_.arrange(c_, measure_);
    const HRGN changed = changedRegion(scene_->update());
    InvalidateRgn(window_, changed, FALSE);
    DeleteObject(changed);
    if (const SceneItem* caret = scene_->find("Line1"); caret != nullptr && scene_->lineMoved()) {
        box_->caretMoved({caret->box.left, caret->box.top}, caret->box.height());
    }
}

// Double-buffered: the changed area is drawn off screen, then copied.
void MainWindow::paint() {
    PAINTSTRUCT ps{};
    const HDC screen = BeginPaint(window_, &ps);
    const RECT& area = ps.rcPaint;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width > 0 && height > 0) {
        const HDC buffer = CreateCompatibleDC(screen);
        const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
        const HGDIOBJ previousBitmap = SelectObject(buffer, bitmap);
        SetViewportOrgEx(buffer, -area.left, -area.top, nullptr);
        const HRGN clip = CreateRectRgn(0, 0, width, height);
        SelectClipRgn(buffer, clip);
        DeleteObject(clip);
        const HGDIOBJ previousFont = SelectObject(buffer, fonts_->font(FontRole::Standard));
        SetBkColor(buffer, GetSysColor(COLOR_BTNFACE));
        ExtTextOutW(buffer, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
        paintScene(buffer, *scene_, *fonts_);
        BitBlt(screen, area.left, area.top, width, height, buffer, area.left, area.top, SRCCOPY);
        SelectObject(buffer, previousFont);
        SelectObject(buffer, previousBitmap);
        DeleteObject(bitmap);
        DeleteDC(buffer);
    }
    EndPaint(window_, &ps);
}

void MainWindow::applyDpi(int dpi) {
    if (fonts_ && fonts_->dpi() == dpi) {
        return;
    }
    fonts_ = std::make_unique<GdiFonts>(dpi);
    if (box_) {
        SendMessageW(box_->hwnd(), WM_SETFONT,
                     reinterpret_cast<WPARAM>(fonts_->font(FontRole::Standard)), FALSE);
        placeTypingBox();
    }
    scene_ = std::make_unique<Scene>(design_, c_, measure_, dpi);
    InvalidateRect(window_, nullptr, FALSE);
    showState();
}

void MainWindow::placeTypingBox() const {
    const RECT r = designRect(design_, "txtType", fonts_->dpi());
    SetWindowPos(box_->hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace keyloom
