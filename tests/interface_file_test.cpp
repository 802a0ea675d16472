// Interface files: objects made and woken in order, outlets, actions,
// delegates and sections bound by name, labels and images from the bundle,
// and every fault of a file refusing the whole file with its reason.
#include <gtest/gtest.h>

#include "PropertyList.h"
#include "filter_test_support.h"
#include "interface_test_support.h"

using namespace platform;
using namespace interface_test;

namespace {

const std::string kFixtures = LUMAPREX_TEST_DATA "/interface/";

class InterfaceFiles : public ::testing::Test {
protected:
    void TearDown() override { Bundle::ForgetAll(); }
};

TEST_F(InterfaceFiles, SampleFileMakesConnectsAndWakesEverythingItNames) {
    LoadedSample sample;
    ASSERT_EQ(sample.load.error, InterfaceError::None) << sample.load.reason;
    const LoadedInterface& loaded = *sample.load.interface;
    EXPECT_EQ(Events(), (std::vector<std::string>{"awake helper", "awake pane", "awake owner"}));
    EXPECT_EQ(sample.owner.pane, loaded.object("pane"));
    EXPECT_EQ(sample.owner.pane->helper, loaded.object("helper"));
    ASSERT_EQ(loaded.topLevelViews().size(), 2u) << "the root and the section nothing places";
    EXPECT_EQ(loaded.topLevelViews()[0].get(), sample.owner.root);
    EXPECT_EQ(loaded.topLevelViews()[1].get(), sample.owner.pane->spare);
    EXPECT_EQ(sample.owner.pane->caption->superview()->superview(), sample.owner.pane->check->superview())
        << "a placed section sits where its place was";
    EXPECT_EQ(DrawAsText(*sample.owner.root), filter_test::readFile(kFixtures + "sample_first_tab.txt"));

    sample.owner.tabButton->performClick();
    EXPECT_EQ(DrawAsText(*sample.owner.root), filter_test::readFile(kFixtures + "sample_second_tab.txt"));
}

TEST_F(InterfaceFiles, ImagesAreMadeOnlyFromWholeIconFamilies) {
    filter_test::TempDir dir;
    const std::string bytes8("icns\0\0\0\x08", 8);
    struct Case {
        const char* name;
        std::string bytes;
        bool image;
    };
    const Case cases[] = {
        {"empty family", bytes8, true},
        {"one element", std::string("icns\0\0\0\x18ic04\0\0\0\x10rgba1234", 24), true},
        {"length is not the size", std::string("icns\0\0\0\x09x", 9), false},
        {"element past the end", std::string("icns\0\0\0\x14ic04\0\0\0\x10rgba", 20), false},
        {"element shorter than its header", std::string("icns\0\0\0\x10ic04\0\0\0\x04", 16), false},
        {"half an element header", std::string("icns\0\0\0\x0cic04", 12), false},
        {"other bytes", "not an icon\n", false},
        {"empty file", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        filter_test::writeFile(dir.file("x.icns"), c.bytes);
        const std::optional<Image> image = Image::FromFile(dir.file("x.icns"));
        EXPECT_EQ(image.has_value(), c.image);
        if (image) {
            EXPECT_EQ(image->name(), "x.icns");
        }
    }
    EXPECT_FALSE(Image::FromFile(dir.file("missing.icns")));
}

// A small owner for the refusals: a root view and one action.
class SmallOwner : public InterfaceObject {
public:
    View* root = nullptr;
    SmallOwner() {
        declareOutlet("root", root);
        declareAction("go:", &SmallOwner::go);
    }
    void awakeFromNib() override { Events().push_back("awake owner"); }
    void go(Control&) {}
};

Dictionary FileWith(Array objects, Dictionary views) { return {{"Objects", objects}, {"Views", views}}; }

Dictionary RootWith(Array subviews) { return {{"class", "View"}, {"outlet", "root"}, {"subviews", subviews}}; }

Dictionary Section(const char* controller, Dictionary view) {
    view.set("controller", controller);
    return view;
}

TEST_F(InterfaceFiles, EveryFaultRefusesTheWholeFileWithItsReason) {
    const Dictionary helper = {{"name", "helper"}, {"class", "TestHelper"}};
    const Dictionary button = {{"class", "Button"}, {"action", "go:"}};
    struct Case {
        const char* name;
        Dictionary file;
        InterfaceError error;
        const char* reason;
    };
    const Case cases[] = {
        {"unknown view class", FileWith({}, {{"root", RootWith({Dictionary{{"class", "Slider"}}})}}),
         InterfaceError::UnknownClass, "Views: root > Slider: no view class \"Slider\""},
        {"unknown object class", FileWith({Dictionary{{"name", "x"}, {"class", "Nothing"}}}, {{"root", RootWith({})}}),
         InterfaceError::UnknownClass, "Objects: no class \"Nothing\""},
        {"object named twice", FileWith({helper, helper}, {{"root", RootWith({})}}), InterfaceError::PlacedTwice,
         "\"helper\" is named twice"},
        {"outlet not declared", FileWith({}, {{"root", RootWith({Dictionary{{"class", "View"}, {"outlet", "other"}}})}}),
         InterfaceError::UnknownName, "outlet \"other\" of \"File's Owner\" is not declared"},
        {"outlet of another kind",
         FileWith({helper, Dictionary{{"name", "File's Owner"}, {"outlets", Dictionary{{"root", "helper"}}}}},
                  {{"root", Dictionary{{"class", "View"}}}}),
         InterfaceError::WrongKind, "outlet \"root\" of \"File's Owner\" is for another kind"},
        {"outlet connected twice",
         FileWith({}, {{"root", RootWith({Dictionary{{"class", "View"}, {"outlet", "root"}}})}}),
         InterfaceError::PlacedTwice, "outlet \"root\" of \"File's Owner\" is connected twice"},
        {"outlet left out", FileWith({}, {{"root", Dictionary{{"class", "View"}}}}), InterfaceError::Unconnected,
         "outlet \"root\" of \"File's Owner\" is not in the file"},
        {"object outlet to no object",
         FileWith({Dictionary{{"name", "File's Owner"}, {"outlets", Dictionary{{"root", "nobody"}}}}},
                  {{"root", RootWith({})}}),
         InterfaceError::UnknownName, "no object \"nobody\""},
        {"unknown action", FileWith({}, {{"root", RootWith({Dictionary{{"class", "Button"}, {"action", "stop:"}}})}}),
         InterfaceError::UnknownName, "\"File's Owner\" has no action \"stop:\""},
        {"action of a view", FileWith({}, {{"root", RootWith({Dictionary{{"class", "View"}, {"action", "go:"}}})}}),
         InterfaceError::Malformed, "only controls send actions"},
        {"delegate that is none",
         FileWith({helper}, {{"root", RootWith({Dictionary{{"class", "TableView"}, {"delegate", "helper"}}})}}),
         InterfaceError::WrongKind, "\"helper\" is no delegate"},
        {"section placed twice",
         FileWith({}, {{"root", RootWith({Dictionary{{"view", "x"}}, Dictionary{{"view", "x"}}})},
                       {"x", Dictionary{{"class", "View"}}}}),
         InterfaceError::PlacedTwice, "\"x\" is placed twice"},
        {"section placed inside itself",
         FileWith({}, {{"root", RootWith({})},
                       {"x", Dictionary{{"class", "View"}, {"subviews", Array{Dictionary{{"view", "y"}}}}}},
                       {"y", Dictionary{{"class", "View"}, {"subviews", Array{Dictionary{{"view", "x"}}}}}}}),
         InterfaceError::PlacedTwice, "\"x\" is placed inside itself"},
        {"unknown section", FileWith({}, {{"root", RootWith({Dictionary{{"view", "x"}}})}}), InterfaceError::UnknownName,
         "no section \"x\" to place"},
        {"section of no object", FileWith({}, {{"root", Section("pane", RootWith({}))}}), InterfaceError::UnknownName,
         "no object \"pane\""},
        {"tag that is no integer", FileWith({}, {{"root", RootWith({Dictionary{{"class", "View"}, {"tag", "7"}}})}}),
         InterfaceError::Malformed, "\"tag\" is no integer"},
        {"stepper limits crossed",
         FileWith({}, {{"root", RootWith({Dictionary{{"class", "Stepper"}, {"min", 2}, {"max", 1}}})}}),
         InterfaceError::Malformed, "lowest value is above its highest"},
        {"matrix cell that is no button",
         FileWith({}, {{"root", RootWith({Dictionary{{"class", "Matrix"}, {"cells", Array{Dictionary{{"class", "View"}}}}}})}}),
         InterfaceError::Malformed, "a cell is no button"},
        {"objects that are no array", Dictionary{{"Objects", "helper"}}, InterfaceError::Malformed, "Objects: no array"},
        {"pane with outlets the file lacks", FileWith({Dictionary{{"name", "pane"}, {"class", "TestPane"}}}, {{"root", RootWith({button})}}),
         InterfaceError::Unconnected, "outlet \"caption\" of \"pane\" is not in the file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Events().clear();
        SmallOwner owner;
        const InterfaceLoad load = LoadInterface(Bundle::Open(kBundleDir), c.file, owner, MakeTestObject);
        EXPECT_EQ(load.error, c.error);
        EXPECT_NE(load.reason.find(c.reason), std::string::npos) << load.reason;
        EXPECT_FALSE(load.interface);
        EXPECT_TRUE(Events().empty()) << "nothing is woken";
    }

    SmallOwner owner;
    const InterfaceLoad missing = LoadInterfaceFile(Bundle::Open(kBundleDir), "Missing", owner, MakeTestObject);
    EXPECT_EQ(missing.error, InterfaceError::CannotRead);
    EXPECT_EQ(missing.reason, "interface file \"Missing\": no such resource");
}

}  // namespace
