// A recording observer of the default notification center for tests: it
// keeps the notifications of the names it observes, in the order they were
// posted, and writes them as a transcript to compare with a fixture.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "NotificationCenter.h"

namespace notification_test {

class NotificationRecorder {
public:
    explicit NotificationRecorder(const std::vector<std::string>& names) {
        for (const std::string& name : names)
            center().addObserver(this, name, [this](const platform::Notification& n) { received.push_back(n); });
    }
    ~NotificationRecorder() { center().removeObserver(this); }
    NotificationRecorder(const NotificationRecorder&) = delete;
    NotificationRecorder& operator=(const NotificationRecorder&) = delete;
    static platform::NotificationCenter& center() { return platform::NotificationCenter::Default(); }

    // The object of the last notification of that name; none when none came.
    platform::Value last(const std::string& name) const {
        for (auto n = received.rbegin(); n != received.rend(); ++n)
            if (n->name == name) return n->object;
        return {};
    }

    // One line each: the name, "by <senderName>" when that sender posted it
    // as itself, then the object: "-" for none, a text in quotes with each
    // "from" replaced by its "to", a dictionary as "#n{size}", n counting
    // distinct dictionaries in order of first appearance.
    template <class Sender>
    std::string transcript(const Sender* sender, const std::string& senderName,
                           const std::vector<std::pair<std::string, std::string>>& replacements = {}) const {
        std::string out;
        std::vector<platform::Dictionary> seen;
        for (const platform::Notification& n : received) {
            std::string object = n.object.isNone() ? "-" : "\"" + n.object.text() + "\"";
            for (const auto& [from, to] : replacements)
                for (std::size_t at; (at = object.find(from)) != std::string::npos;) object.replace(at, from.size(), to);
            if (n.object.isDictionary()) {
                std::size_t i = 0;
                while (i < seen.size() && !seen[i].isSameDictionary(n.object.dictionary())) ++i;
                if (i == seen.size()) seen.push_back(n.object.dictionary());
                object = "#" + std::to_string(i + 1) + "{" + std::to_string(seen[i].size()) + "}";
            }
            const bool bySender = n.senderAs<Sender>() == sender;
            out += n.name + (n.sender.has_value() ? (bySender ? " by " + senderName : " by another") : "") + " " +
                   object + "\n";
        }
        return out;
    }

    std::vector<platform::Notification> received;
};

}  // namespace notification_test
