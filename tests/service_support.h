// Shared set-up of the service tests: a folder holding copies of the shipped
// data files, and a service whose parts the tests can see, fail one by one,
// or have log their deletion.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "JSE_Service.h"
#include "filter_test_support.h"

namespace service_test {

inline WString Wide(const std::string& narrow) { return WString(narrow.begin(), narrow.end()); }

// A fresh folder with the shipped catalog, size definitions, attributes and
// rules; withRules false leaves the rule file out.
class DataFolder {
public:
    explicit DataFolder(bool withRules = true) {
        for (const char* name :
             {"PaperCatalog.cat", "PaperCatalog.def", "PaperCatalog.cat.atr", "PaperCatalog.cat.dat"}) {
            if (!withRules && std::string(name).ends_with(".dat")) continue;
            std::filesystem::copy_file(std::string(LUMAPREX_SOURCE_DIR) + "/data/" + name, m_folder.file(name));
        }
    }
    WString catalog() const { return Wide(m_folder.file("PaperCatalog.cat")); }
    std::string file(const std::string& name) const { return m_folder.file(name); }

private:
    filter_test::TempDir m_folder;
};

// A ticket that shows the emulation it was given.
struct ShownTicket : JSE_JobTicket {
    using JSE_JobTicket::JSE_JobTicket;
    int Emulation() const { return defaultTicket.jobFeature.jobEmulationType; }
};

enum class Part { None, Media, Validation, ValidationError, Preference, JobTicket };

// A service that can fail one part's creation (ValidationError: a validator
// that reports an error), shows its parts, logs the deletion of each, and
// can switch the ticket family off. Started by JSE_Initialize after
// construction, so that its own creators are the ones called.
class TestService : public JSE_Service {
public:
    explicit TestService(Part failing = Part::None, std::vector<std::string>* deletions = nullptr)
        : m_failing(failing), m_deletions(deletions) {}

    using JSE_Service::JobTicket;
    using JSE_Service::Media;
    using JSE_Service::Preference;
    using JSE_Service::Validation;
    void SwitchTicketFamily(bool on) { m_ticketFamilyOn = on; }
    void Fail(Part part) { m_failing = part; }
    int TicketEmulation() const { return static_cast<const ShownTicket*>(JobTicket())->Emulation(); }
    std::string RulePath() const {
        std::string path;
        if (Validation()) Validation()->JSE_Validation_Get_DataFilePath(path);
        return path;
    }

protected:
    template <class Base>
    struct Logged : Base {
        template <class... Args>
        explicit Logged(std::vector<std::string>* log, const char* name, Args&&... args)
            : Base(std::forward<Args>(args)...), log(log), name(name) {}
        ~Logged() override {
            if (log) log->push_back(name);
        }
        std::vector<std::string>* log;
        const char* name;
    };

    std::unique_ptr<JSE_Media> NewMedia(const WString& language, const WString& path, const WString& colors,
                                        const WString& types, wchar_t separator, bool safe) override {
        if (m_failing == Part::Media) return nullptr;
        return std::make_unique<Logged<JSE_Media>>(m_deletions, "catalog", language, path, colors, types, separator,
                                                   safe);
    }
    std::unique_ptr<JSE_Validation> NewValidation(JSE_Media* catalog, const WString& path) override {
        if (m_failing == Part::Validation) return nullptr;
        if (m_failing == Part::ValidationError) catalog = nullptr;  // it then reports -6
        return std::make_unique<Logged<JSE_Validation>>(m_deletions, "validator", catalog, path);
    }
    std::unique_ptr<JSE_Preference> NewPreference(const WString& fileName, const WString& language) override {
        if (m_failing == Part::Preference) return nullptr;
        return std::make_unique<Logged<JSE_Preference>>(m_deletions, "store", fileName, language);
    }
    std::unique_ptr<JSE_JobTicket> NewJobTicket(const WString& language, const WString& paper) override {
        if (m_failing == Part::JobTicket) return nullptr;
        return std::make_unique<Logged<ShownTicket>>(m_deletions, "ticket", language, paper, 1);
    }

private:
    Part m_failing;
    std::vector<std::string>* m_deletions;
};

}  // namespace service_test
