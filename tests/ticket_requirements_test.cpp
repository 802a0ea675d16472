// The requirements and covers lines of the ticket, and the job finishing
// the requirements hand to the page-exception lines.
#include <gtest/gtest.h>

#include <string>

#include "VLX_Writer.h"
#include "ticket_text_support.h"

namespace {

class JobFinishing : public ::testing::Test {
protected:
    void SetUp() override { PreparePlainJob(writer, header); }

    template <typename Generator>
    std::string lines(Generator generator) {
        return GeneratedLines(writer, generator, header, result);
    }

    // The job's staple, trim, offset-stacking and fold texts as the subset
    // lines see them, each at page 1.
    std::string handedOver() const {
        vlxPageExeptionType jobs;
        jobs.startingPage = jobs.endingPage = 1;
        jobs.peRecord.peStaple = jobs.peRecord.peTrim = jobs.peRecord.peFold = true;
        vlxPeDeviceLines out;
        writer.Create_CurrentCommand(jobs, out);
        return out.staple + "|" + out.trim + "|" + out.jog + "|" + out.fold;
    }

    VLX_Writer writer;
    DSC_VLX header;
    int result = -1;
};

}  // namespace

// ---------------------------------------------------------------------------
// Requirements

TEST_F(JobFinishing, StaplerDuplexCollatedTrimmedJob) {
    header.documentExit = 1;
    header.staplingValid = 1;
    header.staplingMode = 1;
    header.printMode = 1;
    header.collateValid = header.collateValue = 1;
    header.trimValid = header.trimValue = 1;
    header.copyCount = 3;
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXRequirements),
              "%%Requirements:  numcopies(3) staple(front)  fold(none)  duplex(on)  collate jog(none) \r\n"
              "%VLXRequirements: numcopies(3) staple(front)  fold(none)  duplex(longedge)  collate jog(none)  trim(on) ");
    EXPECT_EQ(result, kVlxDone);
    EXPECT_EQ(handedOver(), "staple(front) 1 | trim(on) 1 | jog(none) 1 |fold(none) 1 ");

    header.printMode = 2;
    header.offsetStackValid = header.offsetStackValue = 1;
    writer.SetEmitCopyCountFlag(false);
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXRequirements),
              "%%Requirements:  staple(front)  fold(none)  duplex(tumble)  collate jog(alternate) \r\n"
              "%VLXRequirements: staple(front)  fold(none)  duplex(shortedge)  collate jog(alternate)  trim(on) ");
    EXPECT_EQ(handedOver(), "staple(front) 1 | trim(on) 1 | jog(alternate) 1 |fold(none) 1 ");
}

TEST_F(JobFinishing, BookmakerAlwaysFoldsButHandsOnItsOwnFold) {
    header.documentExit = 3;
    header.staplingMode = 0;
    writer.SetEmitCopyCountFlag(false);
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXRequirements),
              "%%Requirements:  staple(none)  fold(saddle)  simplex  noncollate jog(none) \r\n"
              "%VLXRequirements: staple(none)  fold(saddle)  simplex  noncollate jog(none)  trim(off) ");
    EXPECT_EQ(handedOver(), "staple(none) 1 | trim(off) 1 | jog(none) 1 |fold(none) 1 ");

    header.staplingMode = 2;
    lines(&VLX_Writer::Generate_VLXRequirements);
    EXPECT_EQ(handedOver(), "staple(saddle) 1 | trim(off) 1 | jog(none) 1 |fold(saddle) 1 ");
}

TEST_F(JobFinishing, CollationAndStaplingEdges) {
    writer.SetEmitCopyCountFlag(false);
    header.separators.valid = header.separators.value = 1;
    EXPECT_NE(lines(&VLX_Writer::Generate_VLXRequirements).find(" collate jog"), std::string::npos);
    header.separators.value = 0;
    header.printMode = 4;
    EXPECT_NE(lines(&VLX_Writer::Generate_VLXRequirements).find(" simplex  collate jog"), std::string::npos);

    // Stapling only on the stapler, and a mode outside the table staples
    // nothing.
    header.printMode = 0;
    header.staplingMode = 3;
    EXPECT_NE(lines(&VLX_Writer::Generate_VLXRequirements).find(": staple(none)  fold"), std::string::npos);
    header.documentExit = 1;
    EXPECT_NE(lines(&VLX_Writer::Generate_VLXRequirements).find(": staple(both)  fold"), std::string::npos);
    header.staplingMode = 9;
    EXPECT_NE(lines(&VLX_Writer::Generate_VLXRequirements).find(": staple(none)  fold"), std::string::npos);

    // A print mode without a plex word keeps the plex handed on before.
    header.printMode = 2;
    lines(&VLX_Writer::Generate_VLXRequirements);
    header.printMode = 7;
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXRequirements).find("plex"), std::string::npos);
    vlxPageExeptionType jobPlex;
    jobPlex.startingPage = jobPlex.endingPage = 2;
    jobPlex.pePlex = true;
    writer.Add_VLX_Substitution_List(jobPlex);
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXPePlex), "%VLXPePlex:  duplex(shortedge) 2  duplex(shortedge) 3 ");
}

TEST_F(JobFinishing, WrongStructureVersionResetsOnlyTheFold) {
    header.documentExit = 3;
    header.staplingMode = 1;
    lines(&VLX_Writer::Generate_VLXRequirements);
    header.structVersion = 1;
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXRequirements), "<none>");
    EXPECT_EQ(result, kVlxBadVersion);
    EXPECT_EQ(handedOver(), "staple(saddle) 1 | trim(off) 1 | jog(none) 1 | fold(none) 1 ");
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXCovers), "<none>");
    EXPECT_EQ(result, kVlxBadVersion);
}

// ---------------------------------------------------------------------------
// Covers

TEST_F(JobFinishing, CoverLines) {
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXCovers), "%VLXCovers: (Letter) none");
    header.frontCover.valid = 1;
    header.frontCover.mode = 2;
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXCovers), "%VLXCovers: (Letter) front duplex backside");

    header.frontCover.paper = L"Blue";
    header.frontCover.mode = 1;
    header.backCover.valid = 1;
    header.backCover.mode = 3;
    header.backCover.paper = L"Red";
    writer.SetVLXRelease5Items({2, true, false, false, false});
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXCovers),
              "%VLXCovers: (Blue) front simplex frontside\r\n%%+ (Red) punch(none)  back duplex");

    // A pre-printed cover is an insert, not a cover.
    header.frontCover.mode = 4;
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXCovers), "%VLXCovers: (Red) punch(none)  back duplex");
    header.backCover.mode = 4;
    EXPECT_EQ(lines(&VLX_Writer::Generate_VLXCovers), "%VLXCovers: (Letter) none");
}
