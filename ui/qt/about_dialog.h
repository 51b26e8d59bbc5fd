// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "about/frm_about.h"
#include "forms/window_description.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace keyloom {

// The message box of the about box: the text, one OK button and the
// application's title, modal over the dialog.
class QtMessageDialog : public MessageDialog {
  public:
    explicit QtMessageDialog(QWidget* parent) : parent_(parent) {}
    void show(std::u16string_view text) override;

  private:
    QWidget* parent_;
};

// The about box, built from its design: title, version, the etched
// separator, "确定" (Enter and Esc press it too) and the button that starts
// the system-information tool.
class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    // The platform's own registry, files and program start.
    explicit AboutDialog(QWidget* parent);
    AboutDialog(Registry& registry, const FileFinder& files, ProgramStarter& starter,
                QWidget* parent, RegistryKey root = kHkeyLocalMachine);

    void reject() override; // Esc and the close box press the cancel button

  private:
    void build(const WindowDescription& design);
    void Form_Load();
    void cmdOK_Click();

    QtMessageDialog messages_;
    FrmAbout about_;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* lblTitle_ = nullptr;
    QLabel* lblVersion_ = nullptr;
};

// Opens the about box modal, centred on `parent`, and returns when it closes.
void showAboutBox(QWidget* parent);

} // namespace keyloom
