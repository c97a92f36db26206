// The instrument as the command line names it: the classes of the standard's tables and its
// nominal accuracy, which weighs the observations.
#ifndef TRAVERSE_INSTRUMENT_H
#define TRAVERSE_INSTRUMENT_H

#include <optional>

namespace traverse {

// The maker's nominal accuracy; each part empty when not given.
struct InstrumentAccuracy {
    std::optional<double> directionSigmaSeconds;  // one round's direction, arc seconds
    std::optional<double> distanceSigmaMm;        // a of a + b D
    std::optional<double> distanceSigmaPpm;       // b of a + b D (mm per km)
};

}  // namespace traverse

#endif
