// Stand-in for the platform's notification center, through which the bridge
// and the panes meet. Delivery is synchronous, on the poster's thread, in the
// order the observers registered. An observer is registered by its address
// and a notification name; registering the same pair again replaces its
// handler. Handlers may post again and may add or remove observers, their own
// registration included: a post delivers to the registrations present when it
// began that are still present when their turn comes.
#pragma once

#include <any>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "FoundationValues.h"

namespace platform {

struct Notification {
    std::string name;
    // The object as a value (a dictionary, a path, "0"); None when the
    // poster sends none.
    Value object;
    // The posting object itself, when the notification is its announcement
    // (the bridge announces itself to the panes this way).
    std::any sender;

    // The sender as the type it was posted as; nullptr for any other.
    template <class T>
    T* senderAs() const {
        T* const* sender = std::any_cast<T*>(&this->sender);
        return sender ? *sender : nullptr;
    }
};

class NotificationCenter {
public:
    using Handler = std::function<void(const Notification&)>;

    NotificationCenter() = default;
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    // The process's center, on which the extension posts and observes.
    static NotificationCenter& Default();

    void addObserver(const void* observer, std::string_view name, Handler handler);
    // Removes every registration of the observer.
    void removeObserver(const void* observer);
    void removeObserver(const void* observer, std::string_view name);
    // Removes every registration of every observer (a fresh state for tests).
    void removeAllObservers();
    // How many names the observer is registered for.
    std::size_t registrationCount(const void* observer) const;

    void post(const Notification& notification);
    void post(std::string_view name, Value object = {});

private:
    struct Registration;
    std::vector<std::shared_ptr<Registration>> matching(std::string_view name) const;

    mutable std::mutex m_mutex;
    std::vector<std::shared_ptr<Registration>> m_registrations;
};

// The registrations of one observing object, all removed when it goes: the
// bridge and each pane hold one as their last member, so that it goes first.
class Observation {
public:
    explicit Observation(const void* owner, NotificationCenter& center = NotificationCenter::Default())
        : m_owner(owner), m_center(center) {}
    ~Observation() { m_center.removeObserver(m_owner); }
    Observation(const Observation&) = delete;
    Observation& operator=(const Observation&) = delete;

    void observe(std::string_view name, NotificationCenter::Handler handler) {
        m_center.addObserver(m_owner, name, std::move(handler));
    }
    void stopObserving(std::string_view name) { m_center.removeObserver(m_owner, name); }
    void stopObservingAll() { m_center.removeObserver(m_owner); }
    NotificationCenter& center() const { return m_center; }

private:
    const void* m_owner;
    NotificationCenter& m_center;
};

}  // namespace platform
