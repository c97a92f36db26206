// The adjusted network as features for GIS and CAD, in plane coordinates, whatever the file:
// plain data, so that the geo module draws them without knowing the adjustment.
#ifndef TRAVERSE_GEO_GEO_FEATURES_H
#define TRAVERSE_GEO_GEO_FEATURES_H

#include <string>
#include <vector>

namespace traverse {

struct PlaneVertex {
    double north = 0.0, east = 0.0;  // metres
    bool hasHeight = false;
    double h = 0.0;
};

// One attribute; every feature of a layer has the same attributes in the same order.
struct FeatureField {
    enum class Type { Text, Real, Flag };
    std::string name;
    Type type = Type::Text;
    bool present = false;  // false: null
    std::string text;      // UTF-8
    double real = 0.0;     // also a flag: 0 or 1
};

enum class FeatureShape { Point, Line, Polygon };

struct ResultFeature {
    FeatureShape shape = FeatureShape::Point;
    std::vector<PlaneVertex> vertices;  // a polygon's ring closed: its last vertex is its first
    std::vector<FeatureField> fields;
    std::string label;  // the text CAD writes beside the feature; empty: none
};

struct ResultLayer {
    std::string name;  // points, observations, ellipses, traverses
    std::vector<ResultFeature> features;
};

// The layers points, observations, ellipses and traverses. The ellipses are drawn magnified
// ellipseScale times.
struct ResultFeatures {
    std::vector<ResultLayer> layers;
    double ellipseScale = 1.0;
};

}  // namespace traverse

#endif
