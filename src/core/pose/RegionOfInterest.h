#pragma once
// The square of the picture the landmark model looks at: centre and side in pixels, turned by
// `rotation` radians (clockwise on the screen) so that the body stands upright in it.

#include <cmath>
#include <numbers>

struct RegionOfInterest
{
    float centreX = 0, centreY = 0;
    float size = 0;
    float rotation = 0;

    // The square that the model's two alignment points span: the first at its centre, the
    // second as far above it as half the square's side before `scale`, upright along them.
    static RegionOfInterest aligned(float x0, float y0, float x1, float y1, float scale)
    {
        const float angle = std::numbers::pi_v<float> / 2 - std::atan2(-(y1 - y0), x1 - x0);
        const float turned = angle - 2 * std::numbers::pi_v<float> *
                                         std::floor((angle + std::numbers::pi_v<float>) /
                                                    (2 * std::numbers::pi_v<float>));
        return {x0, y0, 2 * std::hypot(x1 - x0, y1 - y0) * scale, turned};
    }

    // A point of the square (0 to 1 across and down, before turning) in picture pixels.
    void toPicture(float u, float v, float& x, float& y) const
    {
        const float dx = (u - 0.5f) * size, dy = (v - 0.5f) * size;
        const float c = std::cos(rotation), s = std::sin(rotation);
        x = centreX + c * dx - s * dy;
        y = centreY + s * dx + c * dy;
    }
};
