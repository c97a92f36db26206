#include "crs/projected_crs.h"

#include <cmath>
#include <cstring>

#include "crs/crs_texts.h"
#include "platform/c_number.h"

namespace traverse {
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

}  // namespace

std::unique_ptr<ProjectedCrs> ProjectedCrs::Open(const std::string& code, std::string& error) {
    std::unique_ptr<ProjectedCrs> crs(new ProjectedCrs());
    crs->m_context.reset(proj_context_create());
    PJ_CONTEXT* context = crs->m_context.get();
    proj_log_level(context, PJ_LOG_NONE);
    crs->m_crs.reset(proj_create(context, AsCrsDefinition(code).c_str()));
    if (!crs->m_crs) {
        error = FormatText(text::kCrsUnknown, code.c_str());
        return nullptr;
    }
    crs->m_name = NameOf(crs->m_crs.get());
    if (proj_get_type(crs->m_crs.get()) != PJ_TYPE_PROJECTED_CRS) {
        error = FormatText(text::kCrsNotProjected, code.c_str(), crs->m_name.c_str());
        return nullptr;
    }
    const ProjObject base(proj_crs_get_geodetic_crs(context, crs->m_crs.get()));
    const ProjObject ellipsoid(proj_get_ellipsoid(context, crs->m_crs.get()));
    if (base) {
        const ProjObject operation(proj_create_crs_to_crs_from_pj(context, crs->m_crs.get(),
                                                                  base.get(), nullptr, nullptr));
        if (operation) {
            crs->m_toGeographic.reset(proj_normalize_for_visualization(context, operation.get()));
        }
    }
    crs->m_projection = BareProjection(context, crs->m_crs.get());
    double semiMinor = 0.0, inverseFlattening = 0.0;
    int computed = 0;
    if (!crs->m_toGeographic || !crs->m_projection || !ellipsoid ||
        !proj_ellipsoid_get_parameters(context, ellipsoid.get(), &crs->m_semiMajor, &semiMinor,
                                       &computed, &inverseFlattening)) {
        error = FormatText(text::kCrsNoGeographicBase, code.c_str(), crs->m_name.c_str());
        return nullptr;
    }
    crs->m_baseName = NameOf(base.get());
    crs->m_eccentricity2 = 1.0 - (semiMinor * semiMinor) / (crs->m_semiMajor * crs->m_semiMajor);
    return crs;
}

GeographicPosition ProjectedCrs::At(double north, double east) const {
    GeographicPosition position;
    const PJ_COORD geographic =
        proj_trans(m_toGeographic.get(), PJ_FWD, proj_coord(east, north, 0, 0));
    const double longitude = geographic.lp.lam, latitude = geographic.lp.phi;
    if (!std::isfinite(longitude) || !std::isfinite(latitude) || std::fabs(latitude) > 90) {
        return position;
    }
    PJ* projection = m_projection.get();
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

std::string ProjectedCrs::Wkt() const {
    const char* wkt = proj_as_wkt(m_context.get(), m_crs.get(), PJ_WKT2_2019, nullptr);
    return wkt != nullptr ? wkt : std::string();
}

double ProjectedCrs::GaussianRadius(double latitude) const {
    const double s = std::sin(latitude * kDegree);
    const double w2 = 1.0 - m_eccentricity2 * s * s;
    return m_semiMajor * std::sqrt(1.0 - m_eccentricity2) / w2;
}

}  // namespace traverse
