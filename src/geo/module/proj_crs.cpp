// The CRS functions of the geo module, through PROJ: each CRS with its own PROJ context.
#include "geo/module/proj_crs.h"

#include <cmath>
#include <cstring>

#include "geo/module/proj_handles.h"

namespace traverse {

struct GeoCrs {
    ProjContext context;
    ProjObject crs;
    ProjObject toGeographic;  // (east, north) to (longitude, latitude) in degrees
    ProjObject projection;    // longitude, latitude in radians to (east, north)
};

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

// A bare PROJ projection ("+proj=tmerc ...") becomes the projected CRS it describes.
std::string AsCrsDefinition(const std::string& code) {
    const bool projString = code.rfind("+proj=", 0) == 0 || code.rfind("proj=", 0) == 0;
    if (!projString || code.find("type=crs") != std::string::npos) return code;
    return code + " +type=crs";
}

// PROJ's proj_factors wants the bare projection, geographic radians in: the CRS's own PROJ
// string without its CRS marker.
ProjObject BareProjection(PJ_CONTEXT* context, const PJ* crs) {
    const char* definition = proj_as_proj_string(context, crs, PJ_PROJ_4, nullptr);
    if (definition == nullptr) return nullptr;
    std::string projection = definition;
    const std::size_t marker = projection.find(" +type=crs");
    if (marker != std::string::npos) projection.erase(marker, std::strlen(" +type=crs"));
    return ProjObject(proj_create(context, projection.c_str()));
}

std::string NameOf(const PJ* object) {
    const char* name = proj_get_name(object);
    return name != nullptr ? name : std::string();
}

std::string WktOf(PJ_CONTEXT* context, const PJ* crs) {
    const char* wkt = proj_as_wkt(context, crs, PJ_WKT2_2019, nullptr);
    return wkt != nullptr ? wkt : std::string();
}

// The way to the geographic base and the ellipsoid's size; false when the CRS lacks either.
bool PlaceOnBase(GeoCrs& crs, CrsFacts& facts) {
    PJ_CONTEXT* context = crs.context.get();
    const ProjObject base(proj_crs_get_geodetic_crs(context, crs.crs.get()));
    const ProjObject ellipsoid(proj_get_ellipsoid(context, crs.crs.get()));
    if (base) {
        const ProjObject operation(
            proj_create_crs_to_crs_from_pj(context, crs.crs.get(), base.get(), nullptr, nullptr));
        if (operation) {
            crs.toGeographic.reset(proj_normalize_for_visualization(context, operation.get()));
        }
    }
    crs.projection = BareProjection(context, crs.crs.get());
    double semiMinor = 0.0, inverseFlattening = 0.0;
    int computed = 0;
    if (!crs.toGeographic || !crs.projection || !ellipsoid ||
        !proj_ellipsoid_get_parameters(context, ellipsoid.get(), &facts.semiMajor, &semiMinor,
                                       &computed, &inverseFlattening)) {
        return false;
    }
    facts.baseName = NameOf(base.get());
    facts.eccentricity2 = 1.0 - (semiMinor * semiMinor) / (facts.semiMajor * facts.semiMajor);
    return true;
}

}  // namespace

GeoCrs* OpenCrs(const std::string& code, CrsFacts& facts) {
    auto crs = std::make_unique<GeoCrs>();
    crs->context.reset(proj_context_create());
    proj_log_level(crs->context.get(), PJ_LOG_NONE);
    crs->crs.reset(proj_create(crs->context.get(), AsCrsDefinition(code).c_str()));
    facts.opening = CrsOpening::Unknown;
    if (!crs->crs) return nullptr;
    facts.name = NameOf(crs->crs.get());
    facts.opening = CrsOpening::NotProjected;
    if (proj_get_type(crs->crs.get()) != PJ_TYPE_PROJECTED_CRS) return nullptr;
    facts.opening = CrsOpening::NoGeographicBase;
    if (!PlaceOnBase(*crs, facts)) return nullptr;
    facts.wkt = WktOf(crs->context.get(), crs->crs.get());
    facts.opening = CrsOpening::Opened;
    return crs.release();
}

void CloseCrs(GeoCrs* crs) { delete crs; }

GeographicPosition CrsAt(const GeoCrs& crs, double north, double east) {
    GeographicPosition position;
    const PJ_COORD geographic =
        proj_trans(crs.toGeographic.get(), PJ_FWD, proj_coord(east, north, 0, 0));
    const double longitude = geographic.lp.lam, latitude = geographic.lp.phi;
    if (!std::isfinite(longitude) || !std::isfinite(latitude) || std::fabs(latitude) > 90) {
        return position;
    }
    PJ* projection = crs.projection.get();
    const PJ_FACTORS factors =
        proj_factors(projection, proj_coord(longitude * kDegree, latitude * kDegree, 0, 0));
    if (proj_errno(projection) != 0) {
        proj_errno_reset(projection);
        return position;
    }
    position.valid = true;
    position.latitude = latitude;
    position.longitude = longitude;
    position.convergence = factors.meridian_convergence / kDegree;
    // Conformal: the two agree but for PROJ's numerical derivatives.
    position.scale = (factors.meridional_scale + factors.parallel_scale) / 2;
    return position;
}

}  // namespace traverse
