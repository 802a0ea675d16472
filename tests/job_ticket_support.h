// Shared set-up of the job-ticket tests: the engine objects wired as the
// service wires them on the shipped paper catalog, expected tickets read as
// bytes, and single lines of a ticket.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "JSE_JobTicket.h"
#include "JSE_Media.h"
#include "JSE_Preference.h"
#include "media_test_support.h"

namespace job_ticket_test {

using media_test::kColors;
using media_test::kTypes;

inline WString shippedCatalog() {
    const std::string path = LUMAPREX_SOURCE_DIR "/data/PaperCatalog.cat";
    return WString(path.begin(), path.end());
}

inline std::string expectedTicket(const std::string& name) {
    std::ifstream in(std::string(LUMAPREX_TEST_DATA) + "/ticket/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The line of the ticket that begins with prefix, or "<none>".
inline std::string lineOf(const std::string& text, const std::string& prefix) {
    std::size_t start = text.rfind(prefix, 0) == 0 ? 0 : text.find("\r\n" + prefix);
    if (start == std::string::npos) return "<none>";
    if (start != 0) start += 2;
    return text.substr(start, text.find("\r\n", start) - start);
}

// A ticket whose default record selects another command set.
class CommandSetTicket : public JSE_JobTicket {
public:
    explicit CommandSetTicket(std::int32_t commandSet) : JSE_JobTicket(L"English", L"Letter", 1) {
        Select(commandSet);
    }
    void Select(std::int32_t commandSet) { defaultTicket.jobFeature.printerType = commandSet; }
};

// The engine objects as the service wires them: the shipped catalog, the
// settings store with its factory defaults, and the ticket.
class JobTicket : public ::testing::Test {
protected:
    JobTicket()
        : catalog(L"English", shippedCatalog(), kColors, kTypes, L':', false),
          store(L"Qwi_JSE.prf", L"English"),
          ticket(L"English", L"Letter", 1) {
        store.JSE_Preference_Set_Media_Reference(&catalog);
        store.JSE_Preference_Set_Factory_Default();
        ticket.JSE_JobTicket_Set_JSE_PreferenceRef(&store);
        ticket.JSE_JobTicket_Set_JSE_MediaRef(&catalog);
        store.JSE_Preference_GetJobFeature(job);
    }

    // Stores the job's settings and builds the ticket.
    std::string build() {
        store.JSE_Preference_SetJobFeature(job);
        result = ticket.JSE_JobTicket_Create();
        return textOf(ticket);
    }

    static std::string textOf(JSE_JobTicket& from) {
        std::string text(static_cast<std::size_t>(from.JSE_JobTicket_GetSize()), '\0');
        EXPECT_EQ(from.JSE_JobTicket_Get(text.data(), static_cast<long>(text.size())), 0);
        return text;
    }

    JSE_Media catalog;
    JSE_Preference store;
    JSE_JobTicket ticket;
    JSE_JobFeatureType job;
    std::int64_t result = -1;
};

}  // namespace job_ticket_test
