// The job-feature dictionary: the dialog's picture of every job setting,
// grouped by pane, that the bridge sends with the applySettings
// notifications. The groups are made anew on every build and put into the
// one dictionary the bridge keeps for its life. The groups' entries are not
// written yet: the panes receive the six groups empty.
#include "zqController.h"

void zqController::convertFeaturesToDictionary() {
    m_jobSetupDict = platform::Dictionary();
    m_finisherFeatureDict = platform::Dictionary();
    m_customFeatureDict = platform::Dictionary();
    m_imageFeatureDict = platform::Dictionary();
    m_notificationFeatureDict = platform::Dictionary();
    m_peFeatureDict = platform::Dictionary();
    m_jobFeatureDict.set("jobSetup", m_jobSetupDict);
    m_jobFeatureDict.set("finisher", m_finisherFeatureDict);
    m_jobFeatureDict.set("custom", m_customFeatureDict);
    m_jobFeatureDict.set("image", m_imageFeatureDict);
    m_jobFeatureDict.set("notification", m_notificationFeatureDict);
    m_jobFeatureDict.set("Substitution", m_peFeatureDict);
}
