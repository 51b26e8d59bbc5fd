#include "ui/qt/fonts.h"

#include <QStringList>

namespace keyloom {
namespace {

constexpr int kRowPixels = 16;      // 12 pt at 96 dpi
constexpr int kValuePixels = 14;    // 10.5 pt
constexpr int kStandardPixels = 12; // the user-interface font: 180 twips a character

QFont cjkFont(int pixels, const QStringList& fallbacks) {
    QFont font;
    QStringList families{QStringLiteral("宋体"), QStringLiteral("SimSun"),
                         QStringLiteral("NSimSun")};
    families.append(fallbacks);
    font.setFamilies(families);
    font.setPixelSize(pixels);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::Serif);
    return font;
}

} // namespace

QFont fontFor(FontRole role) {
    const QStringList serif{QStringLiteral("Noto Serif CJK SC"),
                            QStringLiteral("WenQuanYi Zen Hei"),
                            QStringLiteral("Noto Sans CJK SC")};
    const QStringList sans{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei"),
                           QStringLiteral("Noto Serif CJK SC")};
    switch (role) {
    case FontRole::Row: return cjkFont(kRowPixels, serif);
    case FontRole::Value: return cjkFont(kValuePixels, serif);
    case FontRole::Standard: break;
    }
    QFont standard;
    standard.setFamilies(sans);
    standard.setPixelSize(kStandardPixels);
    return standard;
}

} // namespace keyloom
