#include "ui/win32/main_window.h"

#include "ui/win32/dpi.h"
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

int intervalOf(const WindowDescription& design, std::string_view timer) {
    const ElementDesign* element = findElement(design, timer);
    return element != nullptr ? element->intervalMs : 0;
}

bool sameCaret(const LineShape& a, const LineShape& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
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
                       FatalErrorReport onFatalError, AboutBoxOpener openAboutBox)
    : form_(form), c_(controls), design_(design), onFatalError_(std::move(onFatalError)),
      openAboutBox_(std::move(openAboutBox)) {}

MainWindow::~MainWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void MainWindow::create(int show) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerClass(instance, &windowProc);
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
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - outer.cx) / 2,
                 work.top + (work.bottom - work.top - outer.cy) / 2, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, show);
    UpdateWindow(window_);
    SetFocus(box_->hwnd());
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->handle(message, wParam, lParam);
    } catch (const std::exception& error) {
        // Nothing unwinds through Windows' frames: the same report as a handler's.
        self->failed_ = true;
        self->onFatalError_(window, error);
        return 0;
    }
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: onCreate(); return 0;
    case WM_COMMAND: return 0; // the typing box reports its changes itself
    case WM_TIMER:
        if (wParam == kTimer1) {
            guarded([this] { form_.Timer1_Timer(); });
        } else if (wParam == kTimer2) {
            guarded([this] { form_.Timer2_Timer(); });
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
        closing_ = true;
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        // Nothing reaches the handlers once the window is being torn down.
        closing_ = true;
        KillTimer(window_, kTimer1);
        KillTimer(window_, kTimer2);
        PostQuitMessage(exitStatus_);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        break;
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::onCreate() {
    fonts_ = std::make_unique<GdiFonts>(windowDpi(window_));
    RECT boxRect{};
    if (const ElementDesign* e = findElement(design_, "txtType")) {
        boxRect = pixelRect(0, 0, e->left, e->top, e->width, e->height, fonts_->dpi());
    }
    box_ = std::make_unique<TypingBox>(
        window_, boxRect, kTypingBoxId, c_.txtType,
        TypingBox::Hooks{
            .onKeyDown = [this](Counter code, Counter shift) { return keyDown(code, shift); },
            .onChange = [this] { textChanged(); },
            .onHelp =
                [this] {
                    if (openAboutBox_ && !failed_ && !closing_) {
                        openAboutBox_(window_);
                    }
                }});
    SendMessageW(box_->hwnd(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(fonts_->font(FontRole::Standard)), FALSE);
    SetTimer(window_, kTimer1, static_cast<UINT>(intervalOf(design_, "Timer1")), nullptr);
    SetTimer(window_, kTimer2, static_cast<UINT>(intervalOf(design_, "Timer2")), nullptr);
    showState();
}

template <class Handler> bool MainWindow::guarded(Handler&& handler) {
    if (failed_ || closing_) {
        return false;
    }
    try {
        handler();
    } catch (const std::exception& error) {
        failed_ = true;
        exitStatus_ = 1;
        KillTimer(window_, kTimer1);
        KillTimer(window_, kTimer2);
        onFatalError_(window_, error);
        closing_ = true;
        DestroyWindow(window_);
        return false;
    }
    showState();
    return true;
}

bool MainWindow::keyDown(Counter keyCode, Counter shift) {
    return guarded([&] { form_.txtType_KeyDown(keyCode, shift); });
}

void MainWindow::textChanged() {
    guarded([this] { form_.txtType_Change(); });
}

// Repaints only what changed since the last look, and tells the input method
// where the visible caret went.
void MainWindow::showState() {
    if (window_ == nullptr || !fonts_) {
        return;
    }
    box_->setLocked(c_.txtType.locked);
    const HDC dc = GetDC(window_);
    std::vector<DrawItem> next = buildScene(c_, *fonts_, dc);
    ReleaseDC(window_, dc);
    const HRGN changed = changedRegion(shown_, next);
    InvalidateRgn(window_, changed, FALSE);
    DeleteObject(changed);
    shown_ = std::move(next);
    if (!sameCaret(shownCaret_, c_.Line1)) {
        shownCaret_ = c_.Line1;
        const int dpi = fonts_->dpi();
        const POINT caret{toPixels(c_.picType.left + c_.Line1.x1, dpi),
                          toPixels(c_.picType.top + c_.Line1.y1, dpi)};
        box_->caretMoved(caret, std::max(1, toPixels(c_.Line1.y2 - c_.Line1.y1, dpi)));
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
        paintScene(buffer, shown_, *fonts_);
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
    shown_.clear();
    shownCaret_ = {};
    InvalidateRect(window_, nullptr, FALSE);
    showState();
}

void MainWindow::placeTypingBox() const {
    if (const ElementDesign* e = findElement(design_, "txtType")) {
        const RECT r = pixelRect(0, 0, e->left, e->top, e->width, e->height, fonts_->dpi());
        SetWindowPos(box_->hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace keyloom
