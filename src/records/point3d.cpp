#include "traverse/point3d.h"

#include <cmath>

namespace traverse {

bool IsUnsetCoord(double v) { return std::fabs(v - UNSET_COORD) < 1e-10; }

CPoint3D::CPoint3D() : m_dX(0.0), m_dY(0.0), m_dZ(0.0), m_pUserData(nullptr) {}

CPoint3D::CPoint3D(const CPoint3D& other)
    : m_strName(other.m_strName),
      m_dX(other.m_dX),
      m_dY(other.m_dY),
      m_dZ(other.m_dZ),
      m_pUserData(nullptr) {}

CPoint3D& CPoint3D::operator=(const CPoint3D& other) {
    m_strName = other.m_strName;
    m_dX = other.m_dX;
    m_dY = other.m_dY;
    m_dZ = other.m_dZ;
    return *this;
}

CPoint3D::~CPoint3D() = default;

void CPoint3D::Serialize(CArchive&, short) {}

CDataInterface::CDataInterface() = default;
CDataInterface::~CDataInterface() = default;

}  // namespace traverse
