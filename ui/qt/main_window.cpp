// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/main_window.h"

#include "practice/ring.h"
#include "text/code_points.h"
#include "ui/code_hints.h"
#include "ui/input_method_notice.h"
#include "ui/qt/early_keys.h"
#include "ui/qt/fonts.h"
#include "ui/qt/glyph_warmer.h"
#include "ui/qt/keystroke_tap.h"
#include "ui/qt/lesson_commands.h"
#include "ui/qt/pane_widget.h"
#include "ui/qt/qt_geometry.h"
#include "ui/qt/qt_strings.h"
#include "ui/qt/typing_box.h"
#include "ui/qt/window_builder.h"

#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QRawFont>
#include <QScreen>
#include <QTimer>
#include <array>

namespace keyloom {
namespace {

// The lesson's rows: the pane that shows them gets the next line ready.
constexpr std::string_view kReferenceRows = "lblEgg";

// A width measured in twips and placed in whole pixels may come out a pixel
// short.
constexpr int kRoundingSlack = 1;

// Whether the font itself has every character of `text`: a line of it is then
// as high as the font's own lines (a character drawn from a fallback font may
// make it higher).
bool fontHasAll(const QFont& font, const QString& text) {
    const QRawFont raw = QRawFont::fromFont(font);
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t character = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            character = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        if (!raw.supportsCharacter(character)) {
            return false;
        }
    }
    return true;
}

} // namespace

MainWindow::MainWindow(FrmMain& form, MainControls& controls, const WindowDescription& design,
                       FatalErrorReport onFatalError, AboutBoxOpener openAboutBox,
                       NewRunStarter startNewRun)
    : form_(form), controls_(controls), actions_{{ProgramCommand::About, std::move(openAboutBox)}},
      scene_(design, controls, measure_),
      guarded_(
          [this, report = std::move(onFatalError)](const std::exception& error) {
              timer1_->stop();
              timer2_->stop();
              report(error);
          },
          [this] { showState(); }) {
    if (startNewRun) {
        lessonCommands_ =
            std::make_unique<LessonCommands>(*this, form_.state(), std::move(startNewRun));
        for (const auto& [command, lessonCommand] :
             {std::pair{ProgramCommand::Restart, LessonCommand::Restart},
              std::pair{ProgramCommand::LoadClipboard, LessonCommand::LoadClipboard},
              std::pair{ProgramCommand::OpenFile, LessonCommand::OpenFile}}) {
            setCommandAction(command, [this, lessonCommand = lessonCommand](QWidget* /*parent*/) {
                lessonCommands_->run(lessonCommand);
            });
        }
        setAcceptDrops(true);
    }
    // A fixed single border with the close button only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    box_ = new TypingBox(
        controls.txtType,
        {.onKeyDown = [this](Counter code, Counter shift) { return keyDown(code, shift); },
         .onChange = [this] { textChanged(); },
         .caretRect = [this] { return caretRectInBox(); },
         .onCommand = [this](ProgramCommand command) { runCommand(command); }},
        this);
    tap_ = new KeystrokeTap(form_.record(), box_);
    new EarlyKeys(*box_); // after the tap: held keys are counted when they go on

    if (const ElementDesign* e = findElement(design, "txtType")) {
        box_->setGeometry(
            toQRect(pixelRect(e->look.left, e->look.top, e->look.width, e->look.height)));
    }

    constexpr std::array kDrawnByWindow{kCodeHintLabel};
    const BuiltWindow built = buildWindow(
        *this, design,
        [&](const ElementDesign& e) -> QWidget* {
            if (e.kind != ElementKind::PictureBox) {
                return nullptr;
            }
            return panes_.emplace_back(new PaneWidget(e.name, this));
        },
        kDrawnByWindow);
    if (const ElementDesign* e = findElement(design, kCodeHintLabel)) {
        hint_.emplace(*e, *this);
    }
    for (const auto& [name, widget] : built.widgets) {
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            labels_.emplace(name, std::pair(label, findElement(design, name)->look.autoSize));
        }
    }

    timer1_ = built.timer("Timer1");
    timer2_ = built.timer("Timer2");
    connect(timer1_, &QTimer::timeout, this,
            [this] { guarded_([this] { form_.Timer1_Timer(); }); });
    connect(timer2_, &QTimer::timeout, this,
            [this] { guarded_([this] { form_.Timer2_Timer(); }); });
    timer1_->start();
    timer2_->start();

    showState();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

MainWindow::~MainWindow() {
    // Destroying the focused box hands the focus on, and the input method
    // answers with a last commit into a window whose parts are going.
    guarded_.stop();
    box_->detach();
}

bool MainWindow::keyDown(Counter keyCode, Counter shift) {
    return guarded_([&] { form_.txtType_KeyDown(keyCode, shift); });
}

void MainWindow::runCommand(ProgramCommand command) {
    const auto found = actions_.find(command);
    if (found != actions_.end() && found->second && !guarded_.stopped()) {
        found->second(this);
    }
}

void MainWindow::setCodeHints(CodeHints* hints) {
    hints_ = hints;
    if (hint_) {
        hintWarmer_ = new GlyphWarmer(hint_->font(), this);
    }
    setCommandAction(ProgramCommand::CodeHint, [this](QWidget* /*parent*/) {
        hints_->next();
        showState();
    });
    showState();
}

void MainWindow::showCodeHintChoice() {
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

void MainWindow::showState() {
    if (box_ != nullptr) {
        showInputMethodNotice(controls_, box_->rules(), Desktop::Linux);
    }
    if (hints_ != nullptr) {
        showCodeHint(controls_, hints_->line(static_cast<std::size_t>(form_.state().typedCount)),
                     measure_);
    }
    strip_.arrange(controls_, measure_);
    const std::vector<SceneChange>& changes = scene_.update();
    if (changes.empty()) {
        return;
    }
    for (const SceneChange& change : changes) {
        if (change.now != nullptr && change.now->pane.empty() &&
            change.now->kind == SceneItem::Kind::Text) {
            showLabel(*change.now);
        }
    }
    for (PaneWidget* pane : panes_) {
        pane->showChanges(changes);
    }
    if (form_.state().nextLine != preparedLine_) {
        preparedLine_ = form_.state().nextLine;
        const std::u16string_view line = lessonLineView(form_.state().lessonText, preparedLine_);
        // Like a row that its pane does not cut: the line then fits every row.
        const SceneItem* like = nullptr;
        for (Counter row = 0; row < kRingSize; ++row) {
            const SceneItem* item = scene_.find(kReferenceRows, row);
            if (item != nullptr &&
                (like == nullptr || item->reach.height() > like->reach.height())) {
                like = item;
            }
        }
        for (PaneWidget* pane : panes_) {
            if (like != nullptr && pane->name() == like->pane) {
                pane->prepare(line, *like);
            }
        }
    }
    // The hint shows what follows the caret, up into the next row: the rest
    // of this row and the next are got ready in its font once per row, and
    // once more when the table becomes ready, which may be rows into a run.
    const Counter typed = form_.state().typedCount;
    const auto row = static_cast<Counter>(typed / kRowWidth);
    if (hintWarmer_ != nullptr && row != hintRow_ && hints_->table() != nullptr) {
        hintRow_ = row;
        hintWarmer_->prepare(
            codePointSlice(form_.state().lessonText, static_cast<std::size_t>(typed),
                           static_cast<std::size_t>(2 * kRowWidth - typed % kRowWidth)));
    }
    if (scene_.lineMoved()) {
        box_->caretMoved();
    }
}

// A label on the client area is a QLabel of its own, which sizes itself;
// but the code hint, which the window draws.
void MainWindow::showLabel(const SceneItem& item) {
    if (hint_ && item.name == kCodeHintLabel) {
        hint_->show(item);
        // Told to assistive technology with the box that has the focus.
        if (box_->accessibleDescription() != hint_->text()) {
            box_->setAccessibleDescription(hint_->text());
        }
        return;
    }
    const auto found = labels_.find(item.name);
    if (found == labels_.end()) {
        return;
    }
    auto& [view, autoSize] = found->second;
    const QString caption = toQString(item.caption);
    if (view->text() != caption) {
        view->setText(caption);
        if (autoSize && !view->wordWrap() && !caption.contains(u'\n') &&
            fontHasAll(view->font(), caption)) {
            // One line of the label's font, as wide as the scene measured it:
            // the label's own size hint would lay the text out once more,
            // which costs as much as drawing it, and a label such as the code
            // hint changes with every key.
            view->resize(item.box.right - item.box.left + kRoundingSlack,
                         view->fontMetrics().height());
        } else {
            sizeToText(*view, autoSize);
        }
    }
    if (view->pos() != QPoint(item.box.left, item.box.top)) {
        view->move(item.box.left, item.box.top);
    }
    if (view->isVisibleTo(this) != item.visible) {
        view->setVisible(item.visible);
    }
}

QRect MainWindow::caretRectInBox() const {
    const SceneItem* caret = scene_.find("Line1");
    if (caret == nullptr) {
        return {};
    }
    const QPoint inBox = box_->mapFrom(this, QPoint(caret->box.left, caret->box.top));
    return {inBox, QSize(1, caret->box.height())};
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (lessonCommands_ && !guarded_.stopped() && LessonCommands::droppedFile(*event->mimeData())) {
        event->acceptProposedAction();
    }
}

// The file is opened once the drop is over, so that the program it came from
// does not wait on a message box.
void MainWindow::dropEvent(QDropEvent* event) {
    const auto file = lessonCommands_ && !guarded_.stopped()
                          ? LessonCommands::droppedFile(*event->mimeData())
                          : std::nullopt;
    if (file) {
        event->acceptProposedAction();
        QTimer::singleShot(0, this, [this, path = *file] {
            box_->abandonComposition();
            lessonCommands_->open(path);
        });
    }
}

void MainWindow::paintEvent(QPaintEvent* event) {
    if (hint_) {
        hint_->paint(event->region());
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The focus goes to the box once the window is shown, so that the input
    // method meets a focused box in a mapped window.
    box_->setFocus(Qt::ActiveWindowFocusReason);
}

} // namespace keyloom
