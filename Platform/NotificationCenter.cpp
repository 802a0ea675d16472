// Registrations and synchronous delivery of the notification center.
#include "NotificationCenter.h"

#include <algorithm>
#include <atomic>

namespace platform {

// A registration stays alive while a post that found it delivers; removal
// marks it inactive, so that a post under way passes it over.
struct NotificationCenter::Registration {
    const void* observer;
    std::string name;
    Handler handler;
    std::atomic<bool> active{true};
};

NotificationCenter& NotificationCenter::Default() {
    static NotificationCenter center;
    return center;
}

void NotificationCenter::addObserver(const void* observer, std::string_view name, Handler handler) {
    auto registration = std::make_shared<Registration>();
    registration->observer = observer;
    registration->name = std::string(name);
    registration->handler = std::move(handler);
    std::lock_guard lock(m_mutex);
    // The replaced handler may be the one running now: it is only retired.
    for (auto& existing : m_registrations) {
        if (existing->observer == observer && existing->name == name) {
            existing->active = false;
            existing = std::move(registration);
            return;
        }
    }
    m_registrations.push_back(std::move(registration));
}

void NotificationCenter::removeObserver(const void* observer) {
    std::lock_guard lock(m_mutex);
    std::erase_if(m_registrations, [&](const std::shared_ptr<Registration>& registration) {
        if (registration->observer != observer) return false;
        registration->active = false;
        return true;
    });
}

void NotificationCenter::removeObserver(const void* observer, std::string_view name) {
    std::lock_guard lock(m_mutex);
    std::erase_if(m_registrations, [&](const std::shared_ptr<Registration>& registration) {
        if (registration->observer != observer || registration->name != name) return false;
        registration->active = false;
        return true;
    });
}

void NotificationCenter::removeAllObservers() {
    std::lock_guard lock(m_mutex);
    for (auto& registration : m_registrations) registration->active = false;
    m_registrations.clear();
}

std::size_t NotificationCenter::registrationCount(const void* observer) const {
    std::lock_guard lock(m_mutex);
    return static_cast<std::size_t>(std::count_if(
        m_registrations.begin(), m_registrations.end(),
        [&](const std::shared_ptr<Registration>& registration) { return registration->observer == observer; }));
}

std::vector<std::shared_ptr<NotificationCenter::Registration>> NotificationCenter::matching(
    std::string_view name) const {
    std::lock_guard lock(m_mutex);
    std::vector<std::shared_ptr<Registration>> found;
    for (const auto& registration : m_registrations)
        if (registration->name == name) found.push_back(registration);
    return found;
}

void NotificationCenter::post(const Notification& notification) {
    for (const auto& registration : matching(notification.name))
        if (registration->active) registration->handler(notification);
}

void NotificationCenter::post(std::string_view name, Value object) {
    post(Notification{std::string(name), std::move(object), {}});
}

}  // namespace platform
