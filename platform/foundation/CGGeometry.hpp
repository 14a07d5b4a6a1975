#pragma once

#include <algorithm>

namespace rovuzu {

// A point in view points or scene units, depending on who hands it out.
struct CGPoint {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const CGPoint&, const CGPoint&) = default;
};

struct CGSize {
    double width = 0.0;
    double height = 0.0;
    friend bool operator==(const CGSize&, const CGSize&) = default;
};

struct CGRect {
    CGPoint origin;
    CGSize size;
    friend bool operator==(const CGRect&, const CGRect&) = default;
};

inline double CGRectGetMinX(const CGRect& r) {
    return r.origin.x;
}
inline double CGRectGetMinY(const CGRect& r) {
    return r.origin.y;
}
inline double CGRectGetMaxX(const CGRect& r) {
    return r.origin.x + r.size.width;
}
inline double CGRectGetMaxY(const CGRect& r) {
    return r.origin.y + r.size.height;
}
inline double CGRectGetMidX(const CGRect& r) {
    return r.origin.x + r.size.width / 2.0;
}
inline double CGRectGetMidY(const CGRect& r) {
    return r.origin.y + r.size.height / 2.0;
}

// Half-open on the far edges, as the platform does, so an empty rectangle holds no point.
inline bool CGRectContainsPoint(const CGRect& r, CGPoint p) {
    return p.x >= CGRectGetMinX(r) && p.x < CGRectGetMaxX(r) && p.y >= CGRectGetMinY(r) &&
           p.y < CGRectGetMaxY(r);
}

inline bool CGRectIntersectsRect(const CGRect& a, const CGRect& b) {
    return CGRectGetMinX(a) < CGRectGetMaxX(b) && CGRectGetMinX(b) < CGRectGetMaxX(a) &&
           CGRectGetMinY(a) < CGRectGetMaxY(b) && CGRectGetMinY(b) < CGRectGetMaxY(a);
}

inline bool CGRectIsEmpty(const CGRect& r) {
    return r.size.width <= 0.0 || r.size.height <= 0.0;
}

// The smallest rectangle holding both; an empty rectangle adds nothing.
inline CGRect CGRectUnion(const CGRect& a, const CGRect& b) {
    if (CGRectIsEmpty(a)) {
        return b;
    }
    if (CGRectIsEmpty(b)) {
        return a;
    }
    const double minX = std::min(CGRectGetMinX(a), CGRectGetMinX(b));
    const double minY = std::min(CGRectGetMinY(a), CGRectGetMinY(b));
    const double maxX = std::max(CGRectGetMaxX(a), CGRectGetMaxX(b));
    const double maxY = std::max(CGRectGetMaxY(a), CGRectGetMaxY(b));
    return {{minX, minY}, {maxX - minX, maxY - minY}};
}

}  // namespace rovuzu
