// The notification center: delivery order, removal during delivery,
// re-entrant posting and registrations that end with their observer.
#include <gtest/gtest.h>

#include "NotificationCenter.h"

using namespace platform;

namespace {

// Observers that write what they received into one shared log.
struct Recorder {
    std::vector<std::string> log;
    NotificationCenter::Handler note(const std::string& who) {
        return [this, who](const Notification& n) { log.push_back(who + ":" + n.name + ":" + n.object.text()); };
    }
};

int a, b, c;  // observer identities

}  // namespace

TEST(NotificationCenter, DeliversInRegistrationOrderToTheObserversOfTheName) {
    NotificationCenter center;
    Recorder r;
    center.addObserver(&b, "applySettings", r.note("b"));
    center.addObserver(&a, "applySettings", r.note("a"));
    center.addObserver(&c, "catalogUpdate", r.note("c"));
    center.addObserver(&b, "applySettings", r.note("b2"));  // replaces b's handler, keeps its place
    center.post("applySettings", "1");
    center.post("nobody listens");
    EXPECT_EQ(r.log, (std::vector<std::string>{"b2:applySettings:1", "a:applySettings:1"}));
    EXPECT_EQ(center.registrationCount(&b), 1u);
}

TEST(NotificationCenter, ObserversRemovedDuringDeliveryAreNotCalled) {
    NotificationCenter center;
    Recorder r;
    center.addObserver(&a, "termination", [&](const Notification& n) {
        r.note("a")(n);
        center.removeObserver(&a);  // itself, while its handler runs
        center.removeObserver(&b, "termination");
    });
    center.addObserver(&b, "termination", r.note("b"));
    center.addObserver(&c, "termination", [&](const Notification& n) {
        r.note("c")(n);
        // A new registration is not called by the post under way.
        if (center.registrationCount(&a) == 0) center.addObserver(&a, "termination", r.note("a-again"));
    });
    center.post("termination");
    center.post("termination");
    EXPECT_EQ(r.log, (std::vector<std::string>{"a:termination:", "c:termination:", "c:termination:",
                                               "a-again:termination:"}));
}

TEST(NotificationCenter, HandlersMayPostAgain) {
    NotificationCenter center;
    Recorder r;
    // A pane that answers a change by broadcasting, and a second observer
    // of the first name that runs only after the whole nested post.
    center.addObserver(&a, "jobSetupController::applySettings", [&](const Notification& n) {
        r.note("a")(n);
        center.post("lumaTemplate::applySettings", "nested");
    });
    center.addObserver(&b, "jobSetupController::applySettings", r.note("b"));
    center.addObserver(&c, "lumaTemplate::applySettings", [&](const Notification& n) {
        r.note("c")(n);
        if (n.object.text() == "nested") center.post("lumaTemplate::applySettings", "twice nested");
    });
    center.post("jobSetupController::applySettings", "outer");
    EXPECT_EQ(r.log, (std::vector<std::string>{"a:jobSetupController::applySettings:outer",
                                               "c:lumaTemplate::applySettings:nested",
                                               "c:lumaTemplate::applySettings:twice nested",
                                               "b:jobSetupController::applySettings:outer"}));
}

TEST(NotificationCenter, AnnouncementsCarryTheSenderAsItsOwnType) {
    struct Bridge {};
    Bridge bridge;
    NotificationCenter center;
    Bridge* received = nullptr;
    const int* wrongType = &a;
    center.addObserver(&a, "peController::zqcontroller", [&](const Notification& n) {
        received = n.senderAs<Bridge>();
        wrongType = n.senderAs<int>();
    });
    center.post({"peController::zqcontroller", {}, &bridge});
    EXPECT_EQ(received, &bridge);
    EXPECT_EQ(wrongType, nullptr);
}

TEST(NotificationCenter, AnObservationEndsEveryRegistrationOfItsOwner) {
    NotificationCenter center;
    Recorder r;
    struct Pane {
        Pane(NotificationCenter& center, Recorder& r) : observation(this, center) {
            observation.observe("jobSetupController::zqcontroller", r.note("pane"));
            observation.observe("jobSetupController::termination", r.note("pane"));
        }
        Observation observation;
    };
    auto pane = std::make_unique<Pane>(center, r);
    const void* identity = pane.get();
    EXPECT_EQ(center.registrationCount(identity), 2u);
    pane->observation.stopObserving("jobSetupController::termination");
    center.post("jobSetupController::termination");
    pane.reset();
    EXPECT_EQ(center.registrationCount(identity), 0u);
    center.post("jobSetupController::zqcontroller");
    EXPECT_TRUE(r.log.empty());
    center.addObserver(&a, "x", r.note("a"));
    center.removeAllObservers();
    center.post("x");
    EXPECT_TRUE(r.log.empty());
}
