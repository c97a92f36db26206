// The DXF drawing through GDAL's DXF driver: each entity's CAD layer in the field "Layer", a
// text as a point with a LABEL style.
#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "geo/module/gdal_handles.h"
#include "geo/module/gis_datasets.h"
#include "geo/module/ogr_features.h"
#include "platform/c_number.h"

namespace traverse {
namespace {

std::string FieldText(const ResultFeature& feature, const char* name) {
    for (const FeatureField& field : feature.fields) {
        if (field.name == name) return field.text;
    }
    return std::string();
}

const ResultLayer* LayerNamed(const ResultFeatures& features, const char* name) {
    for (const ResultLayer& layer : features.layers) {
        if (layer.name == name) return &layer;
    }
    return nullptr;
}

class Drawing {
public:
    Drawing(OGRLayer& layer, double textHeight) : m_layer(layer), m_textHeight(textHeight) {}

    bool Entity(const char* cadLayer, const ResultFeature& feature) {
        return Add(cadLayer, GeometryOf(feature, true), std::string());
    }

    bool Label(const char* cadLayer, const PlaneVertex& at, const std::string& text) {
        ResultFeature point;
        point.vertices.push_back(at);
        return Add(cadLayer, GeometryOf(point, true), text);
    }

private:
    bool Add(const char* cadLayer, std::unique_ptr<OGRGeometry> geometry, const std::string& text) {
        OgrFeature feature(OGRFeature::CreateFeature(m_layer.GetLayerDefn()));
        feature->SetField("Layer", cadLayer);
        if (!text.empty()) feature->SetStyleString(LabelStyle(text).c_str());
        feature->SetGeometryDirectly(geometry.release());
        return m_layer.CreateFeature(feature.get()) == OGRERR_NONE;
    }

    std::string LabelStyle(const std::string& text) const {
        std::string quoted;
        for (const char c : text) {
            if (c == '"' || c == '\\') quoted += '\\';
            quoted += c;
        }
        return "LABEL(f:\"Standard\",t:\"" + quoted + "\"," + FormatText("s:%.3fg)", m_textHeight);
    }

    OGRLayer& m_layer;
    double m_textHeight;
};

// Each sightline once, whichever end observed it.
bool DrawSightlines(const ResultLayer& observations, Drawing& drawing) {
    std::set<std::pair<std::string, std::string>> drawn;
    for (const ResultFeature& o : observations.features) {
        const std::string a = FieldText(o, "station"), b = FieldText(o, "target");
        if (!drawn.insert(std::minmax(a, b)).second) continue;
        if (!drawing.Entity("sightlines", o)) return false;
    }
    return true;
}

bool DrawPoints(const ResultLayer& points, Drawing& drawing) {
    for (const ResultFeature& p : points.features) {
        const bool known = FieldText(p, "plane") == "fixed";
        if (!drawing.Entity(known ? "known_points" : "new_points", p) ||
            !drawing.Label("names", p.vertices.front(), p.label)) {
            return false;
        }
    }
    return true;
}

bool DrawClosures(const ResultLayer& traverses, Drawing& drawing) {
    for (const ResultFeature& t : traverses.features) {
        if (t.vertices.size() < 2) continue;
        if (!drawing.Entity("closures", t) || !drawing.Label("closures", t.vertices[1], t.label)) {
            return false;
        }
    }
    return true;
}

// About a hundredth of the network's extent, at least 0.1 m.
double TextHeight(const ResultLayer& points) {
    double north[2] = {1e300, -1e300}, east[2] = {1e300, -1e300};
    for (const ResultFeature& p : points.features) {
        north[0] = std::min(north[0], p.vertices[0].north);
        north[1] = std::max(north[1], p.vertices[0].north);
        east[0] = std::min(east[0], p.vertices[0].east);
        east[1] = std::max(east[1], p.vertices[0].east);
    }
    const double extent = std::max(north[1] - north[0], east[1] - east[0]);
    return std::isfinite(extent) ? std::max(0.1, extent / 100) : 1.0;
}

bool Draw(const ResultFeatures& features, OGRLayer& layer) {
    const ResultLayer* points = LayerNamed(features, "points");
    const ResultLayer* observations = LayerNamed(features, "observations");
    const ResultLayer* ellipses = LayerNamed(features, "ellipses");
    const ResultLayer* traverses = LayerNamed(features, "traverses");
    Drawing drawing(layer, TextHeight(*points));
    if (!DrawSightlines(*observations, drawing) || !DrawPoints(*points, drawing)) return false;
    for (const ResultFeature& ellipse : ellipses->features) {
        if (!drawing.Entity("ellipses", ellipse)) return false;
    }
    return DrawClosures(*traverses, drawing);
}

}  // namespace

std::string DxfBytes(const ResultFeatures& features) {
    RegisterGdalDrivers();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("DXF");
    if (driver == nullptr) return std::string();
    MemoryFile file("dxf");
    GdalDataset dataset(driver->Create(file.Path().c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    OGRLayer* layer = dataset != nullptr ? dataset->CreateLayer("entities") : nullptr;
    if (layer == nullptr || !Draw(features, *layer)) return std::string();
    dataset.reset();
    return file.Bytes();
}

}  // namespace traverse
