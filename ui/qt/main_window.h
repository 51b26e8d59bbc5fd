// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/window_description.h"
#include "practice/frm_main.h"
#include "ui/handler_guard.h"
#include "ui/pane_strip.h"
#include "ui/program_keys.h"
#include "ui/qt/drawn_label.h"
#include "ui/qt/new_run_starter.h"
#include "ui/qt/qt_text_measure.h"
#include "ui/scene.h"

#include <QWidget>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QLabel;
class QTimer;

namespace keyloom {

class CodeHints;
class GlyphWarmer;
class KeystrokeTap;
class LessonCommands;
class PaneWidget;
class TypingBox;

// The main window: paints the scene of the controls' state and hands the
// toolkit's events to the handlers. Every handler runs inside `guarded_`, so
// an error never unwinds through Qt's event loop; it goes to `onFatalError`
// instead, after which the window handles no more events.
class MainWindow : public QWidget {
    Q_OBJECT

  public:
    using FatalErrorReport = std::function<void(const std::exception&)>;
    // What one of the program's own commands does, over this window.
    using CommandAction = std::function<void(QWidget* parent)>;
    // Opens the about box (F1).
    using AboutBoxOpener = CommandAction;

    // With `startNewRun`, F3, F4, Ctrl+O and a dropped file start a new run
    // in this window's place.
    MainWindow(FrmMain& form, MainControls& controls, const WindowDescription& design,
               FatalErrorReport onFatalError, AboutBoxOpener openAboutBox = {},
               NewRunStarter startNewRun = {});
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    MainWindow(MainWindow&&) = delete;
    MainWindow& operator=(MainWindow&&) = delete;

    // Gives a command its action; a command without one does nothing.
    void setCommandAction(ProgramCommand command, CommandAction action) {
        actions_[command] = std::move(action);
    }
    // Opens the practice report (F2).
    void setReportOpener(CommandAction openReport) {
        setCommandAction(ProgramCommand::Report, std::move(openReport));
    }

    // Runs after each change of the typed text, inside the handler guard, so
    // that what it shows is painted with the change.
    void setAfterChange(std::function<void()> afterChange) {
        afterChange_ = std::move(afterChange);
    }
    // The code hint, shown beside the next character; F6 chooses another.
    void setCodeHints(CodeHints* hints);
    // Shows the code hint again after its table was chosen other than by F6.
    void showCodeHintChoice();

    [[nodiscard]] TypingBox* typingBox() const { return box_; }
    // What the window shows, as its panes and labels draw it.
    [[nodiscard]] const Scene& scene() const { return scene_; }
    [[nodiscard]] QTimer* clockTimer() const { return timer1_; }
    [[nodiscard]] QTimer* caretTimer() const { return timer2_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    bool keyDown(Counter keyCode, Counter shift);
    void runCommand(ProgramCommand command);
    void textChanged();
    void showState();
    void showLabel(const SceneItem& item);
    [[nodiscard]] QRect caretRectInBox() const;

    FrmMain& form_;
    MainControls& controls_;
    std::map<ProgramCommand, CommandAction> actions_;
    QtTextMeasure measure_;
    Scene scene_;
    HandlerGuard guarded_;
    std::unique_ptr<LessonCommands> lessonCommands_; // none without a new-run starter
    std::function<void()> afterChange_;
    CodeHints* hints_ = nullptr;
    PaneStrip strip_;
    KeystrokeTap* tap_ = nullptr;
    std::vector<PaneWidget*> panes_;
    // The labels on the client area, and whether each sizes itself to its text.
    std::map<std::string_view, std::pair<QLabel*, bool>> labels_;
    std::optional<DrawnLabel> hint_; // the code hint, drawn by the window
    TypingBox* box_ = nullptr;
    QTimer* timer1_ = nullptr;
    QTimer* timer2_ = nullptr;
    // The same for the code hint's font, while a hint table is ready: the
    // hint shows the next characters in a font of its own.
    GlyphWarmer* hintWarmer_ = nullptr;
    Counter preparedLine_ = -1; // the lesson line last got ready
    Counter hintRow_ = -1;      // the row whose text the hint's font last got ready
};

} // namespace keyloom
