// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/about_dialog.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace keyloom;

namespace {

// A registry without the tool's entries: every key is missing.
class EmptyRegistry : public Registry {
  public:
    std::int32_t openKey(RegistryKey /*root*/, std::string_view /*subKey*/,
                         std::uint32_t /*options*/, std::uint32_t /*access*/,
                         RegistryKey& key) override {
        key = 0;
        return kErrorFileNotFound;
    }
    std::int32_t queryValue(RegistryKey /*key*/, std::string_view /*name*/, std::uint32_t& /*type*/,
                            std::span<std::uint8_t> /*data*/, std::uint32_t& /*size*/) override {
        return kErrorFileNotFound;
    }
    std::int32_t closeKey(RegistryKey /*key*/) override { return 0; }
    [[nodiscard]] std::string toSystemCodePage(std::u16string_view text) const override {
        return {text.begin(), text.end()};
    }
    [[nodiscard]] std::u16string fromSystemCodePage(std::string_view bytes) const override {
        return {bytes.begin(), bytes.end()};
    }
    [[nodiscard]] std::string expandEnvironmentStrings(std::string_view bytes) const override {
        return std::string(bytes);
    }
};

class NoFiles : public FileFinder {
  public:
    [[nodiscard]] std::u16string findFile(std::u16string_view /*path*/) const override {
        return {};
    }
};

class CountingStarter : public ProgramStarter {
  public:
    void start(std::u16string_view /*path*/) override { ++starts; }
    int starts = 0;
};

// Runs `inspect` on the modal window that opens next, then closes it. The
// window may open inside a nested event loop, so this polls from a timer.
void whenModalOpens(QObject* owner, std::function<void(QWidget*)> inspect) {
    auto* poll = new QTimer(owner);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, inspect = std::move(inspect)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        inspect(modal);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    poll->start();
}

} // namespace

class AboutDialogTest : public QObject {
    Q_OBJECT

    EmptyRegistry registry;
    NoFiles files;
    CountingStarter starter;

    std::unique_ptr<AboutDialog> openDialog() {
        auto dialog = std::make_unique<AboutDialog>(registry, files, starter, nullptr);
        dialog->show();
        dialog->activateWindow();
        if (!QTest::qWaitForWindowActive(dialog.get())) {
            qWarning("the dialog never became active");
        }
        return dialog;
    }

  private slots:
    void showsCaptionsAndLayout() {
        const auto dialog = openDialog();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("关于 KeyloomV1.0"));
        QCOMPARE(dialog->size(), QSize(382, 237));
        QVERIFY(!(dialog->windowFlags() & Qt::WindowMinMaxButtonsHint));

        auto* title = dialog->findChild<QLabel*>(QStringLiteral("lblTitle"));
        auto* version = dialog->findChild<QLabel*>(QStringLiteral("lblVersion"));
        QVERIFY(title && version);
        QCOMPARE(title->text(), QStringLiteral("KeyloomV1.0"));
        QCOMPARE(version->text(), QStringLiteral("版本 1.0.0"));
        QCOMPARE(title->pos(), QPoint(70, 16));
        QCOMPARE(title->width(), 131);
        QVERIFY2(title->height() >= title->fontMetrics().height(), "grown to its text");

        auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"));
        auto* sysInfo = dialog->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
        QVERIFY(ok && sysInfo);
        QCOMPARE(ok->text(), QStringLiteral("确定"));
        QCOMPARE(ok->geometry(), QRect(275, 175, 100, 23));
        QCOMPARE(sysInfo->text(), QStringLiteral("系统信息(&S)..."));
        QCOMPARE(sysInfo->geometry(), QRect(276, 205, 99, 23));
        QVERIFY(ok->isDefault());
        QCOMPARE(QApplication::focusWidget(), ok);

        auto* icon = dialog->findChild<QLabel*>(QStringLiteral("picIcon"));
        QVERIFY(icon);
        QCOMPARE(icon->geometry(), QRect(16, 16, 32, 32));
    }

    void drawsTheEtchedSeparator() {
        const auto dialog = openDialog();
        const QImage image = dialog->grab().toImage();
        QCOMPARE(image.pixelColor(100, 163), QColor(0x80, 0x80, 0x80));
        QCOMPARE(image.pixelColor(100, 164), QColor(Qt::white));
        QCOMPARE(image.pixelColor(100, 165), QColor(Qt::white));
        QVERIFY(image.pixelColor(100, 162) != QColor(0x80, 0x80, 0x80));
    }

    void enterAndEscapeCloseIt() {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            const auto dialog = openDialog();
            QTest::keyClick(dialog.get(), key);
            QVERIFY2(!dialog->isVisible(), qPrintable(QString::number(key, 16)));
            QCOMPARE(dialog->result(), int(QDialog::Accepted)); // as cmdOK does
        }
    }

    void sysInfoWithoutAToolSaysSoAndStaysOpen() {
        const auto dialog = openDialog();
        QString text;
        QString title;
        whenModalOpens(dialog.get(), [&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            text = box->text();
            title = box->windowTitle();
        });
        QTest::keyClick(dialog.get(), Qt::Key_S, Qt::AltModifier); // Alt+S clicks it shortly
        QTRY_COMPARE(text, QStringLiteral("此时系统信息不可用"));
        QCOMPARE(title, QStringLiteral("KeyloomV1.0"));
        QVERIFY(dialog->isVisible());
        QCOMPARE(starter.starts, 0);
    }

    void showAboutBoxOpensModalOverTheParent() {
        QWidget parent;
        parent.setGeometry(200, 150, 800, 600);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QPoint centre;
        QString caption;
        bool modal = false;
        whenModalOpens(&parent, [&](QWidget* dialog) {
            centre = dialog->geometry().center();
            caption = dialog->windowTitle();
            modal = dialog->isModal();
        });
        showAboutBox(&parent);
        QCOMPARE(caption, QStringLiteral("关于 KeyloomV1.0"));
        QVERIFY(modal);
        QVERIFY2((centre - parent.geometry().center()).manhattanLength() <= 40,
                 qPrintable(QStringLiteral("centre %1,%2").arg(centre.x()).arg(centre.y())));
    }
};

QTEST_MAIN(AboutDialogTest)
#include "about_dialog_test.moc"
