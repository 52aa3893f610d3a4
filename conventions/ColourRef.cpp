#include "ColourRef.h"

namespace conv {

quint32 colourRef(const QColor& colour) {
    return colourRef(colour.red(), colour.green(), colour.blue());
}

QColor colourFromRef(quint32 ref, const QPalette& palette) {
    if (isSystemColourRef(ref))
        return systemColour(int(ref & 0xFFFFFFu), palette);
    return QColor(int(ref & 0xFF), int(ref >> 8 & 0xFF), int(ref >> 16 & 0xFF));
}

QColor systemColour(int index, const QPalette& palette) {
    using R = QPalette::ColorRole;
    const auto active = [&](R role) {
        return palette.color(QPalette::Active, role);
    };
    const auto inactive = [&](R role) {
        return palette.color(QPalette::Inactive, role);
    };
    switch (static_cast<SystemColour>(index)) {
    case SystemColour::ScrollBar:
    case SystemColour::ButtonFace:
    case SystemColour::Menu:
    case SystemColour::MenuBar:
    case SystemColour::ActiveBorder:
    case SystemColour::InactiveBorder:
        return active(R::Button);
    case SystemColour::Desktop:
    case SystemColour::AppWorkspace:
        return active(R::Dark);
    case SystemColour::ActiveCaption:
    case SystemColour::GradientActiveCaption:
    case SystemColour::Highlight:
    case SystemColour::MenuHighlight:
        return active(R::Highlight);
    case SystemColour::InactiveCaption:
    case SystemColour::GradientInactiveCaption:
        return inactive(R::Highlight);
    case SystemColour::Window:
        return active(R::Base);
    case SystemColour::WindowFrame:
    case SystemColour::WindowText:
        return active(R::Text);
    case SystemColour::MenuText:
    case SystemColour::ButtonText:
        return active(R::ButtonText);
    case SystemColour::CaptionText:
    case SystemColour::HighlightText:
        return active(R::HighlightedText);
    case SystemColour::InactiveCaptionText:
        return inactive(R::HighlightedText);
    case SystemColour::ButtonShadow:
        return active(R::Mid);
    case SystemColour::GrayText:
        return palette.color(QPalette::Disabled, R::Text);
    case SystemColour::ButtonHighlight:
        return active(R::Light);
    case SystemColour::DarkShadow3D:
        return active(R::Shadow);
    case SystemColour::Light3D:
        return active(R::Midlight);
    case SystemColour::InfoText:
        return active(R::ToolTipText);
    case SystemColour::InfoBackground:
        return active(R::ToolTipBase);
    case SystemColour::HotLight:
        return active(R::Link);
    }
    return Qt::black;
}

} // namespace conv
