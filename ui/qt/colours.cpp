#include "ui/qt/colours.h"

#include "forms/window_description.h"

namespace keyloom {
namespace {

constexpr Colour kSystemFlag = 0x80000000U;

QColor systemColourOf(std::uint32_t index, const QColor& standard) {
    switch (index) {
    case 5: // window background
    case 9: // active title-bar text
        return Qt::white;
    case 7: // menu text
        return Qt::black;
    default: return standard;
    }
}

} // namespace

QColor toQColor(Colour colour, const QColor& standard) {
    if (colour == ElementDesign::kStandardColour) {
        return standard;
    }
    if ((colour & kSystemFlag) != 0) {
        return systemColourOf(colour & 0xFFU, standard);
    }
    return {static_cast<int>(colour & 0xFFU), static_cast<int>((colour >> 8) & 0xFFU),
            static_cast<int>((colour >> 16) & 0xFFU)};
}

} // namespace keyloom
