// Shapes with anti-aliased or soft edges, drawn from signed distances: a
// shape is a function giving, for a pixel centre, its distance to the edge
// in pixels (negative inside). A paint gives the colour at a point.
#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "tools/samplegame/canvas.h"

namespace marlit::sample {

struct Point {
    float x = 0, y = 0;
};

// The pixels a shape may touch.
struct Box {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // x1, y1 exclusive
};

using Distance = std::function<float(float x, float y)>;
using Paint = std::function<Colour(float x, float y)>;

inline Paint solid(Colour c) {
    return [c](float, float) { return c; };
}
// A vertical gradient from `top` at y0 to `bottom` at y1.
Paint verticalGradient(float y0, Colour top, float y1, Colour bottom);
// Gradient through several stops (positions between y0 and y1, ascending).
Paint verticalStops(float y0, float y1, std::vector<std::pair<float, Colour>> stops);
Paint radialGradient(Point centre, float radius, Colour inner, Colour outer);

// Fills the shape: coverage falls from 1 to 0 across `soft` pixels around
// the edge (1 is an ordinary anti-aliased edge, more is a soft one).
void fillShape(Canvas& canvas, Box box, const Distance& shape, const Paint& paint,
               float soft = 1.0f);

// Distances.
Distance circle(Point c, float r);
Distance ellipse(Point c, float rx, float ry);
// A rectangle with rounded corners; x, y is its top-left corner.
Distance roundedRect(float x, float y, float w, float h, float radius);
// A stroke of width 2r along the segment.
Distance capsule(Point a, Point b, float r);
// A closed polygon (even-odd filling).
Distance polygon(std::vector<Point> points);
// A band of width `thickness` along the shape's edge.
Distance outline(Distance shape, float thickness);
Distance unite(Distance a, Distance b);
Distance subtract(Distance a, Distance b);

// Bounding boxes, clipped to the canvas by fillShape.
Box boxAround(Point c, float rx, float ry, float margin = 2);
Box boxOf(float x, float y, float w, float h, float margin = 2);
Box boxOf(const std::vector<Point>& points, float margin = 2);
inline Box whole(const Canvas& c) {
    return {0, 0, c.width(), c.height()};
}

// Convenience.
void fillRect(Canvas& canvas, float x, float y, float w, float h, Colour c);
void fillEllipse(Canvas& canvas, Point c, float rx, float ry, Colour colour, float soft = 1.0f);
void fillPolygon(Canvas& canvas, const std::vector<Point>& points, Colour colour,
                 float soft = 1.0f);
void strokeLine(Canvas& canvas, Point a, Point b, float width, Colour colour, float soft = 1.0f);
// Additive light falling off from the centre.
void glow(Canvas& canvas, Point c, float radius, Colour colour, float strength);

}  // namespace marlit::sample
