// The interface-file loader that lays out the dialog's panes: any property
// list is either loaded whole (every outlet it names and every outlet an
// object declares connected, every object woken once, the owner last, and
// the views it made drawable) or refused whole with a reason and nothing
// woken; the loaded views and objects go without leaks.
#include <memory>
#include <string_view>

#include "Controls.h"
#include "InterfaceFile.h"
#include "PropertyList.h"
#include "fuzz_support.h"

namespace {

int g_awakened = 0;

class FuzzPane : public platform::InterfaceObject,
                 public platform::TextFieldDelegate,
                 public platform::TableDataSource,
                 public platform::TableDelegate {
public:
    platform::TextField* field = nullptr;
    platform::TableView* table = nullptr;
    InterfaceObject* other = nullptr;
    FuzzPane() {
        declareOutlet("field", field);
        declareOutlet("table", table);
        declareOutlet("other", other);
        declareAction("go:", &FuzzPane::go);
    }
    void awakeFromNib() override { ++g_awakened; }
    void go(platform::Control&) {}
    int numberOfRowsInTableView(platform::TableView&) override { return 2; }
    std::string objectValueForTableColumn(platform::TableView&, const platform::TableColumn& column, int) override {
        return column.identifier;
    }
};

class FuzzOwner : public platform::InterfaceObject {
public:
    platform::View* root = nullptr;
    int awakenedBefore = -1;
    FuzzOwner() {
        declareOutlet("root", root);
        declareAction("go:", &FuzzOwner::go);
    }
    void awakeFromNib() override { awakenedBefore = g_awakened++; }
    void go(platform::Control&) {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<platform::Dictionary> file =
        platform::ParseDictionary(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!file) return 0;
    g_awakened = 0;
    FuzzOwner owner;
    const platform::InterfaceLoad load = platform::LoadInterface(
        platform::Bundle(), *file, owner, [](std::string_view name) -> std::unique_ptr<platform::InterfaceObject> {
            if (name == "FuzzPane") return std::make_unique<FuzzPane>();
            return nullptr;
        });
    if (!load.interface) {
        FUZZ_CHECK(load.error != platform::InterfaceError::None && !load.reason.empty(), "a refusal says why");
        FUZZ_CHECK(g_awakened == 0, "nothing of a refused file wakes");
        return 0;
    }
    FUZZ_CHECK(load.error == platform::InterfaceError::None, "a loaded file has no error");
    const std::size_t objects = load.interface->objects().size();
    FUZZ_CHECK(g_awakened == static_cast<int>(objects) + 1, "every object and the owner wake once");
    FUZZ_CHECK(owner.awakenedBefore == static_cast<int>(objects), "the owner wakes last");
    FUZZ_CHECK(owner.unconnectedOutlets().empty() && owner.root, "the owner's outlets are connected");
    for (const auto& [name, object] : load.interface->objects()) {
        FUZZ_CHECK(object->unconnectedOutlets().empty(), "every object's outlets are connected");
        const auto* pane = static_cast<const FuzzPane*>(object.get());
        FUZZ_CHECK(pane->field && pane->table && pane->other, "a pane's outlets are set");
    }
    for (const auto& view : load.interface->topLevelViews()) {
        FUZZ_CHECK(!platform::DrawAsText(*view).empty(), "a top-level view draws");
    }
    return 0;
}
