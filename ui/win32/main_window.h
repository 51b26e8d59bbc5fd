// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/window_description.h"
#include "practice/frm_main.h"
#include "practice/keystroke_counter.h"
#include "ui/handler_guard.h"
#include "ui/pane_strip.h"
#include "ui/program_keys.h"
#include "ui/scene.h"
#include "ui/win32/gdi_fonts.h"
#include "ui/win32/gdi_text_measure.h"
#include "ui/win32/lesson_commands.h"
#include "ui/win32/new_run_starter.h"
#include "ui/win32/typing_box.h"

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>
#include <windows.h>

namespace keyloom {

class CodeHints;

// The main window: paints the scene of the controls' state with GDI and
// hands Windows' messages to the handlers. Every handler runs inside
// `guarded_`, so an error never unwinds through the window procedure: it goes
// to `onFatalError`, after which the window handles no more events and closes
// with status 1.
class MainWindow {
  public:
    using FatalErrorReport = std::function<void(HWND owner, const std::exception&)>;
    // What one of the program's own commands does, over this window.
    using CommandAction = std::function<void(HWND owner)>;
    // Opens the about box (F1).
    using AboutBoxOpener = CommandAction;

    static constexpr UINT_PTR kTimer1 = 1;
    static constexpr UINT_PTR kTimer2 = 2;
    static constexpr UINT_PTR kLaterTimer = 3;
    static constexpr int kTypingBoxId = 100;

    // With `startNewRun`, F3, F4, Ctrl+O and a dropped file start a new run
    // in this window's place.
    MainWindow(FrmMain& form, MainControls& controls, const WindowDescription& design,
               FatalErrorReport onFatalError, AboutBoxOpener openAboutBox = {},
               NewRunStarter startNewRun = {});
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow();

    // Creates the window centred on its monitor, or with its top left corner
    // at `place`, sized for its dpi, and shows it with the focus in the
    // typing box.
    void create(int show, std::optional<POINT> place = std::nullopt);

    // Gives a command its action; a command without one does nothing.
    void setCommandAction(ProgramCommand command, CommandAction action) {
        actions_[command] = std::move(action);
    }
    // Opens the practice report (F2).
    void setReportOpener(CommandAction openReport) {
        setCommandAction(ProgramCommand::Report, std::move(openReport));
    }

    // The code hint, shown beside the next character; F6 chooses another.
    void setCodeHints(CodeHints* hints);
    // Runs after each change of the typed text, once the handlers have.
    void setAfterChange(std::function<void()> afterChange) {
        afterChange_ = std::move(afterChange);
    }
    // Runs `action` once, `delayMs` from now, as a handler runs; a later
    // call replaces one not yet run.
    void runLater(UINT delayMs, std::function<void()> action);

    [[nodiscard]] HWND hwnd() const { return window_; }
    [[nodiscard]] HWND typingBox() const { return box_ ? box_->hwnd() : nullptr; }
    [[nodiscard]] const TypingRules* typingRules() const { return box_ ? &box_->rules() : nullptr; }
    [[nodiscard]] int dpi() const { return fonts_ ? fonts_->dpi() : 0; }
    // What the window shows now, in client pixels.
    [[nodiscard]] const Scene& scene() const { return *scene_; }
    // The status the program ends with: 0, or 1 after an error.
    [[nodiscard]] int exitStatus() const { return exitStatus_; }

  private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT failed(const std::exception& error);
    void onCreate();
    bool keyDown(Counter keyCode, Counter shift);
    void runCommand(ProgramCommand command);
    void textChanged();
    void showState();
    void paint();
    void applyDpi(int dpi);
    void placeTypingBox() const;

    FrmMain& form_;
    MainControls& c_;
    const WindowDescription& design_;
    FatalErrorReport onFatalError_;
    std::map<ProgramCommand, CommandAction> actions_;
    CodeHints* hints_ = nullptr;
    PaneStrip strip_;
    std::function<void()> afterChange_;
    std::function<void()> later_;
    HandlerGuard guarded_;
    std::optional<LessonCommands> lessonCommands_; // none without a new-run starter
    KeystrokeCounter keystrokes_;
    HWND window_ = nullptr;
    std::unique_ptr<TypingBox> box_;
    std::unique_ptr<GdiFonts> fonts_;
    GdiTextMeasure measure_;
    std::unique_ptr<Scene> scene_; // at the window's dpi
    int exitStatus_ = 0;
};

} // namespace keyloom
