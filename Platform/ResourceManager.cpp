#include "ResourceManager.h"

#include <map>
#include <memory>
#include <utility>

namespace {

struct Resource {
    std::vector<char> bytes;
    char* master = nullptr;
};

std::map<std::pair<ResType, ResID>, std::unique_ptr<Resource>>& registry() {
    static std::map<std::pair<ResType, ResID>, std::unique_ptr<Resource>> resources;
    return resources;
}

OSErr gLastError = noErr;

Resource* findByHandle(Handle handle) {
    for (auto& [key, resource] : registry())
        if (&resource->master == handle) return resource.get();
    return nullptr;
}

}  // namespace

void AddResource(ResType type, ResID id, std::vector<char> bytes) {
    auto resource = std::make_unique<Resource>();
    resource->bytes = std::move(bytes);
    resource->master = resource->bytes.data();
    registry()[{type, id}] = std::move(resource);
}

void RemoveAllResources() { registry().clear(); }

Handle GetResource(ResType type, ResID id) {
    auto found = registry().find({type, id});
    if (found == registry().end()) {
        gLastError = resNotFound;
        return nullptr;
    }
    gLastError = noErr;
    return &found->second->master;
}

OSErr ResError() { return gLastError; }

void HLock(Handle) {}
void HUnlock(Handle) {}

long GetHandleSize(Handle handle) {
    const Resource* resource = findByHandle(handle);
    return resource ? static_cast<long>(resource->bytes.size()) : 0;
}

void ReleaseResource(Handle) {}
