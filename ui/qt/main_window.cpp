#include "ui/qt/main_window.h"

#include "practice/ring.h"
#include "ui/qt/fonts.h"
#include "ui/qt/glyph_warmer.h"
#include "ui/qt/pane_widget.h"
#include "ui/qt/qt_strings.h"
#include "ui/qt/twips.h"
#include "ui/qt/typing_box.h"
#include "ui/qt/window_builder.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace keyloom {
namespace {

bool sameCaret(const LineShape& a, const LineShape& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

} // namespace

MainWindow::MainWindow(FrmMain& form, MainControls& controls, const WindowDescription& design,
                       FatalErrorReport onFatalError, AboutBoxOpener openAboutBox)
    : form_(form), c_(controls), onFatalError_(std::move(onFatalError)),
      openAboutBox_(std::move(openAboutBox)) {
    // A fixed single border with the close button only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    box_ = new TypingBox(
        c_.txtType,
        {.onKeyDown = [this](Counter code, Counter shift) { return keyDown(code, shift); },
         .onChange = [this] { textChanged(); },
         .caretRect = [this] { return caretRectInBox(); },
         .onHelp =
             [this] {
                 if (openAboutBox_) {
                     openAboutBox_(this);
                 }
             }},
        this);
    if (const ElementDesign* e = findElement(design, "txtType")) {
        box_->setGeometry(pixelRect(e->left, e->top, e->width, e->height).toRect());
    }

    const BuiltWindow built = buildWindow(*this, design, [&](const ElementDesign& e) {
        return e.kind == ElementKind::PictureBox ? makePane(design, e) : nullptr;
    });
    picEgg_ = built.find<PaneWidget>("picEgg");
    picType_ = built.find<PaneWidget>("picType");
    for (const auto& [name, widget] : built.widgets) {
        auto* view = qobject_cast<QLabel*>(widget);
        if (Label* label = findLabel(c_, name); view != nullptr && label != nullptr) {
            labels_.push_back({label, view, toU16(view->text())});
        }
    }

    warmer_ = new GlyphWarmer(fontFor(FontRole::Row), this);

    timer1_ = built.timer("Timer1");
    timer2_ = built.timer("Timer2");
    connect(timer1_, &QTimer::timeout, this, [this] { guarded([this] { form_.Timer1_Timer(); }); });
    connect(timer2_, &QTimer::timeout, this, [this] { guarded([this] { form_.Timer2_Timer(); }); });
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
    failed_ = true;
    box_->detach();
}

template <class Handler> bool MainWindow::guarded(Handler&& handler) {
    if (failed_) {
        return false;
    }
    try {
        handler();
    } catch (const std::exception& error) {
        failed_ = true;
        timer1_->stop();
        timer2_->stop();
        onFatalError_(error);
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

// The labels from the design inside a picture box, and its line, are drawn by
// the box's pane from their controls.
PaneWidget* MainWindow::makePane(const WindowDescription& design, const ElementDesign& box) {
    std::vector<const LabelArray*> arrays;
    const LineShape* line = nullptr;
    for (const ElementDesign& e : design.elements) {
        if (e.container != box.name) {
            continue;
        }
        if (const LabelArray* array = findLabelArray(c_, e.name);
            array != nullptr && std::ranges::find(arrays, array) == arrays.end()) {
            arrays.push_back(array);
        }
        if (e.kind == ElementKind::Line) {
            line = findLine(c_, e.name);
        }
    }
    const PictureBox* picture = findPictureBox(c_, box.name);
    return picture != nullptr ? new PaneWidget(*picture, std::move(arrays), line, this) : nullptr;
}

void MainWindow::showState() {
    for (LabelView& view : labels_) {
        if (view.shownCaption != view.label->caption) {
            view.shownCaption = view.label->caption;
            view.view->setText(toQString(view.shownCaption));
            sizeToText(*view.view, view.label->autoSize);
        }
        if (view.view->isVisibleTo(this) != view.label->visible) {
            view.view->setVisible(view.label->visible);
        }
    }
    picEgg_->showChanges();
    picType_->showChanges();
    if (form_.state().nextLine != preparedLine_) {
        preparedLine_ = form_.state().nextLine;
        warmer_->prepare(lessonLineView(form_.state().lessonText, preparedLine_));
    }
    if (!sameCaret(shownCaret_, c_.Line1)) {
        shownCaret_ = c_.Line1;
        box_->caretMoved();
    }
}

QRect MainWindow::caretRectInBox() const {
    const QPointF top(toPixels(c_.Line1.x1), toPixels(c_.Line1.y1));
    const QPoint inWindow = picType_->mapTo(this, top.toPoint());
    const QPoint inBox = box_->mapFrom(this, inWindow);
    const int height = qMax(1, qRound(toPixels(c_.Line1.y2 - c_.Line1.y1)));
    return {inBox, QSize(1, height)};
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The focus goes to the box once the window is shown, so that the input
    // method meets a focused box in a mapped window.
    box_->setFocus(Qt::ActiveWindowFocusReason);
}

} // namespace keyloom
