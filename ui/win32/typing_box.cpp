#include "ui/win32/typing_box.h"

#include "practice/frm_main.h"

#include <imm.h>
#include <stdexcept>
#include <string>
#include <utility>

namespace keyloom {
namespace {

constexpr Counter kKeyF1 = VK_F1;
constexpr wchar_t kBackspaceChar = 8;
constexpr wchar_t kFirstPrintable = 0x20;
constexpr LPARAM kResultFlags =
    GCS_RESULTSTR | GCS_RESULTCLAUSE | GCS_RESULTREADSTR | GCS_RESULTREADCLAUSE;

// Keys that would move the caret or the selection away from the end.
bool movesCaret(WPARAM key) {
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT: return true;
    default: return false;
    }
}

// Messages that edit the box without typing, or let the user pick a place.
bool neverReachesTheBox(UINT message) {
    switch (message) {
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case WM_CONTEXTMENU:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MOUSEMOVE: return true;
    default: return false;
    }
}

} // namespace

Counter currentShiftState() {
    Counter shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        shift |= kShiftMask;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        shift |= kCtrlMask;
    }
    if (GetKeyState(VK_MENU) < 0) {
        shift |= kAltMask;
    }
    return shift;
}

TypingBox::TypingBox(HWND parent, RECT box, int id, Hooks hooks) : hooks_(std::move(hooks)) {
    edit_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
        box.left, box.top, box.right - box.left, box.bottom - box.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (edit_ == nullptr) {
        throw std::runtime_error("cannot create the typing box");
    }
    SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0); // the box has no length limit
    SetWindowLongPtrW(edit_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    editProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&subclassProc)));
}

void TypingBox::setLocked(bool locked) const {
    SendMessageW(edit_, EM_SETREADONLY, locked ? TRUE : FALSE, 0);
}

bool TypingBox::focused() const {
    return GetFocus() == edit_ && GetActiveWindow() == GetAncestor(edit_, GA_ROOT);
}

void TypingBox::caretMoved(POINT caret, int caretHeight) {
    imeCaret_ = caret;
    imeCaretHeight_ = caretHeight;
    placeInputMethod();
}

void TypingBox::placeInputMethod() const {
    // The input method's positions are in the box's own client coordinates.
    const int caretHeight = imeCaretHeight_;
    POINT inBox = imeCaret_;
    MapWindowPoints(GetParent(edit_), edit_, &inBox, 1);
    const HIMC context = ImmGetContext(edit_);
    if (context == nullptr) {
        return;
    }
    COMPOSITIONFORM composition{};
    composition.dwStyle = CFS_POINT | CFS_FORCE_POSITION;
    composition.ptCurrentPos = inBox;
    ImmSetCompositionWindow(context, &composition);
    CANDIDATEFORM candidate{};
    candidate.dwIndex = 0;
    candidate.dwStyle = CFS_EXCLUDE;
    candidate.ptCurrentPos = {inBox.x, inBox.y + caretHeight};
    candidate.rcArea = {inBox.x, inBox.y, inBox.x + 1, inBox.y + caretHeight};
    ImmSetCandidateWindow(context, &candidate);
    ImmReleaseContext(edit_, context);
}

void TypingBox::cancelComposition() const {
    const HIMC context = ImmGetContext(edit_);
    if (context != nullptr) {
        ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_CANCEL, 0);
        ImmReleaseContext(edit_, context);
    }
}

LRESULT CALLBACK TypingBox::subclassProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* box = reinterpret_cast<TypingBox*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
    return box->handle(message, wParam, lParam);
}

LRESULT TypingBox::callEdit(UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcW(editProc_, edit_, message, wParam, lParam);
}

void TypingBox::caretToEnd() const {
    const auto length = static_cast<WPARAM>(GetWindowTextLengthW(edit_));
    callEdit(EM_SETSEL, length, static_cast<LPARAM>(length));
}

// One character of a commit or of a punctuation key, typed at the end.
// Code 229 unlocks the box first, as when the input method took the keys:
// Wine's XIM path sends no key-down for them.
bool TypingBox::typeCharacter(wchar_t character, LPARAM lParam) {
    if (!focused()) {
        return false; // a flush of an abandoned composition, not typing
    }
    if (!hooks_.onKeyDown(kKeyProcessedByIme, 0)) {
        return false;
    }
    caretToEnd();
    callEdit(WM_CHAR, character, lParam);
    return true;
}

void TypingBox::commitResult() {
    const HIMC context = ImmGetContext(edit_);
    if (context == nullptr) {
        return;
    }
    const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
    std::wstring result(bytes > 0 ? static_cast<std::size_t>(bytes) / sizeof(wchar_t) : 0, L'\0');
    if (!result.empty()) {
        ImmGetCompositionStringW(context, GCS_RESULTSTR, result.data(), static_cast<DWORD>(bytes));
    }
    ImmReleaseContext(edit_, context);
    for (const wchar_t character : result) {
        if (!typeCharacter(character, 1)) {
            return;
        }
    }
}

LRESULT TypingBox::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (hooks_.onMessage) {
        hooks_.onMessage(message, wParam);
    }
    if (neverReachesTheBox(message)) {
        return 0;
    }
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        const auto code = static_cast<Counter>(wParam & 0xFFFFU);
        if (!hooks_.onKeyDown(code, currentShiftState())) {
            return 0;
        }
        if (code == kKeyF1) {
            cancelComposition();
            if (hooks_.onHelp) {
                hooks_.onHelp();
            }
            return 0;
        }
        if (movesCaret(wParam)) {
            return 0;
        }
        return callEdit(message, wParam, lParam);
    }
    case WM_CHAR: {
        const auto character = static_cast<wchar_t>(wParam);
        if (character == kBackspaceChar) {
            caretToEnd();
            return callEdit(message, wParam, lParam);
        }
        if (character < kFirstPrintable || !focused()) {
            return 0; // Ctrl+A, Ctrl+V, Enter, Esc and the like edit nothing
        }
        caretToEnd();
        return callEdit(message, wParam, lParam);
    }
    case WM_IME_STARTCOMPOSITION:
        hooks_.onKeyDown(kKeyProcessedByIme, 0);
        placeInputMethod();
        return callEdit(message, wParam, lParam);
    case WM_IME_COMPOSITION:
        if ((lParam & GCS_RESULTSTR) != 0) {
            commitResult();
            return callEdit(message, wParam, lParam & ~kResultFlags);
        }
        return callEdit(message, wParam, lParam);
    case WM_IME_CHAR:
        typeCharacter(static_cast<wchar_t>(wParam), lParam);
        return 0; // already typed: the default would post a WM_CHAR as well
    case WM_KILLFOCUS: cancelComposition(); return callEdit(message, wParam, lParam);
    default: return callEdit(message, wParam, lParam);
    }
}

} // namespace keyloom
