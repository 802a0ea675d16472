// The paper table the bridge sends the panes: its records for the shipped
// catalog, its row keys for catalogs of any size, the column widths, and the
// load of a catalog the user picks, which may fail.
#include <gtest/gtest.h>

#include "AlertPanel.h"
#include "SystemLog.h"
#include "controller_support.h"

namespace {

using namespace controller_test;

class PaperTable : public ::testing::Test {
protected:
    PaperTable() { bridge.start(); }
    platform::Dictionary table() const { return recorder.last("jobSetupController::catalogUpdate").dictionary(); }
    // The user picks a copy of the shipped catalog cut or grown to that size.
    void pick(const service_test::DataFolder& copy, int papers) {
        {
            JSE_Service edit(L"English", WString(), copy.catalog(), WString(), false);
            while (edit.JSE_Media_GetNumberOfEntry() > papers) edit.JSE_Media_DeletePaper(papers);
            for (int i = edit.JSE_Media_GetNumberOfEntry(); i < papers; ++i)
                edit.JSE_Media_AddPaper(service_test::Wide("P" + std::to_string(i)), 1, L"white", 75, L"plain", 2, 0, 1);
            ASSERT_TRUE(edit.JSE_Media_SaveCatalog(copy.catalog()));
        }
        recorder.received.clear();
        recorder.center().post("zqController::loadPaperCatalog", copy.file("PaperCatalog.cat"));
    }

    notification_test::NotificationRecorder recorder{PaneNotifications()};
    Bridge bridge;
};

// Every record as "key name=value ...", then the column widths.
TEST_F(PaperTable, ShippedCatalogGivesOneRecordOfTextsPerPaperInCatalogOrder) {
    std::string rendered;
    const auto line = [&](const std::string& head, const platform::Dictionary& fields) {
        rendered += head;
        for (const auto& [name, value] : fields) rendered += (rendered.back() == '\n' ? "" : " ") + name + "=" + value.text();
        rendered += "\n";
    };
    for (const auto& [key, record] : table()) line(key, record.dictionary());
    rendered += "\n";
    line("", recorder.last("notificationController::columnSizeUpdate").dictionary());
    EXPECT_EQ(rendered, Fixture("shipped_paper_table.txt"));
}

TEST_F(PaperTable, RowKeysKeepOneLengthForCatalogsOfAnySize) {
    platform::LogRecorder quiet;
    for (const auto& [papers, range] : {std::pair{5, "100..104"}, {100, "1000..1099"}, {1000, "10000..10999"}}) {
        service_test::DataFolder copy;
        pick(copy, papers);
        const std::vector<std::string> keys = table().keys();
        EXPECT_EQ(keys.front() + ".." + keys.back(), range);
        EXPECT_EQ(keys.size(), static_cast<std::size_t>(papers));
    }
}

TEST(PaperTableWidths, TextWiderThanTheReferenceTakesItsWidthAndAMargin) {
    for (const auto& [text, reference, width] :
         {std::tuple{"Letter_Heavy", 80, 138}, {"12345678", 80, 80}, {"123456789", 80, 108},
          {"\u65e5\u672c\u8a9e\u306e\u3068\u3066\u3082\u9577\u3044\u540d\u524d", 80, 128}, {"\U0001F600", 5, 38}}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(zqController::getMaxStringWidth(text, reference), width);
    }
}

TEST_F(PaperTable, ChosenCatalogReplacesTheTableOfEveryPaneThatShowsPapers) {
    service_test::DataFolder copy;
    platform::LogRecorder log;
    pick(copy, 3);
    EXPECT_EQ(recorder.transcript<zqController>(&bridge, "bridge", {{copy.file(""), "<copy>/"}}),
              Fixture("catalog_load_notifications.txt"));
    EXPECT_EQ(log.texts(), std::vector<std::string>{"com.varneth.pzf.yfo._jseControlle rerror = 0"});
    // The widths only grow: the short names keep the shipped catalog's.
    EXPECT_EQ(recorder.last("jobSetupController::columnSizeUpdate")["maxName"].text(), "208");
}

TEST_F(PaperTable, CatalogThatFailsToLoadKeepsTheOneInUse) {
    service_test::DataFolder copy;
    const std::string bytes = filter_test::readFile(copy.file("PaperCatalog.cat"));
    filter_test::writeFile(copy.file("PaperCatalog.cat"), bytes.substr(0, bytes.size() / 2));
    WString pathInUse, path;
    bridge.engine()->JSE_Media_GetFullPath(pathInUse);
    for (const auto& [file, code] : {std::pair{"PaperCatalog.cat", kMediaMissingField}, {"absent.txt", kMediaDefinitionLoad}}) {
        SCOPED_TRACE(file);
        recorder.received.clear();
        platform::LogRecorder log;
        recorder.center().post("zqController::loadPaperCatalog", copy.file(file));
        EXPECT_EQ(recorder.transcript<zqController>(&bridge, "bridge"), "jobSetupController::loadCatalogFailed by bridge -\n");
        EXPECT_EQ(log.texts(), std::vector<std::string>(2, "com.varneth.pzf.yfo._jseControlle rerror = " + std::to_string(code)));
        bridge.engine()->JSE_Media_GetFullPath(path);
        EXPECT_EQ(path, pathInUse);
        EXPECT_EQ(bridge.engine()->JSE_Media_GetNumberOfEntry(), 35);
    }
}

// An 8-bit catalog's paper whose size number names no definition loads with
// the papers around it, on the size of 8.5 by 11 inches.
TEST_F(PaperTable, EightBitCatalogGivesAPaperWithoutItsSizeTheFallbackSize) {
    service_test::DataFolder copy;
    filter_test::writeFile(copy.file("PaperCatalog.cat"),
                           "English:Letter\nLetter:1:75:white:plain:2:0:1\nGhost:99:75:white:plain\nA4:9:80:white:plain\n");
    platform::LogRecorder log;
    recorder.center().post("zqController::loadPaperCatalog", copy.file("PaperCatalog.cat"));
    ASSERT_EQ(table().size(), 3u);
    int ghosts = 0;
    for (const auto& [key, record] : table())
        ghosts += record["Name"].text() == "Ghost" && record["Size"].text() == "8.50x11.00\"";
    EXPECT_EQ(ghosts, 1);
    EXPECT_EQ(log.texts(), (std::vector<std::string>{"com.varneth.pzf.yfo._jseControlle rerror = 0"}));
}

// Where the rules refuse the new catalog's first paper, the catalog in use
// before comes back as it was held, even when its file changed or went away
// meanwhile: the job, its pages and the ticket stay as they were.
TEST(PaperTableFollow, CatalogInUseComesBackAsItWasWhateverBecameOfItsFile) {
    for (const char* meanwhile : {"gone", "one paper"}) {
        SCOPED_TRACE(meanwhile);
        DataBundle data;
        Bridge bridge;
        bridge.start(data.bundle);
        bridge.JSE_SetPageProperty(3, 5, 1, "Letter_Blue", kPePaperSubstitution, 0);
        bridge.JSE_SetPageFeature(3, 5, kPePaperSubstitution, 0);
        bridge.SetJobFeature(kFeaturePrintingMode, 4, {}, 0);  // interleaved: the pages cannot change
        const std::string ticket = bridge.ticket();
        WString pathInUse, path;
        bridge.engine()->JSE_Media_GetFullPath(pathInUse);
        if (meanwhile == std::string("gone")) std::remove(data.file("PaperCatalog.cat").c_str());
        else filter_test::writeFile(data.file("PaperCatalog.cat"), "English:Letter\nLetter:1:75:white:plain:2:0:1\n");
        platform::AlertRecorder alerts;
        platform::LogRecorder log;
        notification_test::NotificationRecorder recorder{PaneNotifications()};
        recorder.center().post("zqController::loadPaperCatalog", LUMAPREX_TEST_DATA "/pde/Covers.cat");
        EXPECT_EQ(alerts.messages().size(), 1u) << "the rule's message";
        EXPECT_EQ(recorder.transcript<zqController>(&bridge, "bridge"), "jobSetupController::loadCatalogFailed by bridge -\n");
        EXPECT_EQ(bridge.engine()->JSE_Media_GetNumberOfEntry(), 35);
        bridge.engine()->JSE_Media_GetFullPath(path);
        EXPECT_EQ(path, pathInUse);
        int id = 0;
        std::string paper;
        bridge.JSE_PageCollection_GetProperty(0, 0, id, paper);
        EXPECT_EQ(paper, "Letter_Blue");
        EXPECT_EQ(bridge.ticket(), ticket);
        const std::vector<std::string> lines = log.texts();
        ASSERT_EQ(lines.size(), 4u);  // the third: the test's bundle has no strings
        EXPECT_EQ(lines[1], "zqController: the rules refuse the catalog's papers for the job (message 16142)");
    }
}

}  // namespace
