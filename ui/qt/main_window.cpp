#include "ui/qt/main_window.h"

#include "ui/qt/colours.h"
#include "ui/qt/fonts.h"
#include "ui/qt/pane_widget.h"
#include "ui/qt/twips.h"
#include "ui/qt/typing_box.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace keyloom {
namespace {

constexpr Counter kKeyF1 = 112;

QString toQString(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

bool sameCaret(const LineShape& a, const LineShape& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

int intervalOf(const WindowDescription& design, std::string_view timer) {
    const ElementDesign* element = findElement(design, timer);
    return element != nullptr ? element->intervalMs : 0;
}

} // namespace

MainWindow::MainWindow(FrmMain& form, MainControls& controls, const WindowDescription& design,
                       FatalErrorReport onFatalError, AboutBoxOpener openAboutBox)
    : form_(form), c_(controls), onFatalError_(std::move(onFatalError)),
      openAboutBox_(std::move(openAboutBox)) {
    setWindowTitle(
        QString::fromUtf16(design.caption.data(), static_cast<qsizetype>(design.caption.size())));
    // A fixed single border with the close button only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(QSizeF(toPixels(design.clientWidth), toPixels(design.clientHeight)).toSize());
    setFont(fontFor(FontRole::Standard));

    box_ = new TypingBox(
        c_.txtType,
        {.onKeyDown = [this](Counter code, Counter shift) { return keyDown(code, shift); },
         .onChange = [this] { textChanged(); },
         .caretRect = [this] { return caretRectInBox(); }},
        this);
    if (const ElementDesign* e = findElement(design, "txtType")) {
        box_->setGeometry(pixelRect(e->left, e->top, e->width, e->height).toRect());
    }

    picType_ = new PaneWidget(c_.picType, {&c_.lblType}, &c_.Line1, this);
    picEgg_ = new PaneWidget(c_.picEgg, {&c_.lblEgg, &c_.lblErr, &c_.lblOK}, nullptr, this);

    for (const Label* label :
         {&c_.lblTtime, &c_.lblTime, &c_.Label6, &c_.Label5, &c_.Label3, &c_.lblSudu, &c_.lblTF,
          &c_.Label4, &c_.lblFalse, &c_.lblTrue, &c_.Label2, &c_.Label1}) {
        auto* view = new QLabel(this);
        view->setFont(fontFor(label->font));
        view->setTextFormat(Qt::PlainText);
        view->setGeometry(pixelRect(label->left, label->top, label->width, label->height).toRect());
        if (label->backColor != ElementDesign::kStandardColour) {
            // The value boxes: an opaque box, the number right-justified in it.
            view->setAutoFillBackground(true);
            QPalette palette = view->palette();
            palette.setColor(QPalette::Window, toQColor(label->backColor, Qt::white));
            view->setPalette(palette);
            view->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        labels_.emplace_back(label, view);
    }

    timer1_ = new QTimer(this);
    timer1_->setTimerType(Qt::PreciseTimer); // the clock counts ticks
    timer1_->setInterval(intervalOf(design, "Timer1"));
    connect(timer1_, &QTimer::timeout, this, [this] { guarded([this] { form_.Timer1_Timer(); }); });
    timer2_ = new QTimer(this);
    timer2_->setTimerType(Qt::PreciseTimer);
    timer2_->setInterval(intervalOf(design, "Timer2"));
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
    const bool handled = guarded([&] { form_.txtType_KeyDown(keyCode, shift); });
    if (handled && keyCode == kKeyF1 && openAboutBox_) {
        // The dialog takes the focus; an open composition is abandoned, as
        // with Esc, so that its pinyin is not committed.
        box_->abandonComposition();
        openAboutBox_(this);
    }
    return handled;
}

void MainWindow::textChanged() {
    guarded([this] { form_.txtType_Change(); });
}

void MainWindow::showState() {
    for (const auto& [label, view] : labels_) {
        const QString caption = toQString(label->caption);
        if (view->text() != caption) {
            view->setText(caption);
            if (label->autoSize) {
                view->adjustSize();
            }
        }
        view->setVisible(label->visible);
    }
    picEgg_->update();
    picType_->update();
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
