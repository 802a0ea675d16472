// The settings file's load: any bytes either fail to load and leave the store
// exactly as it was, or load into a store that saves, and the saved file loads
// into a second store that saves the very same bytes (the store as the file
// records it survives; the paper list is written from the catalog, so it is
// compared only on failure).
#include <iterator>

#include "JSE_Preference.h"
#include "fuzz_support.h"

namespace {

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The store as its own file records it, plus its paper list and the factory
// body paper that its language gives.
std::string Snapshot(JSE_Preference& store) {
    const fuzz::Folder& folder = fuzz::Folder::Instance();
    WString path;
    store.JSE_Preference_GetFullPath(path);
    store.JSE_Preference_SetFullPath(folder.WidePath("snapshot.prf"));
    store.JSE_Preference_Save_Setting();
    store.JSE_Preference_SetFullPath(path);
    FUZZ_CHECK(store.JSE_Preference_GetLastError() == 0, "the store before and after a failed load saves");
    std::string snapshot = FileBytes(folder.Path("snapshot.prf"));
    JSE_JobFeatureType defaults;
    store.JSE_Preference_Get_Default_JobFeature(defaults);
    snapshot.append(defaults.bodyPaper.begin(), defaults.bodyPaper.end());
    for (std::int32_t i = 0; i < store.JSE_Preference_Get_MediaListSize(); ++i) {
        JSE_MediaRecordType paper;
        store.JSE_Preference_GetMedia(i, paper);
        snapshot.append(paper.name.begin(), paper.name.end());
        snapshot += std::to_string(paper.widthPoints) + "," + std::to_string(paper.precollated);
    }
    return snapshot;
}

// A file with a catalog paper, a page exception and user data, loaded into
// every store first so that a failed load has something to keep.
const WString& FilledFile() {
    static const WString path = [] {
        const WString file = fuzz::Folder::Instance().WidePath("filled.prf");
        JSE_Media catalog(2);
        JSE_Preference store(L"Qwi_JSE.prf", L"German");
        store.JSE_Preference_Set_Media_Reference(&catalog);
        store.JSE_Preference_SetFullPath(file);
        JSE_PageExceptionType item;
        item.startingPage = item.endingPage = 4;
        store.JSE_Preference_SetPageExceptionItem(item);
        store.JSE_Preference_Set_UserData("kept", 4);
        store.JSE_Preference_Save_Setting();
        return file;
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Folder& folder = fuzz::Folder::Instance();
    JSE_Preference store(L"Qwi_JSE.prf", L"English");
    store.JSE_Preference_SetFullPath(FilledFile());
    store.JSE_Preference_Load_Setting();
    FUZZ_CHECK(store.JSE_Preference_GetLastError() == 0, "the filled store loads");
    const std::string before = Snapshot(store);

    store.JSE_Preference_SetFullPath(folder.Write("input.prf", data, size));
    store.JSE_Preference_Load_Setting();
    if (store.JSE_Preference_GetLastError() != 0) {
        FUZZ_CHECK(Snapshot(store) == before, "a failed load leaves the store as it was");
        return 0;
    }

    store.JSE_Preference_SetFullPath(folder.WidePath("saved.prf"));
    store.JSE_Preference_Save_Setting();
    FUZZ_CHECK(store.JSE_Preference_GetLastError() == 0, "a loaded store saves");
    JSE_Preference again(L"Qwi_JSE.prf", L"English");
    again.JSE_Preference_SetFullPath(folder.WidePath("saved.prf"));
    again.JSE_Preference_Load_Setting();
    FUZZ_CHECK(again.JSE_Preference_GetLastError() == 0, "the saved file loads");
    again.JSE_Preference_SetFullPath(folder.WidePath("saved-again.prf"));
    again.JSE_Preference_Save_Setting();
    FUZZ_CHECK(again.JSE_Preference_GetLastError() == 0, "the loaded copy saves");
    FUZZ_CHECK(FileBytes(folder.Path("saved-again.prf")) == FileBytes(folder.Path("saved.prf")),
               "the saved file loads to the same store");
    return 0;
}
