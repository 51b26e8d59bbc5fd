#include "ui/qt/about_dialog.h"

#include "about/system_platform.h"
#include "ui/frm_about_design.h"
#include "ui/qt/colours.h"
#include "ui/qt/fonts.h"
#include "ui/qt/twips.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <map>

namespace keyloom {
namespace {

constexpr int kIconPixels = 32;

QString qs(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The program's icon, or a plain woven-key mark when it has none set.
QPixmap iconPixmap() {
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull()) {
        return icon.pixmap(kIconPixels, kIconPixels);
    }
    QPixmap pixmap(kIconPixels, kIconPixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1F, 0x5F, 0x8B));
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    painter.setBrush(Qt::white);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            painter.drawRect(QRectF(6 + column * 7.5, 6 + row * 7.5, 5, 5));
        }
    }
    return pixmap;
}

QRect geometryOf(const ElementDesign& e) {
    return pixelRect(e.left, e.top, e.width, e.height).toRect();
}

} // namespace

void QtMessageDialog::show(std::u16string_view text) {
    QMessageBox box(QMessageBox::NoIcon, qs(kKeyloomApp.title), qs(text), QMessageBox::Ok, parent_);
    box.exec();
}

AboutDialog::AboutDialog(QWidget* parent)
    : AboutDialog(systemRegistry(), systemFileFinder(), systemProgramStarter(), parent) {}

AboutDialog::AboutDialog(Registry& registry, const FileFinder& files, ProgramStarter& starter,
                         QWidget* parent, RegistryKey root)
    : QDialog(parent), messages_(this), about_({registry, files, starter, messages_}, root) {
    build(frmAboutDesign());
    Form_Load();
}

void AboutDialog::build(const WindowDescription& design) {
    setWindowTitle(qs(design.caption));
    if (design.fixedDialogFrame) {
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                       Qt::MSWindowsFixedSizeDialogHint);
    }
    setFixedSize(QSizeF(toPixels(design.clientWidth), toPixels(design.clientHeight)).toSize());
    setFont(fontFor(FontRole::Standard));

    std::map<int, QWidget*> tabOrder;
    for (const ElementDesign& e : design.elements) {
        QWidget* widget = nullptr;
        switch (e.kind) {
        case ElementKind::PictureBox: {
            auto* picture = new QLabel(this);
            picture->setPixmap(iconPixmap());
            picture->setGeometry(e.autoSize ? QRect(geometryOf(e).topLeft(), picture->sizeHint())
                                            : geometryOf(e));
            widget = picture;
            break;
        }
        case ElementKind::Button: {
            auto* button = new QPushButton(qs(e.caption), this);
            button->setGeometry(geometryOf(e));
            button->setDefault(e.defaultButton);
            if (e.cancelButton) {
                cancel_ = button;
            }
            if (e.name == "cmdOK") {
                cmdOK_ = button;
                connect(button, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
            } else if (e.name == "cmdSysInfo") {
                connect(button, &QPushButton::clicked, this, [this] { about_.cmdSysInfo_Click(); });
            }
            widget = button;
            break;
        }
        case ElementKind::Label: {
            auto* label = new QLabel(qs(e.caption), this);
            label->setGeometry(geometryOf(e));
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setWordWrap(true);
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText,
                             toQColor(e.foreColor, palette.color(QPalette::WindowText)));
            label->setPalette(palette);
            if (e.name == "lblTitle") {
                lblTitle_ = label;
            } else if (e.name == "lblVersion") {
                lblVersion_ = label;
            }
            widget = label;
            break;
        }
        case ElementKind::Line: lines_.push_back(&e); break;
        default: break;
        }
        if (widget != nullptr) {
            widget->setObjectName(
                QString::fromLatin1(e.name.data(), static_cast<qsizetype>(e.name.size())));
            if (e.tabIndex >= 0) {
                tabOrder[e.tabIndex] = widget;
            }
        }
    }
    QWidget* previous = nullptr;
    for (const auto& [index, widget] : tabOrder) {
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }
    if (cmdOK_ != nullptr) {
        cmdOK_->setFocus(Qt::OtherFocusReason);
    }
}

void AboutDialog::Form_Load() {
    AboutCaptions captions{.window = windowTitle().toStdU16String(),
                           .lblTitle = lblTitle_->text().toStdU16String(),
                           .lblVersion = lblVersion_->text().toStdU16String()};
    FrmAbout::Form_Load(captions);
    setWindowTitle(qs(captions.window));
    lblTitle_->setText(qs(captions.lblTitle));
    lblVersion_->setText(qs(captions.lblVersion));
    const ElementDesign* title = findElement(frmAboutDesign(), "lblTitle");
    if (title != nullptr && title->autoSize) {
        sizeToText(lblTitle_, *title);
    }
}

// Keeps the label's width and wraps its text there; the height follows.
void AboutDialog::sizeToText(QLabel* label, const ElementDesign& design) {
    const int width = geometryOf(design).width();
    label->resize(width, label->heightForWidth(width));
}

void AboutDialog::cmdOK_Click() {
    accept();
}

void AboutDialog::reject() {
    if (cancel_ != nullptr) {
        cancel_->click();
    } else {
        QDialog::reject();
    }
}

void AboutDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    // Each line fills whole pixel rows from its own row down, so the white
    // line of the separator lies just under the grey one.
    for (const ElementDesign* line : lines_) {
        const QPointF from(toPixels(line->left), toPixels(line->top));
        const QPointF to(toPixels(line->left + line->width), toPixels(line->top + line->height));
        const QColor colour = toQColor(line->foreColor, palette().color(QPalette::WindowText));
        const int thickness = std::max(1, line->lineWidthPx);
        const QRect area = QRectF(from, to).normalized().toRect();
        painter.fillRect(area.x(), area.y(), std::max(area.width(), thickness),
                         std::max(area.height(), thickness), colour);
    }
}

void showAboutBox(QWidget* parent) {
    AboutDialog dialog(parent);
    dialog.exec();
}

} // namespace keyloom
