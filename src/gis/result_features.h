// The adjusted network as features for GIS and CAD, in plane coordinates, whatever the file:
// the layers points, observations, ellipses and traverses, each with its attributes.
#ifndef TRAVERSE_GIS_RESULT_FEATURES_H
#define TRAVERSE_GIS_RESULT_FEATURES_H

#include <string>
#include <vector>

#include "traverse/adjust.h"

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

// The features of an adjusted network. The ellipses are drawn magnified ellipseScale times, a
// round 1, 2 or 5 times a power of ten chosen so that the largest is about 1/40 of the network's
// extent (1 when there is none).
struct ResultFeatures {
    std::vector<ResultLayer> layers;
    double ellipseScale = 1.0;
};

ResultFeatures CollectResultFeatures(const AdjustmentResult& result);

}  // namespace traverse

#endif
