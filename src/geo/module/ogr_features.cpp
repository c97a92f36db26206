#include "geo/module/ogr_features.h"

#include <mutex>

namespace traverse {
namespace {


OGRPoint PointOf(const PlaneVertex& vertex, bool withHeights) {
    return withHeights && vertex.hasHeight ? OGRPoint(vertex.east, vertex.north, vertex.h)
                                           : OGRPoint(vertex.east, vertex.north);
}

template <typename Curve>
void AddVertices(const ResultFeature& feature, bool withHeights, Curve& curve) {
    for (const PlaneVertex& vertex : feature.vertices) {
        const OGRPoint point = PointOf(vertex, withHeights);
        curve.addPoint(&point);
    }
}

}  // namespace

void RegisterGdalDrivers() {
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

std::unique_ptr<OGRGeometry> GeometryOf(const ResultFeature& feature, bool withHeights) {
    switch (feature.shape) {
    case FeatureShape::Point:
        return std::make_unique<OGRPoint>(PointOf(feature.vertices.front(), withHeights));
    case FeatureShape::Line: {
        auto line = std::make_unique<OGRLineString>();
        AddVertices(feature, withHeights, *line);
        return line;
    }
    case FeatureShape::Polygon: break;
    }
    auto ring = std::make_unique<OGRLinearRing>();
    AddVertices(feature, withHeights, *ring);
    auto polygon = std::make_unique<OGRPolygon>();
    polygon->addRingDirectly(ring.release());
    return polygon;
}

void AddFieldsOf(const ResultFeature& feature, OGRLayer& layer) {
    for (const FeatureField& field : feature.fields) {
        if (layer.GetLayerDefn()->GetFieldIndex(field.name.c_str()) >= 0) continue;
        const bool text = field.type == FeatureField::Type::Text;
        const bool flag = field.type == FeatureField::Type::Flag;
        OGRFieldDefn definition(field.name.c_str(), text ? OFTString : flag ? OFTInteger : OFTReal);
        if (flag) definition.SetSubType(OFSTBoolean);
        layer.CreateField(&definition);
    }
}

void SetFieldsOf(const ResultFeature& feature, OGRFeature& target) {
    for (const FeatureField& field : feature.fields) {
        const int index = target.GetFieldIndex(field.name.c_str());
        if (index < 0) continue;
        if (!field.present) {
            target.SetFieldNull(index);
        } else if (field.type == FeatureField::Type::Text) {
            target.SetField(index, field.text.c_str());
        } else if (field.type == FeatureField::Type::Flag) {
            target.SetField(index, static_cast<int>(field.real));
        } else {
            target.SetField(index, field.real);
        }
    }
}

}  // namespace traverse
