#pragma once

#include "practice/frm_main.h"
#include "forms/window_description.h"

#include <QWidget>
#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QTimer;

namespace keyloom {

class GlyphWarmer;
class KeystrokeTap;
class PaneWidget;
class TypingBox;

// The main window: shows the controls' state and hands the toolkit's events
// to the handlers. Every handler runs inside `guarded`, so an error never
// unwinds through Qt's event loop; it goes to `onFatalError` instead, after
// which the window handles no more events.
class MainWindow : public QWidget {
    Q_OBJECT

  public:
    using FatalErrorReport = std::function<void(const std::exception&)>;
    // Opens the about box; F1 calls it after the key-down handler.
    using AboutBoxOpener = std::function<void(QWidget* parent)>;

    MainWindow(FrmMain& form, MainControls& controls, const WindowDescription& design,
               FatalErrorReport onFatalError, AboutBoxOpener openAboutBox = {});
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    MainWindow(MainWindow&&) = delete;
    MainWindow& operator=(MainWindow&&) = delete;

    // Opens the practice report; F2 calls it after the key-down handler.
    using ReportOpener = std::function<void(QWidget* parent)>;
    void setReportOpener(ReportOpener openReport) { openReport_ = std::move(openReport); }

    [[nodiscard]] TypingBox* typingBox() const { return box_; }
    [[nodiscard]] QTimer* clockTimer() const { return timer1_; }
    [[nodiscard]] QTimer* caretTimer() const { return timer2_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    template <class Handler> bool guarded(Handler&& handler);
    bool keyDown(Counter keyCode, Counter shift);
    void textChanged();
    void showState();
    void abandonComposition();
    PaneWidget* makePane(const WindowDescription& design, const ElementDesign& box);
    [[nodiscard]] QRect caretRectInBox() const;

    FrmMain& form_;
    MainControls& c_;
    FatalErrorReport onFatalError_;
    AboutBoxOpener openAboutBox_;
    ReportOpener openReport_;
    KeystrokeTap* tap_ = nullptr;
    bool failed_ = false;
    PaneWidget* picEgg_ = nullptr;
    PaneWidget* picType_ = nullptr;
    TypingBox* box_ = nullptr;
    QTimer* timer1_ = nullptr;
    QTimer* timer2_ = nullptr;
    // A label on the client area, its view, and the caption the view shows.
    struct LabelView {
        const Label* label;
        QLabel* view;
        std::u16string shownCaption;
    };
    std::vector<LabelView> labels_;
    LineShape shownCaret_;
    GlyphWarmer* warmer_ = nullptr;
    Counter preparedLine_ = -1; // the lesson line last handed to `warmer_`
};

} // namespace keyloom
