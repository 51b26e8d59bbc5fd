// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "about/frm_about.h"
#include "forms/window_description.h"
#include "ui/win32/gdi_fonts.h"

#include <exception>
#include <memory>
#include <vector>
#include <windows.h>

namespace keyloom {

// A text with one OK button, titled with the application's title.
class Win32MessageDialog : public MessageDialog {
  public:
    explicit Win32MessageDialog(HWND owner) : owner_(owner) {}
    void show(std::u16string_view text) override;
    void setOwner(HWND owner) { owner_ = owner; }

  private:
    HWND owner_;
};

// The about box `frmAbout`, a modal Win32 dialog built from its design:
// OK, Enter and Esc close it; "系统信息(&S)..." looks up and starts the
// system-information tool.
class AboutDialog {
  public:
    static constexpr int kSysInfoId = 101;

    AboutDialog(Registry& registry, const FileFinder& files, ProgramStarter& starter,
                RegistryKey root = kHkeyLocalMachine);

    // Runs the dialog until it is closed.
    void run(HWND owner);

  private:
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR failed(const std::exception& error) const;
    void build(const WindowDescription& design);
    [[nodiscard]] HWND makeIcon(const RECT& box) const;
    void Form_Load();
    void cmdOK_Click() const;
    void paintLines() const;

    Win32MessageDialog messages_;
    FrmAbout about_;
    HWND dialog_ = nullptr;
    HWND lblTitle_ = nullptr;
    HWND lblVersion_ = nullptr;
    std::unique_ptr<GdiFonts> fonts_;
    std::vector<const ElementDesign*> lines_;
};

// Opens the about box on the system's registry and shell.
void showAboutBox(HWND owner);

} // namespace keyloom
