// Outputs written beside their names and put in place whole, on a real
// folder: what stays, what goes, and outputs that must go in together.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "output/file_identity.hpp"
#include "output/output_file.hpp"

namespace bp::out {
namespace {

namespace fs = std::filesystem;

class Folder : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/output-file-test-XXXXXX";
        dir_ = ::mkdtemp(name);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const std::string& leaf) const { return (dir_ / leaf).string(); }
    void write(const std::string& leaf, const std::string& text) const {
        std::ofstream(path(leaf), std::ios::binary) << text;
    }
    std::string read(const std::string& leaf) const {
        std::ostringstream s;
        s << std::ifstream(path(leaf), std::ios::binary).rdbuf();
        return s.str();
    }
    // Every name in the folder, sorted.
    std::vector<std::string> names() const {
        std::vector<std::string> v;
        for (const auto& e : fs::directory_iterator(dir_)) v.push_back(e.path().filename().string());
        std::sort(v.begin(), v.end());
        return v;
    }
    fs::path dir_;
};

TEST_F(Folder, AnOutputReplacesTheOldFileOnlyWhenCommittedAndKeepsItsPermissions) {
    write("report", "old");
    ::chmod(path("report").c_str(), 0640);
    {
        OutputFile out(path("report"), Existing::Replace);
        ASSERT_TRUE(out.ready()) << out.reason();
        out.stream() << "new";
        EXPECT_EQ(read("report"), "old");
        EXPECT_EQ(names().size(), 2u);   // the report and its temporary
    }
    EXPECT_EQ(read("report"), "old");   // dropped uncommitted: nothing changed
    EXPECT_EQ(names(), std::vector<std::string>{"report"});

    OutputFile out(path("report"), Existing::Replace);
    out.stream() << "new";
    ASSERT_TRUE(out.commit()) << out.reason();
    EXPECT_EQ(read("report"), "new");
    struct stat st {};
    ::stat(path("report").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(names(), std::vector<std::string>{"report"});
}

TEST_F(Folder, WithoutLeaveToReplaceANameTakenMeanwhileIsLeftToItsOwner) {
    OutputFile out(path("plot"), Existing::Keep);
    ASSERT_TRUE(out.ready());
    out.stream() << "mine";
    write("plot", "theirs");
    EXPECT_FALSE(out.commit());
    EXPECT_NE(out.reason().find("someone else"), std::string::npos) << out.reason();
    EXPECT_EQ(read("plot"), "theirs");
    EXPECT_EQ(names(), std::vector<std::string>{"plot"});

    OutputFile refused(path("plot"), Existing::Keep);
    EXPECT_FALSE(refused.ready());
}

TEST_F(Folder, OutputsCommittedTogetherGoInAllOrNone) {
    write("report", "old report");
    OutputFile report(path("report"), Existing::Replace);
    OutputFile plot(path("plot"), Existing::Keep);
    OutputFile points(path("points"), Existing::Keep);
    report.stream() << "new report";
    plot.stream() << "new plot";
    points.stream() << "new points";
    write("points", "someone's points");   // taken after the run began
    OutputFile* failed = nullptr;
    EXPECT_FALSE(commitTogether({&report, &plot, &points}, failed));
    EXPECT_EQ(failed, &points);
    // The new plot, already placed, is taken back; the report, to be
    // replaced only after every new name was taken, is still the old one.
    EXPECT_EQ(names(), (std::vector<std::string>{"points", "report"}));
    EXPECT_EQ(read("points"), "someone's points");
    EXPECT_EQ(read("report"), "old report");

    OutputFile a(path("a"), Existing::Keep), b(path("b"), Existing::Keep);
    a.stream() << "A";
    b.stream() << "B";
    EXPECT_TRUE(commitTogether({&a, &b}, failed));
    EXPECT_EQ(read("a") + read("b"), "AB");
}

TEST_F(Folder, NamesAreComparedByTheFilesTheyStandFor) {
    write("deck", "cards");
    fs::create_hard_link(path("deck"), path("hard"));
    fs::create_symlink("deck", path("soft"));
    fs::create_directory(path("sub"));
    InputFile deck;
    ASSERT_TRUE(deck.open(path("deck")));
    FileNames names;
    names.input("the input deck", "deck", deck.identity());
    EXPECT_TRUE(names.output("the report", path("hard")).has_value());
    EXPECT_TRUE(names.output("the report", path("soft")).has_value());
    EXPECT_TRUE(names.output("the report", path("sub/../deck")).has_value());
    EXPECT_TRUE(names.output("the report", path("sub")).has_value());   // a directory
    EXPECT_FALSE(names.output("the report", path("new")).has_value());
    auto same = names.output("the plot file", path("sub/../new"));
    ASSERT_TRUE(same.has_value());
    EXPECT_NE(same->find("are the same file"), std::string::npos) << *same;
    EXPECT_FALSE(names.output("the plot file", "/dev/null").has_value());
    EXPECT_FALSE(names.output("the points file", "/dev/null").has_value());

    InputFile folder;
    EXPECT_FALSE(folder.open(path("sub")));
    EXPECT_EQ(folder.reason(), "is a directory");
}

// Single characters, short pieces and blocks larger than the write buffer
// (written straight through behind what the buffer holds) arrive in order,
// every byte once, whatever the mix; an empty output is empty.
TEST_F(Folder, PiecesOfEverySizeArriveInOrder) {
    std::string expected;
    {
        OutputFile out(path("plot"), Existing::Keep);
        ASSERT_TRUE(out.ready()) << out.reason();
        std::uint32_t seed = 12345;
        for (int k = 0; k < 120; ++k) {
            seed = seed * 1103515245u + 12345u;
            const std::size_t sizes[] = {1, 7, 80, 4095, 1 << 15, (1 << 16) + 3, (1 << 18) + 11, 1 << 18, (3 << 18) - 5};
            const std::size_t n = sizes[(seed >> 16) % 9];
            std::string piece(n, static_cast<char>('a' + k % 26));
            piece.front() = static_cast<char>('0' + k % 10);
            if (n == 1)
                out.stream().put(piece[0]);
            else
                out.stream().write(piece.data(), static_cast<std::streamsize>(n));
            expected += piece;
        }
        ASSERT_TRUE(out.commit()) << out.reason();
    }
    EXPECT_EQ(read("plot"), expected);

    OutputFile empty(path("empty"), Existing::Keep);
    empty.stream().flush();
    ASSERT_TRUE(empty.commit()) << empty.reason();
    EXPECT_EQ(read("empty"), "");
}

// A device that refuses the text: the output is not called finished,
// whether the text came in small pieces or in one large block.
TEST(OutputFile, AFullDeviceIsAFailureForPiecesAndBlocks) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    for (const std::size_t n : {std::size_t{10}, std::size_t{1} << 20}) {
        OutputFile out("/dev/full", Existing::Replace);
        ASSERT_TRUE(out.ready()) << out.reason();
        const std::string text(n, 'x');
        out.stream().write(text.data(), static_cast<std::streamsize>(n));
        EXPECT_FALSE(out.commit()) << n;
        EXPECT_EQ(out.reason(), reasonOf(ENOSPC)) << n;
    }
}

TEST(DiscardStream, TakesEverythingAndStaysGood) {
    DiscardStream discard;
    for (int k = 0; k < 10000; ++k) discard << "LST/OP,         1,         2\n" << k;
    discard.flush();
    EXPECT_TRUE(discard.good());
}

}   // namespace
}   // namespace bp::out
