#pragma once
// The per-problem plot transformation and text size.

namespace bp {

struct PlotFrame {
    double mirror = 1.0;
    double cosRot = 1.0, sinRot = 0.0;
    float textSize = 6.0f;                     // inches
    int textHeight = 6000, textWidth = 6000;   // plot units
};

}   // namespace bp
