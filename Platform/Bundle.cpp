// Bundles: the folder's information dictionary, its localizations, strings
// tables read once each, and the registry of opened bundles by identifier.
#include "Bundle.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "PropertyList.h"
#include "SystemLog.h"
#include "UserEnvironment.h"

namespace platform {

namespace {

constexpr const char* kDefaultDevelopmentRegion = "English";

// The English names that older bundles give their localization folders.
const std::map<std::string_view, std::string_view>& EnglishLanguageNames() {
    static const std::map<std::string_view, std::string_view> names = {
        {"da", "Danish"}, {"de", "German"},    {"en", "English"}, {"es", "Spanish"},
        {"fi", "Finnish"}, {"fr", "French"},   {"it", "Italian"}, {"ja", "Japanese"},
        {"nb", "Norwegian"}, {"nl", "Dutch"},  {"no", "Norwegian"}, {"pt", "Portuguese"},
        {"sv", "Swedish"}};
    return names;
}

std::vector<std::string> LocalizationsIn(const std::filesystem::path& resources) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(resources, error)) {
        const std::filesystem::path& path = entry.path();
        if (entry.is_directory(error) && path.extension() == ".lproj") names.push_back(path.stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct Registry {
    std::mutex mutex;
    std::map<std::string, Bundle, std::less<>> bundles;
};

Registry& OpenedBundles() {
    static Registry registry;
    return registry;
}

}  // namespace

struct Bundle::State {
    std::filesystem::path path;
    Dictionary info;
    std::vector<std::string> localizations;
    std::string localization;  // the one in use; "" when there is none
    std::string development;   // the development region's folder; "" when there is none

    std::mutex mutex;
    std::map<std::string, Dictionary, std::less<>> tables;

    std::filesystem::path lproj(const std::string& name) const { return path / "Resources" / (name + ".lproj"); }

    // The localizations to search, the one in use first.
    std::vector<std::string> searchOrder() const {
        std::vector<std::string> order;
        if (!localization.empty()) order.push_back(localization);
        if (!development.empty() && development != localization) order.push_back(development);
        return order;
    }

    const Dictionary& table(std::string_view name) {
        std::lock_guard lock(mutex);
        const auto cached = tables.find(name);
        if (cached != tables.end()) return cached->second;
        const std::string fileName = std::string(name) + ".strings";
        Dictionary contents;
        bool found = false;
        for (const std::string& candidate : searchOrder()) {
            const std::filesystem::path file = lproj(candidate) / fileName;
            if (!std::filesystem::exists(file)) continue;
            contents = ReadDictionaryFile(file);
            found = true;
            break;
        }
        if (!found) Log(LogPriority::Warning, path.string() + " has no strings table " + fileName);
        return tables.emplace(std::string(name), contents).first->second;
    }
};

Bundle Bundle::Open(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        Log(LogPriority::Warning, folder.string() + " is not a bundle folder");
        return Bundle();
    }
    Bundle bundle;
    bundle.m_state = std::make_shared<State>();
    State& state = *bundle.m_state;
    state.path = std::filesystem::absolute(folder, error).lexically_normal();
    state.info = ReadDictionaryFile(state.path / "Info.plist");
    state.localizations = LocalizationsIn(state.path / "Resources");
    const Value& region = state.info["CFBundleDevelopmentRegion"];
    const std::string development = region.text().empty() ? kDefaultDevelopmentRegion : region.text();
    state.development = MatchLocalization(state.localizations, "", development);
    state.localization = MatchLocalization(state.localizations, PreferredLanguage(), development);
    if (const std::string id = bundle.identifier(); !id.empty()) {
        Registry& registry = OpenedBundles();
        std::lock_guard lock(registry.mutex);
        registry.bundles[id] = bundle;
    }
    return bundle;
}

Bundle Bundle::WithIdentifier(std::string_view identifier) {
    Registry& registry = OpenedBundles();
    std::lock_guard lock(registry.mutex);
    const auto found = registry.bundles.find(identifier);
    return found == registry.bundles.end() ? Bundle() : found->second;
}

void Bundle::ForgetAll() {
    Registry& registry = OpenedBundles();
    std::lock_guard lock(registry.mutex);
    registry.bundles.clear();
}

std::filesystem::path Bundle::path() const { return m_state ? m_state->path : std::filesystem::path(); }

std::filesystem::path Bundle::resourcePath() const {
    return m_state ? m_state->path / "Resources" : std::filesystem::path();
}

std::string Bundle::identifier() const { return m_state ? m_state->info["CFBundleIdentifier"].text() : ""; }

std::vector<std::string> Bundle::localizations() const {
    return m_state ? m_state->localizations : std::vector<std::string>();
}

std::vector<std::string> Bundle::preferredLocalizations() const {
    if (!m_state || m_state->localization.empty()) return {};
    return {m_state->localization};
}

Dictionary Bundle::infoDictionary() const { return m_state ? m_state->info.copy() : Dictionary(); }

Dictionary Bundle::localizedInfoDictionary() const {
    if (!m_state) return Dictionary();
    Dictionary localized = m_state->info.copy();
    for (const auto& [key, value] : m_state->table("InfoPlist")) localized.set(key, value);
    return localized;
}

std::string Bundle::localizedString(std::string_view key, std::string_view fallback, std::string_view table) const {
    if (!m_state) return "";
    const Value* entry = m_state->table(table).find(key);
    if (entry && entry->kind() == Value::Kind::String) return entry->text();
    return std::string(fallback.empty() ? key : fallback);
}

std::filesystem::path Bundle::pathForResource(std::string_view name, std::string_view type) const {
    if (!m_state || name.empty()) return {};
    const std::string fileName = type.empty() ? std::string(name) : std::string(name) + "." + std::string(type);
    std::vector<std::filesystem::path> places = {resourcePath()};
    for (const std::string& candidate : m_state->searchOrder()) places.push_back(m_state->lproj(candidate));
    std::error_code error;
    for (const std::filesystem::path& place : places)
        if (std::filesystem::is_regular_file(place / fileName, error)) return place / fileName;
    return {};
}

std::string Bundle::absolutePath(std::string_view path) const {
    if (!m_state || path.empty() || path.front() == '/') return std::string(path);
    std::string resolved = (m_state->path / path).lexically_normal().string();
    if (path.back() == '/' && (resolved.empty() || resolved.back() != '/')) resolved += '/';
    return resolved;
}

std::string Bundle::MatchLocalization(const std::vector<std::string>& available, std::string_view language,
                                      std::string_view development) {
    const auto has = [&](std::string_view name) {
        return !name.empty() && std::find(available.begin(), available.end(), name) != available.end();
    };
    std::vector<std::string> candidates;
    if (!language.empty()) {
        const std::string code(language.substr(0, language.find('_')));
        candidates.push_back(std::string(language));
        if (code.size() < language.size()) {
            std::string dashed(language);
            dashed[code.size()] = '-';
            candidates.push_back(dashed);
            candidates.push_back(code);
        }
        const auto english = EnglishLanguageNames().find(code);
        if (english != EnglishLanguageNames().end()) candidates.emplace_back(english->second);
    }
    candidates.insert(candidates.end(), {std::string(development), "English", "en"});
    for (const std::string& candidate : candidates)
        if (has(candidate)) return candidate;
    return available.empty() ? "" : available.front();
}

}  // namespace platform
