// ButtonLabel: the centred label of the text button variants.
#pragma once

#include "widgets/TText.h"

namespace vsm {

// Returns a label of its own size in the image font selected now, centred on the rectangle's
// unscaled box and moved by the offsets.
TextPtr MakeButtonLabel(const DimPtr& dim, const std::string& label, float labelX, float labelY);

// Draws the label at the button's alpha and the zoom about its centre, then sets its zoom back.
void DrawButtonLabel(const TextPtr& label, float alpha, float zoom);

} // namespace vsm
