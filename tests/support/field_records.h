// Observation records made from true geometry: readings computed from true directions, zenith
// distances and distances with small bounded noise, booked as a record file books them (tenths of
// a second, tenths of a millimetre), and faults of known size injected into them afterwards.
#ifndef TRAVERSE_TESTS_FIELD_RECORDS_H
#define TRAVERSE_TESTS_FIELD_RECORDS_H

#include <cstddef>
#include <random>
#include <string>
#include <vector>

#include "traverse/angle.h"
#include "traverse/import_xml.h"

namespace traverse {

constexpr double kSecond = RAD_PER_SECOND;

struct TrueTarget {
    std::string name;         // UTF-8
    double direction = 0.0;   // radians, clockwise from the first target (0 for it)
    double zenith = HALF_PI;  // radians
    double distance = 300.0;  // metres
};

struct TrueStation {
    std::string name;                  // UTF-8
    std::vector<TrueTarget> targets;   // the first is the orientation target
    std::vector<double> orientations;  // per horizontal round: the face-left circle reading of the
                                       // first target, radians
    bool closeRounds = true;           // each horizontal round ends on the first target again
    double collimation = 0.0;          // c, radians: every 2C is 2c
    double indexError = 0.0;           // radians
    std::size_t zenithRounds = 2;      // each reads every target
    std::size_t distanceRounds = 2;    // each reads every target
    std::size_t readings = 3;          // distance readings per record
};

// Half-widths of the uniform noise of every reading.
struct Noise {
    double angle = 0.5 * kSecond;
    double distance = 0.0005;  // metres
};

// Appends station's records to importer as a new station and returns its block.
TAGStationObserve& AddTrueStation(CImportXml& importer, const TrueStation& station,
                                  const Noise& noise, std::mt19937& random);

// Faults, each kept to the item it is meant for as far as geometry allows.
// 2C changed by seconds, the mean direction kept: face left +s/2, face right -s/2.
void Inject2C(CBaseObserve& record, double seconds);
// One face's reading moved (face 1 left, 2 right): on a closing record, that face's closure.
void InjectFaceShift(CBaseObserve& record, int face, double seconds);
// Both faces moved: the direction of a horizontal record, the index error of a zenith record.
void InjectBothFaces(CBaseObserve& record, double seconds);
// The vertical angle of a zenith record moved, its index error kept: left -s, right +s.
void InjectVerticalAngle(CBaseObserve& record, double seconds);
// The first two distance readings pulled apart by millimetres, the mean kept.
void InjectReadingSpread(CBaseObserve& record, double millimetres);
// Every distance reading moved.
void InjectDistanceShift(CBaseObserve& record, double millimetres);

// The UTF-8 body of a record file (for GbkRecordFile) holding importer's tolerance items and
// stations, readings written as the booking above gives them.
std::string RecordFileBody(const CImportXml& importer);

}  // namespace traverse

#endif
