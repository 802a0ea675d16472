// The job-level values the service hands to a validator, read from a
// job-feature record: the job controls stored without checks, and the
// features checked one after another by the whole-job check and the
// preflight. Used by the service only.
#pragma once

#include <functional>
#include <vector>

#include "JSE_Records.h"
#include "JSE_String.h"

namespace service_job {

// A paper's catalog index by its name, -1 when absent.
using PaperIndex = std::function<int(const WString&)>;

struct ControlValue {
    int control = 0;
    int value = 0;
};

struct FeatureValue {
    int feature = 0;  // a JobFeatureId
    long value = 0;
};

// Punching is on or off for the validator: any pattern but 0 is on.
inline int PunchSwitch(long pattern) { return pattern != 0 ? 1 : 0; }

// The control that checks a job feature; -1 for a feature without one.
int ControlOfFeature(int feature);

// The job's controls, flags as 0 or 1 and papers as catalog indexes; the
// cover punches (26, 27) too when asked.
std::vector<ControlValue> JobControlValues(const JSE_JobFeatureType& job, const PaperIndex& paperIndex,
                                           bool withCoverPunches);

// The features to check, in the order that lets each check see the values
// stored before it, leaving out those the job does not use.
std::vector<FeatureValue> JobFeatureChecks(const JSE_JobFeatureType& job, const PaperIndex& paperIndex);

}  // namespace service_job
