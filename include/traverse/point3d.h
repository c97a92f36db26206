// The base library's point and data-interface classes.
#ifndef TRAVERSE_POINT3D_H
#define TRAVERSE_POINT3D_H

#include <string>

#include "traverse/visibility.h"

namespace traverse {

class CArchive;

// Marks a coordinate that the record file does not give.
constexpr double UNSET_COORD = -9999999.99;

// True when v is UNSET_COORD, within 1e-10.
TRAVERSE_API bool IsUnsetCoord(double v);

// A named point with three coordinates. m_pUserData is a slot for its owner: a station carries
// its observation block there. The point never frees what it points to, and copies leave it null
// since only the owner of a block may hold its address.
class TRAVERSE_API CPoint3D {
public:
    CPoint3D();
    CPoint3D(const CPoint3D& other);
    CPoint3D& operator=(const CPoint3D& other);
    virtual ~CPoint3D();

    // No archive format exists for points; the call does nothing.
    virtual void Serialize(CArchive& archive, short version);

    std::string m_strName;  // GBK
    double m_dX;
    double m_dY;
    double m_dZ;
    void* m_pUserData;
};

// The base library's data interface; the importer holds one and uses nothing of it.
class TRAVERSE_API CDataInterface {
public:
    CDataInterface();
    ~CDataInterface();
};

}  // namespace traverse

#endif
