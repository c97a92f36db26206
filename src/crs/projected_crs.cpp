#include "crs/projected_crs.h"

#include <cmath>
#include <utility>

#include "crs/crs_texts.h"
#include "geo/geo_loader.h"
#include "platform/c_number.h"

namespace traverse {
namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

std::string RefusalOf(const std::string& code, const CrsFacts& facts) {
    switch (facts.opening) {
    case CrsOpening::NotProjected:
        return FormatText(text::kCrsNotProjected, code.c_str(), facts.name.c_str());
    case CrsOpening::NoGeographicBase:
        return FormatText(text::kCrsNoGeographicBase, code.c_str(), facts.name.c_str());
    default: return FormatText(text::kCrsUnknown, code.c_str());
    }
}

}  // namespace

ProjectedCrs::ProjectedCrs(const GeoBackend& backend, GeoCrs* crs, CrsFacts facts)
    : m_backend(backend), m_crs(crs), m_facts(std::move(facts)) {}

ProjectedCrs::~ProjectedCrs() { m_backend.closeCrs(m_crs); }

std::unique_ptr<ProjectedCrs> ProjectedCrs::Open(const std::string& code, std::string& error) {
    const GeoBackend* backend = GeoModule(error);
    if (backend == nullptr) return nullptr;
    CrsFacts facts;
    GeoCrs* crs = backend->openCrs(code, facts);
    if (crs == nullptr) {
        error = RefusalOf(code, facts);
        return nullptr;
    }
    return std::unique_ptr<ProjectedCrs>(new ProjectedCrs(*backend, crs, std::move(facts)));
}

GeographicPosition ProjectedCrs::At(double north, double east) const {
    return m_backend.crsAt(*m_crs, north, east);
}

double ProjectedCrs::GaussianRadius(double latitude) const {
    const double s = std::sin(latitude * kDegree);
    const double w2 = 1.0 - m_facts.eccentricity2 * s * s;
    return m_facts.semiMajor * std::sqrt(1.0 - m_facts.eccentricity2) / w2;
}

}  // namespace traverse
