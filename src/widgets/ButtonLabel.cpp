// ButtonLabel: placing and drawing the label of a text button.
#include "widgets/ButtonLabel.h"

namespace vsm {

TextPtr MakeButtonLabel(const DimPtr& dim, const std::string& label, float labelX, float labelY) {
    if (!dim) return nullptr;
    const float w = static_cast<float>(TextWidth(label));
    const float h = static_cast<float>(TextHeight(label));
    DimPtr at = CreateDim(dim->Left() + dim->width / 2, dim->Top() + dim->height / 2, w, h);
    return CreateText(label, at, GetImageFont(), 1.0f, 1, labelX, labelY);
}

void DrawButtonLabel(const TextPtr& label, float alpha, float zoom) {
    if (!label || !label->dim) return;
    // A button that keeps the alpha in force (-1) gives its label that alpha too.
    label->alpha = alpha < 0 ? GetAlpha() : alpha;
    label->dim->scalex = label->dim->scaley = zoom;
    label->Draw();
    label->dim->scalex = label->dim->scaley = 1;
}

} // namespace vsm
