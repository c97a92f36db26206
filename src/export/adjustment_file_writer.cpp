// The adjustment input file: known points between "<<" marker lines, then per station its
// instrument height and the mean reduced directions (c0), zenith distances (z0), corrected slope
// distances (s0) and target heights (v0). Tab-separated, CR LF line ends, GBK names.
#include <string>
#include <vector>

#include "platform/c_number.h"
#include "platform/output_file.h"
#include "platform/text_file.h"
#include "records/station_walk.h"
#include "reduce/station_reduction.h"
#include "traverse/dms.h"
#include "traverse/import_xml.h"
#include "traverse/message_box.h"
#include "traverse/point3d.h"

namespace traverse {
namespace {

// A reduced direction (radians, [0, 2*pi)) in packed DMS as the file shows it, in [0, 360): one
// that would print as a full turn, 360.000000, is the orientation itself and prints as 0.
double DirectionDms(double radians) {
    const double dms = RadianToDms(radians);
    return dms >= 360.0 - 5e-7 ? 0.0 : dms;
}

void AppendKnownPoint(std::string& text, const CPoint3D& point) {
    const bool noX = IsUnsetCoord(point.m_dX);
    const bool noY = IsUnsetCoord(point.m_dY);
    const bool noZ = IsUnsetCoord(point.m_dZ);
    const int planeFlag = noX && noY ? 0 : 1;
    const int heightFlag = noZ ? 0 : 1;
    AppendText(text, "%s\t%d%d\t%.3lf\t%.3lf\t%.3lf\n", point.m_strName.c_str(), planeFlag,
               heightFlag, noX ? 0.0 : point.m_dX, noY ? 0.0 : point.m_dY, noZ ? 0.0 : point.m_dZ);
}

void WriteKnownPoints(CStdioFile& file, const std::vector<CPoint3D>& points) {
    std::string text = "<<\n";
    for (const CPoint3D& point : points) AppendKnownPoint(text, point);
    text += "<<\n\n";
    file.WriteString(text);
}

// One observation line per value: target name, type code, value as the format prints it.
void AppendObservations(std::string& text, const std::vector<ReducedValue>& values,
                        const char* format, double (*show)(double)) {
    for (const ReducedValue& value : values) {
        AppendText(text, format, value.target.c_str(), show(value.value));
    }
}

double AsIs(double value) { return value; }

// The station's messages are shown first: what its rounds could not give. text is the caller's
// buffer, reused from station to station.
void WriteStation(CStdioFile& file, const CPoint3D& station, const TAGStationObserve& block,
                  std::string& text) {
    const StationReduction reduction = ReduceStation(block);
    for (const std::string& message : reduction.messages) ShowMessageBox(message);
    const char* name = station.m_strName.c_str();
    text.clear();
    AppendText(text, "%s\t%s\ti0\t%.6f\n", name, name, reduction.instrumentHeight);
    AppendObservations(text, reduction.directions, "\t\t%s\tc0\t%.6lf\n", DirectionDms);
    AppendObservations(text, reduction.zenithDistances, "\t\t%s\tz0\t%.6lf\n", RadianToDms);
    AppendObservations(text, reduction.slopeDistances, "\t\t%s\ts0\t%.6lf\n", AsIs);
    AppendObservations(text, reduction.targetHeights, "\t\t%s\tv0\t%.6lf\n", AsIs);
    text += "\n";
    file.WriteString(text);
}

}  // namespace

std::uint32_t CImportXml::OnButtonTonbq(const std::string& path) {
    const bool written = WriteOutputFile(path, [&](CStdioFile& file) {
        WriteKnownPoints(file, m_arrKnownPoint);
        std::string text;
        ForEachStationWithBlock(m_arrStation,
                                [&](const CPoint3D& station, const TAGStationObserve& block) {
                                    WriteStation(file, station, block, text);
                                    return true;
                                });
    });
    return written ? 0 : RESULT_FAILED;
}

}  // namespace traverse
