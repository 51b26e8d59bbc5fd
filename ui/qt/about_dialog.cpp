// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/about_dialog.h"

#include "about/system_platform.h"
#include "forms/frm_about_design.h"
#include "ui/qt/qt_strings.h"
#include "ui/qt/window_builder.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

namespace keyloom {
namespace {

constexpr int kIconPixels = 32;

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

} // namespace

void QtMessageDialog::show(std::u16string_view text) {
    QMessageBox box(QMessageBox::NoIcon, toQString(kKeyloomApp.title), toQString(text),
                    QMessageBox::Ok, parent_);
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
    if (design.fixedDialogFrame) {
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                       Qt::MSWindowsFixedSizeDialogHint);
    }
    const BuiltWindow built = buildWindow(*this, design, [this](const ElementDesign& e) {
        QWidget* widget = nullptr;
        if (e.name == "picIcon") {
            auto* picture = new QLabel(this);
            picture->setPixmap(iconPixmap());
            widget = picture;
        }
        return widget;
    });
    lblTitle_ = built.find<QLabel>("lblTitle");
    lblVersion_ = built.find<QLabel>("lblVersion");
    cmdOK_ = built.find<QPushButton>("cmdOK");
    for (const ElementDesign& e : design.elements) {
        if (e.kind == ElementKind::Button && e.cancelButton) {
            cancel_ = built.find<QPushButton>(e.name);
        }
    }
    if (cmdOK_ != nullptr) {
        connect(cmdOK_, &QPushButton::clicked, this, &AboutDialog::cmdOK_Click);
        cmdOK_->setFocus(Qt::OtherFocusReason);
    }
    if (auto* sysInfo = built.find<QPushButton>("cmdSysInfo")) {
        connect(sysInfo, &QPushButton::clicked, this, [this] { about_.cmdSysInfo_Click(); });
    }
}

void AboutDialog::Form_Load() {
    AboutCaptions captions{.window = windowTitle().toStdU16String(),
                           .lblTitle = lblTitle_->text().toStdU16String(),
                           .lblVersion = lblVersion_->text().toStdU16String()};
    FrmAbout::Form_Load(captions);
    setWindowTitle(toQString(captions.window));
    lblTitle_->setText(toQString(captions.lblTitle));
    lblVersion_->setText(toQString(captions.lblVersion));
    const ElementDesign* title = findElement(frmAboutDesign(), "lblTitle");
    sizeToText(*lblTitle_, title != nullptr && title->look.autoSize);
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

void showAboutBox(QWidget* parent) {
    AboutDialog dialog(parent);
    dialog.exec();
}

} // namespace keyloom
