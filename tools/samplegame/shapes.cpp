#include "tools/samplegame/shapes.h"

#include <memory>

namespace marlit::sample {

namespace {

float smooth(float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

float segmentDistance(Point p, Point a, Point b) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0f, 1.0f);
    const float ex = p.x - (a.x + t * dx), ey = p.y - (a.y + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

Paint verticalGradient(float y0, Colour top, float y1, Colour bottom) {
    return [=](float, float y) {
        return mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.f, 1.f));
    };
}

Paint verticalStops(float y0, float y1, std::vector<std::pair<float, Colour>> stops) {
    return [=](float, float y) {
        const float t = std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f);
        if (t <= stops.front().first)
            return stops.front().second;
        for (size_t i = 1; i < stops.size(); ++i) {
            if (t <= stops[i].first) {
                const float span = stops[i].first - stops[i - 1].first;
                const float u = span > 0 ? (t - stops[i - 1].first) / span : 1.0f;
                return mix(stops[i - 1].second, stops[i].second, u);
            }
        }
        return stops.back().second;
    };
}

Paint radialGradient(Point centre, float radius, Colour inner, Colour outer) {
    return [=](float x, float y) {
        const float d = std::hypot(x - centre.x, y - centre.y) / radius;
        return mix(inner, outer, std::clamp(d, 0.0f, 1.0f));
    };
}

void fillShape(Canvas& canvas, Box box, const Distance& shape, const Paint& paint, float soft) {
    const int x0 = std::max(box.x0, 0), y0 = std::max(box.y0, 0);
    const int x1 = std::min(box.x1, canvas.width()), y1 = std::min(box.y1, canvas.height());
    const float half = std::max(soft, 0.01f) / 2;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const float fx = x + 0.5f, fy = y + 0.5f;
            const float d = shape(fx, fy);
            if (d >= half)
                continue;
            const float coverage =
                soft <= 1.0f ? std::clamp(0.5f - d / soft, 0.0f, 1.0f) : smooth((half - d) / soft);
            canvas.blend(x, y, paint(fx, fy), coverage);
        }
    }
}

Distance circle(Point c, float r) {
    return [=](float x, float y) { return std::hypot(x - c.x, y - c.y) - r; };
}

Distance ellipse(Point c, float rx, float ry) {
    // Scaled circle distance: exact on the axes, close enough elsewhere for
    // the shallow ellipses drawn here.
    return [=](float x, float y) {
        const float u = (x - c.x) / rx, v = (y - c.y) / ry;
        const float k = std::sqrt(u * u + v * v);
        if (k <= 0)
            return -std::min(rx, ry);
        const float gx = u / (rx * k), gy = v / (ry * k);
        const float g = std::sqrt(gx * gx + gy * gy);
        return (k - 1) / std::max(g, 1e-6f);
    };
}

Distance roundedRect(float x, float y, float w, float h, float radius) {
    const float cx = x + w / 2, cy = y + h / 2;
    const float hx = w / 2 - radius, hy = h / 2 - radius;
    return [=](float px, float py) {
        const float qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
        const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
        return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
    };
}

Distance capsule(Point a, Point b, float r) {
    return [=](float x, float y) { return segmentDistance({x, y}, a, b) - r; };
}

Distance polygon(std::vector<Point> points) {
    // Shapes are filled row by row, so the polygon keeps the edges near the
    // current row: farther ones cannot be the nearest edge within kReach,
    // and no distance beyond kReach changes a pixel's coverage (the softest
    // edge drawn is 30 pixels wide).
    constexpr float kReach = 64;
    struct Rows {
        float y = -1e30f;
        std::vector<size_t> near;
    };
    auto rows = std::make_shared<Rows>();
    return [pts = std::move(points), rows](float x, float y) {
        if (y != rows->y) {
            rows->y = y;
            rows->near.clear();
            for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
                if (std::min(pts[i].y, pts[j].y) - kReach <= y && y <= std::max(pts[i].y, pts[j].y) + kReach)
                    rows->near.push_back(i);
            }
        }
        float best = kReach;
        bool inside = false;
        for (size_t i : rows->near) {
            const size_t j = i == 0 ? pts.size() - 1 : i - 1;
            best = std::min(best, segmentDistance({x, y}, pts[j], pts[i]));
            if ((pts[i].y > y) != (pts[j].y > y) &&
                x < (pts[j].x - pts[i].x) * (y - pts[i].y) / (pts[j].y - pts[i].y) + pts[i].x) {
                inside = !inside;
            }
        }
        return inside ? -best : best;
    };
}

Distance outline(Distance shape, float thickness) {
    return [=](float x, float y) { return std::fabs(shape(x, y)) - thickness / 2; };
}

Distance unite(Distance a, Distance b) {
    return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

Distance subtract(Distance a, Distance b) {
    return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

Box boxAround(Point c, float rx, float ry, float margin) {
    return {static_cast<int>(std::floor(c.x - rx - margin)),
            static_cast<int>(std::floor(c.y - ry - margin)),
            static_cast<int>(std::ceil(c.x + rx + margin)) + 1,
            static_cast<int>(std::ceil(c.y + ry + margin)) + 1};
}

Box boxOf(float x, float y, float w, float h, float margin) {
    return boxAround({x + w / 2, y + h / 2}, w / 2, h / 2, margin);
}

Box boxOf(const std::vector<Point>& points, float margin) {
    float x0 = 1e30f, y0 = 1e30f, x1 = -1e30f, y1 = -1e30f;
    for (const Point& p : points) {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    return boxOf(x0, y0, x1 - x0, y1 - y0, margin);
}

void fillRect(Canvas& canvas, float x, float y, float w, float h, Colour c) {
    fillShape(canvas, boxOf(x, y, w, h), roundedRect(x, y, w, h, 0), solid(c));
}

void fillEllipse(Canvas& canvas, Point c, float rx, float ry, Colour colour, float soft) {
    fillShape(canvas, boxAround(c, rx, ry, soft + 2), ellipse(c, rx, ry), solid(colour), soft);
}

void fillPolygon(Canvas& canvas, const std::vector<Point>& points, Colour colour, float soft) {
    if (soft > 1.0f || points.size() < 3) {
        fillShape(canvas, boxOf(points, soft + 2), polygon(points), solid(colour), soft);
        return;
    }
    // Plain edges by scanlines: four sub-rows per row, each adding its
    // spans (exact across the row) to the row's coverage. Far cheaper than
    // distances for the large shapes of scenery.
    constexpr int kSubRows = 4;
    const Box box = boxOf(points, 2);
    const int x0 = std::max(box.x0, 0), x1 = std::min(box.x1, canvas.width());
    const int y0 = std::max(box.y0, 0), y1 = std::min(box.y1, canvas.height());
    if (x0 >= x1)
        return;
    std::vector<float> coverage(static_cast<size_t>(x1 - x0));
    std::vector<float> crossings;
    for (int y = y0; y < y1; ++y) {
        std::fill(coverage.begin(), coverage.end(), 0.0f);
        for (int s = 0; s < kSubRows; ++s) {
            const float sy = y + (s + 0.5f) / kSubRows;
            crossings.clear();
            for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                const Point& a = points[j];
                const Point& b = points[i];
                if ((a.y > sy) != (b.y > sy))
                    crossings.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
            }
            std::sort(crossings.begin(), crossings.end());
            for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
                const float from =
                    std::clamp(crossings[k], static_cast<float>(x0), static_cast<float>(x1));
                const float to =
                    std::clamp(crossings[k + 1], static_cast<float>(x0), static_cast<float>(x1));
                if (to <= from)
                    continue;
                const int first = static_cast<int>(std::floor(from)),
                          last = static_cast<int>(std::floor(to));
                for (int x = first; x <= last && x < x1; ++x) {
                    const float cover =
                        std::min(to, x + 1.0f) - std::max(from, static_cast<float>(x));
                    if (cover > 0)
                        coverage[x - x0] += cover / kSubRows;
                }
            }
        }
        for (int x = x0; x < x1; ++x) {
            if (coverage[x - x0] > 0)
                canvas.blend(x, y, colour, std::min(coverage[x - x0], 1.0f));
        }
    }
}

void strokeLine(Canvas& canvas, Point a, Point b, float width, Colour colour, float soft) {
    const float r = width / 2;
    fillShape(canvas, boxOf({a, b}, r + soft + 2), capsule(a, b, r), solid(colour), soft);
}

void glow(Canvas& canvas, Point c, float radius, Colour colour, float strength) {
    const Box b = boxAround(c, radius, radius);
    for (int y = std::max(b.y0, 0); y < std::min(b.y1, canvas.height()); ++y) {
        for (int x = std::max(b.x0, 0); x < std::min(b.x1, canvas.width()); ++x) {
            const float d = std::hypot(x + 0.5f - c.x, y + 0.5f - c.y) / radius;
            if (d < 1) {
                const float f = (1 - d) * (1 - d);
                canvas.addLight(x, y, colour, strength * f);
            }
        }
    }
}

}  // namespace marlit::sample
